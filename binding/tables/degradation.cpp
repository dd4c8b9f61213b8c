// Python table of the sudden, isotropic and viscous degradation laws, the
// accumulated damage, the degradation matrix and the degradation factors of
// a damage state (component degradation).
#include "table.h"
#include "vexlan/degradation.h"

VX_ROUTINE(degradation, SuddenDegradation,
           "degpeprops,degpsprops,de,df,g_f,g_m = suddendegradation(degpeprops,degpsprops,peprops,psprops,de,df,"
           "g_f,g_m,ttol,degrfac,[nm,overwrite_degpeprops,overwrite_degpsprops,overwrite_de,overwrite_df])",
           "degpeprops: f8(9) io",
           "degpsprops: f8(9) io",
           "peprops: f8(9)",
           "psprops: f8(9)",
           "de: f8(6) io",
           "df: f8(9) io",
           "g_f: f8 io",
           "g_m: f8 io",
           "ttol: f8(2)",
           "degrfac: f8",
           "nm: f8(6) absent \"all -1.0, no mode values\"");

VX_ROUTINE(degradation, SuddenDegradation_viscouse,
           "degpeprops,degpsprops,de,df,g_f,g_m = suddendegradation_viscouse(degpeprops,degpsprops,peprops,psprops,"
           "de,df,g_f,g_m,ttol,degrfac,degr_old,eta,dt,[nm,overwrite_degpeprops,overwrite_degpsprops,overwrite_de,"
           "overwrite_df])",
           "degpeprops: f8(9) io",
           "degpsprops: f8(9) io",
           "peprops: f8(9)",
           "psprops: f8(9)",
           "de: f8(6) io",
           "df: f8(9) io",
           "g_f: f8 io",
           "g_m: f8 io",
           "ttol: f8(2)",
           "degrfac: f8",
           "nm: f8(6) absent \"all -1.0, no mode values\"",
           "degr_old: f8 inout",
           "eta: f8",
           "dt: f8");

VX_ROUTINE(degradation, IsotropicDegradation, "degpeprops = isotropicdegradation(peprops,d,life,degr)",
           "peprops: f8(len(peprops)) check(len(peprops)>=2)",
           "d: f8",
           "life: f8",
           "degr: f8",
           "degpeprops: f8(len(peprops)) out");

VX_ROUTINE(degradation, IsotropicDegradation_viscouse,
           "degpeprops,degr_old = isotropicdegradation_viscouse(peprops,d,life,degr,eta,dt,[degr_old])",
           "peprops: f8(len(peprops)) check(len(peprops)>=2)",
           "d: f8",
           "life: f8",
           "degr: f8",
           "degpeprops: f8(len(peprops)) out",
           "degr_old: f8 inout = 0.0",
           "eta: f8",
           "dt: f8");

VX_ROUTINE(degradation, viscouseregularisation, "dviscouse = viscouseregularisation(dold,dnew,eta,dt)",
           "dold: f8",
           "dnew: f8",
           "dviscouse: f8 out",
           "eta: f8",
           "dt: f8");

VX_ROUTINE(degradation, getaccumulateddamage, "getaccumulateddamage = getaccumulateddamage(degr,nodmg,[ndegr,nply])",
           "getaccumulateddamage: f8 ret",
           "degr: f8(ndegr,nply)",
           "nodmg: f8",
           "ndegr: i4 = shape(degr,0) check(shape(degr,0)==ndegr) check(ndegr>=1)",
           "nply: i4 = shape(degr,1) check(shape(degr,1)==nply) check(nply>=1)");

VX_ROUTINE(degradation, GetNyeDegradationMatrix, "d = getnyedegradationmatrix(degrf,ntens,[psflag])",
           "d: f8(ntens,ntens) out",
           "degrf: f8(9)",
           "ntens: i4 check(ntens>=0)",
           "psflag: i4 absent \"1, the full form\"");

VX_ROUTINE(degradation, FalcomDegradation, "d = falcomdegradation(dds,rdisc,degrid,plyistape,[fa])",
           "d: f8(9) out",
           "dds: f8(10)",
           "rdisc: f8",
           "degrid: i4",
           "plyistape: l1",
           "fa: f8(4) absent \"(0.3, 0.3, 0.5, 0.5)\"");
