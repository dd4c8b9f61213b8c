/* Damage-region store (component damage): regions of damage per failure mode,
 * ply (interface for delamination) and damage, kept in damagedata and bukdata.
 * Regions are ellipses with half-axes a, b in the damage's ply frame around
 * the damage's origin, or polygon outlines. */
#ifndef VEXLAN_DAMAGE_STORE_H
#define VEXLAN_DAMAGE_STORE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Grows the regions of ply ilay, section isec, damage idmg to cover a failed point.
 *   ierror (out) allocation status; sdv (in) sdv(5) mode flags (failed at >= 1)
 *   gpcoords (in) point; refcoords (in) origin; refcos (in) 3x3 reference frame
 *   ilay, isec, idmg (in) */
void UpdateDDS(int32_t* ierror, const double* sdv, const double* gpcoords, const double* refcoords,
               const double* refcos, const int32_t* ilay, const int32_t* isec, const int32_t* idmg);
/* Raises the damage flags (1..6) and the knock-down factor (12) of a point.
 *   sdv (in/out) sdv(12); gpcoords (in); refcos (in) 3x3; ilay, isec (in) */
void GetDamageFromDDS(double* sdv, const double* gpcoords, const double* refcos,
                      const int32_t* ilay, const int32_t* isec);
/* True when point lies in the region (outline of (layid, modeid, dmgid) when
 * one of two or more vertices is stored, else the ellipse a, b).
 *   dmgcos (in) 3x3 ply frame; dmgorigin (in); dmgangle, plyangle (in) degrees */
vx_l1 PointInDamage(const double* point, const double* dmgcos, const double* dmgorigin,
                    const double* dmgangle, const double* plyangle, const double* a,
                    const double* b, const int32_t* modeid, const int32_t* dmgid,
                    const int32_t* layid, const vx_l1* skip);
/* halfaxis (in/out) halfaxis(2) grown to cover gpcoords when mdmg >= 1.
 *   gpcoords, refcoords (in); refcos (in) 3x3 frame; theta (in) degrees */
void getextentofprojecteddamage(double* halfaxis, const double* gpcoords, const double* refcoords,
                                const double* refcos, const double* theta, const double* mdmg);

#ifdef __cplusplus
}
#endif
#endif
