/* Sudden, isotropic and viscous stiffness degradation, accumulated damage,
 * the degradation matrix of a ply stiffness and the degradation factors of a
 * damage state (component degradation).
 *
 * Elastic record (9): E1, E2, E3, nu12, nu13, nu23, G12, G13, G23.
 * Strength record (9): entries 1 and 2 degrade with fibre failure only.
 * Degradation factor vector (9), 1 intact, 1e-20 lost: 11, coupling 12, 22,
 * first shear, second shear, third shear, coupling 13, coupling 23, 33. */
#ifndef VEXLAN_DEGRADATION_H
#define VEXLAN_DEGRADATION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Ply discount after a failure check.
 * degpeprops(9), degpsprops(9) inout degraded records (never increase)
 * peprops(9), psprops(9)       in    undegraded records
 * de(6), df(9)                 inout running elastic and strength factors
 * g_f, g_m                     inout fibre and matrix efforts; 1.0 on failure
 * ttol(2)                      in    failure effort, mode threshold
 * degrfac                      in    retained fraction
 * nm(6)                        in    optional mode values (all -1.0: absent) */
void SuddenDegradation(double* degpeprops, double* degpsprops, const double* peprops,
                       const double* psprops, double* de, double* df, double* g_f, double* g_m,
                       const double* ttol, const double* degrfac, const double* nm);
/* SuddenDegradation with fractions regularised over time; prints three lines.
 * degr_old  inout regularised fibre fraction of the last call
 * eta, dt   in    viscosity, time increment
 * other arguments as SuddenDegradation */
void SuddenDegradation_viscouse(double* degpeprops, double* degpsprops, const double* peprops,
                                const double* psprops, double* de, double* df, double* g_f,
                                double* g_m, const double* ttol, const double* degrfac,
                                const double* nm, double* degr_old, const double* eta,
                                const double* dt);
/* Two-entry isotropic record (modulus, Poisson ratio).
 * peprops(2)     in   undegraded record
 * d, life        in   damage and used-up life (1 or more: failed)
 * degr           in   retained fraction of the modulus
 * degpeprops(2)  out  degraded record (entry 3 on is not written) */
void IsotropicDegradation(const double* peprops, const double* d, const double* life,
                          const double* degr, double* degpeprops);
/* IsotropicDegradation with the fraction regularised over time.
 * degr_old inout regularised fraction; eta, dt in */
void IsotropicDegradation_viscouse(const double* peprops, const double* d, const double* life,
                                   const double* degr, double* degpeprops, double* degr_old,
                                   const double* eta, const double* dt);
/* dviscouse = dt/(dt+eta) dnew + eta/(dt+eta) dold. */
void viscouseregularisation(const double* dold, const double* dnew, double* dviscouse,
                            const double* eta, const double* dt);
/* Accumulated damage of a laminate, 0 intact to 1 fully damaged.
 * degr(ndegr,nply) in  degradation entries per ply
 * nodmg            in  undegraded value (<= 1e-20: entries are damage values) */
double getaccumulateddamage(const double* degr, const double* nodmg, const int32_t* ndegr,
                            const int32_t* nply);
/* Degradation factors placed into a stiffness-shaped matrix.
 * d(ntens,ntens)  out  factors, 1 where none applies
 * degrf(9)        in   factor vector
 * ntens           in   3, 4 or 6 (other: status -2, all ones)
 * psflag          in   optional: 0 selects the reduced form for ntens 4 and 6 */
void GetNyeDegradationMatrix(double* d, const double* degrf, const int32_t* ntens,
                             const int32_t* psflag);
/* Degradation factors of a damage state.
 * d(9)        out  factor vector
 * dds(10)     in   damage state: 1.0 marks a failed mode
 * rdisc       in   knock-down applied when dds(8) is 1.0
 * degrid      in   scheme 0..5 (other: status -2, ones)
 * plyistape   in   true for a tape ply, false for fabric
 * fa(4)       in   optional scheme factors, default (0.3, 0.3, 0.5, 0.5) */
void FalcomDegradation(double* d, const double* dds, const double* rdisc, const int32_t* degrid,
                       const vx_l1* plyistape, const double* fa);

#ifdef __cplusplus
}
#endif
#endif
