// Python table of the damage-region store (component damage).
#include "table.h"
#include "vexlan/damage_store.h"

VX_ROUTINE(damage, UpdateDDS, "ierror = updatedds(sdv,gpcoords,refcoords,refcos,ilay,isec,idmg)",
           "ierror: i4 out", "sdv: f8(5)", "gpcoords: f8(3)", "refcoords: f8(3)", "refcos: f8(3,3)", "ilay: i4",
           "isec: i4", "idmg: i4");
VX_ROUTINE(damage, GetDamageFromDDS, "getdamagefromdds(sdv,gpcoords,refcos,ilay,isec)",
           "sdv: f8(12) inout", "gpcoords: f8(3)", "refcos: f8(3,3)", "ilay: i4", "isec: i4");
VX_ROUTINE(damage, PointInDamage,
           "pointindamage = pointindamage(point,dmgcos,dmgorigin,dmgangle,plyangle,a,b,modeid,dmgid,layid,skip)",
           "pointindamage: l1 ret", "point: f8(3)", "dmgcos: f8(3,3)", "dmgorigin: f8(3)", "dmgangle: f8",
           "plyangle: f8", "a: f8", "b: f8", "modeid: i4", "dmgid: i4", "layid: i4", "skip: l1");
VX_ROUTINE(damage, getextentofprojecteddamage,
           "halfaxis = getextentofprojecteddamage(halfaxis,gpcoords,refcoords,refcos,theta,mdmg,[overwrite_halfaxis])",
           "halfaxis: f8(2) io", "gpcoords: f8(3)", "refcoords: f8(3)", "refcos: f8(3,3)", "theta: f8", "mdmg: f8");
