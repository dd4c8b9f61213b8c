/* Per-mode failure drivers (component damage): one call evaluates the failure
 * criterion selected for one ply of one section and returns its failure
 * effort r and the flag f (1.0 when r >= 1.0, else 0.0).
 *
 * Common arguments:
 *   plystress(6)               in  ply stress, order 11, 22, 33, 12, 13, 23
 *   peprops(9,nlayer,nsec)     in  E1, E2, E3, nu12, nu13, nu23, G12, G13, G23
 *   psprops(10,nlayer,nsec)    in  strengths Xt11, Xt22, Xt33, Xc11, Xc22, Xc33,
 *                                  S12, S13, S23, ILSS (all positive)
 *   plyorientation(nlayer,nsec) in ply angles, degrees
 *   layer, isec                in  ply and section (1-based); out of range:
 *                                  status -2, f = r = 0
 *   nlayer, nsec               in  extents
 * A selector outside its table (negative ones included) records status -2
 * with the driver's default-case warning and returns f = r = 0. */
#ifndef VEXLAN_DAMAGE_DRIVERS_H
#define VEXLAN_DAMAGE_DRIVERS_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* General failure (mode 1): gpflag 0 none, 1 to 8 the general potentials.
 * fgp, rgp out  flag and effort */
void generalfailure(double* fgp, double* rgp, const double* plystress, const double* psprops,
                    const double* plyorientation, const int32_t* layer, const int32_t* nlayer,
                    const int32_t* isec, const int32_t* nsec, const int32_t* gpflag);
/* Fibre breakage (mode 2): fbflag 0 none, 1 to 13.
 * ffb, rfb out  flag and effort */
void fiberbreakage(double* ffb, double* rfb, const double* plystress, const double* peprops,
                   const double* psprops, const double* plyorientation, const int32_t* layer,
                   const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                   const int32_t* fbflag);
/* Matrix cracking (mode 3): mcflag 0 none, 1 to 15.
 * fmc, rmc  out  flag and effort
 * pdprops(nprops,nlayer,nsec) in criterion parameters, ended by defreal
 * nprops    in   leading extent of pdprops
 * outtheta  inout optional: when negative on entry and the ply fails, the
 *                fracture angle in radians
 * defreal   in   optional end marker, default the largest real */
void MatrixCracking(double* fmc, double* rmc, const double* plystress, const double* peprops,
                    const double* psprops, const double* pdprops, const double* plyorientation,
                    const int32_t* layer, const int32_t* nlayer, const int32_t* isec,
                    const int32_t* nsec, const int32_t* nprops, const int32_t* mcflag,
                    double* outtheta, const double* defreal);
/* Delamination of the interface above ply layer (mode 4): delflag 0 none, 1 to 7.
 * fdel, rdel   out  flag and effort
 * s33i         in   interface normal stress
 * lplystress(6), uplystress(6) in stresses of ply layer and ply layer+1
 * plythickness(nlayer,nsec)    in
 * layer        in   1 <= layer < nlayer */
void delamination(double* fdel, double* rdel, const double* s33i, const double* lplystress,
                  const double* uplystress, const double* peprops, const double* psprops,
                  const double* plyorientation, const double* plythickness, const int32_t* layer,
                  const int32_t* nlayer, const int32_t* isec, const int32_t* nsec,
                  const int32_t* delflag);
/* Core crushing (mode 5): ccflag 0 to 2 evaluate nothing.
 * fcc, rcc out  flag and effort */
void corecrushing(double* fcc, double* rcc, const double* plystress, const double* psprops,
                  const double* plyorientation, const int32_t* layer, const int32_t* nlayer,
                  const int32_t* isec, const int32_t* nsec, const int32_t* ccflag);

#ifdef __cplusplus
}
#endif
#endif
