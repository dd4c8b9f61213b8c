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

/* SuddenDegradation: ply discount after a failure check. Fibre failure
 * (g_f >= ttol(1), or nm(1) > ttol(2)) sets g_f = 1.0 and lowers elastic
 * entries 1 to 6 and all nine strengths to degrfac times their undegraded
 * values; matrix failure (g_m >= ttol(1), or any of nm(2..6) > ttol(2)) sets
 * g_m = 1.0 and lowers elastic entries 2 to 6 and strengths 3 to 9 likewise
 * (strengths keep the sign of the undegraded value). Both can happen in one
 * call, fibre first. Then de and df take the ratios degraded/undegraded
 * (entries whose undegraded value is 0 keep their factor), and G12, G13
 * follow the factor of E1, G23 that of E2. Every update takes the minimum
 * with the value held, so nothing ever rises. A comparison with a NaN (g_f,
 * g_m, ttol(1), or a mode value or ttol(2) while mode values are given) has
 * no verdict and counts as failure: that failure is applied as above and
 * status -2 recorded, "NaN failure effort or threshold in
 * SuddenDegradation". Without mode values a NaN ttol(2) decides nothing.
 * A held factor of de or df, or a held G12, G13 or G23, that is NaN has
 * lost its history (the minima would pass over it) and counts as failure
 * of the mode that lowers it: fibre for de(1), df(1..2), G12 and G13,
 * matrix for the others. That failure is applied as above, so the NaN is
 * replaced by the degraded value (a factor whose undegraded entry is 0
 * stays NaN), and status -2 recorded, "NaN held factor or shear modulus in
 * SuddenDegradation". A NaN held E1 to nu23 or strength stays NaN, and so
 * does its factor, unless its mode fails. A NaN degrfac counts as 0, total
 * loss of what fails, as in SuddenDegradation_viscouse, with status -2
 * "NaN degradation factor in SuddenDegradation" (recorded whether or not a
 * mode fails). Nothing else is recorded.
 *   degpeprops (in/out) 9 degraded elastic constants E1, E2, E3, nu12, nu13,
 *                       nu23, G12, G13, G23
 *   degpsprops (in/out) 9 degraded strengths (1 and 2: the fibre strengths)
 *   peprops    (in)     9 undegraded elastic constants
 *   psprops    (in)     9 undegraded strengths
 *   de         (in/out) 6 elastic factors of entries 1 to 6, 1 intact
 *   df         (in/out) 9 strength factors, 1 intact
 *   g_f, g_m   (in/out) fibre and matrix failure efforts; 1.0 once failed
 *   ttol       (in)     2 thresholds: the effort of failure, the threshold of
 *                       the mode values; NaN: failed (above)
 *   degrfac    (in)     retained fraction of a degraded value; NaN: 0
 *                       (above)
 *   nm         (in, optional) 6 mode values, 1 fibre and 2 to 6 matrix
 *                       modes; absent or all -1.0: none */
void SuddenDegradation(double* degpeprops, double* degpsprops, const double* peprops,
                       const double* psprops, double* de, double* df, double* g_f, double* g_m,
                       const double* ttol, const double* degrfac, const double* nm);

/* SuddenDegradation_viscouse: SuddenDegradation with retained fractions
 * regularised over time. The fibre fraction is f1 = 1 - dv1, dv1 the
 * viscous regularisation of the loss from 1 - degr_old towards 1 - degrfac
 * (stored back in degr_old as f1); the matrix fraction f2 is regularised
 * the same way from the smallest of de(2..6), and de(2..6) are set to f2
 * before the discount. Every call prints three lines to standard output
 * ("Get regularised degradation factor", "Viskose degradation for FF" f1,
 * "Viskose degradation for IFF" f2). A fraction that comes out NaN (from a
 * NaN degr_old, de(2..6), degrfac, eta or dt) has lost its mode's history:
 * it counts as 0, total loss, stored so in degr_old or de(2..6) and printed
 * so, and its mode (f1 fibre, f2 matrix) counts as failed, with status -2
 * "NaN degradation factor in SuddenDegradation_viscouse". A
 * NaN effort or threshold, or a NaN held de(1), df or shear modulus, counts
 * as failure as in SuddenDegradation, with status -2 and the messages there
 * ending "in SuddenDegradation_viscouse". Nothing else is recorded.
 *   degpeprops (in/out) 9 degraded elastic constants
 *   degpsprops (in/out) 9 degraded strengths
 *   peprops    (in)     9 undegraded elastic constants
 *   psprops    (in)     9 undegraded strengths
 *   de         (in/out) 6 elastic factors, 1 intact
 *   df         (in/out) 9 strength factors, 1 intact
 *   g_f, g_m   (in/out) fibre and matrix failure efforts; 1.0 once failed
 *   ttol       (in)     2 thresholds: the effort of failure, the threshold of
 *                       the mode values; NaN: failed (above)
 *   degrfac    (in)     retained fraction that the regularisation tends to
 *   nm         (in, optional) 6 mode values; absent or all -1.0: none
 *   degr_old   (in/out) regularised fibre fraction of the last call; NaN:
 *                       0 (above)
 *   eta        (in)     viscosity (relaxation time)
 *   dt         (in)     time increment; dt + eta must not be 0 */
void SuddenDegradation_viscouse(double* degpeprops, double* degpsprops, const double* peprops,
                                const double* psprops, double* de, double* df, double* g_f,
                                double* g_m, const double* ttol, const double* degrfac,
                                const double* nm, double* degr_old, const double* eta,
                                const double* dt);

/* IsotropicDegradation: degradation of a two-entry isotropic record (modulus,
 * Poisson ratio) once the material has failed or its life is used up, that
 * is when max(d, life) >= 1: the modulus drops to degr times its value and
 * the Poisson ratio to 0 (kept when degr >= 1); before that both are copied.
 * degr is limited to [0, 1], so the modulus never turns negative or stiffer.
 * A NaN degr records status -2 "NaN degradation factor in
 * IsotropicDegradation" in the error record and counts as total loss: once
 * failed, modulus and Poisson ratio are 0. A NaN d or life records status
 * -2 "NaN damage or life in IsotropicDegradation" and counts as failed.
 * Entries from 3 on are not written.
 *   peprops    (in)  undegraded record, at least 2 values
 *   d          (in)  damage, 1 or more: failed
 *   life       (in)  used-up life, 1 or more: failed
 *   degr       (in)  retained fraction of the modulus
 *   degpeprops (out) degraded modulus and Poisson ratio (entries 1 and 2) */
void IsotropicDegradation(const double* peprops, const double* d, const double* life,
                          const double* degr, double* degpeprops);

/* IsotropicDegradation_viscouse: IsotropicDegradation with the retained
 * fraction regularised over time: fr = 1 - dv, dv the viscous regularisation
 * of the loss from 1 - degr_old towards 1 - degr, is stored in degr_old and
 * used for the modulus; the Poisson ratio test still uses degr. degr and fr
 * are each limited to [0, 1]. A NaN degr counts as 0 (the regularisation
 * tends to total loss); a fr that comes out NaN (from degr_old, eta or dt)
 * counts as 0 and is stored so. Either records status -2 "NaN degradation
 * factor in IsotropicDegradation_viscouse". A NaN d or life records status -2
 * "NaN damage or life in IsotropicDegradation_viscouse" and counts as failed.
 *   peprops    (in)     undegraded record, at least 2 values
 *   d          (in)     damage, 1 or more: failed
 *   life       (in)     used-up life, 1 or more: failed
 *   degr       (in)     retained fraction the regularisation tends to
 *   degpeprops (out)    degraded modulus and Poisson ratio (entries 1 and 2)
 *   degr_old   (in/out) regularised fraction of the last call, updated in
 *                       place to the new fr. 0 (the Python default) means
 *                       fully degraded at the start: a ply that starts
 *                       intact passes 1.0 on its first call, then the value
 *                       returned by the last call
 *   eta        (in)     viscosity (relaxation time)
 *   dt         (in)     time increment; dt + eta must not be 0 */
void IsotropicDegradation_viscouse(const double* peprops, const double* d, const double* life,
                                   const double* degr, double* degpeprops, double* degr_old,
                                   const double* eta, const double* dt);

/* viscouseregularisation: viscous regularisation of a damage value,
 * dviscouse = dt/(dt + eta) dnew + eta/(dt + eta) dold: the value relaxes
 * towards dnew with the time constant eta (eta 0 gives dnew). Nothing is
 * recorded.
 *   dold      (in)  value of the last increment
 *   dnew      (in)  value computed for this increment
 *   dviscouse (out) the regularised value
 *   eta       (in)  viscosity (relaxation time)
 *   dt        (in)  time increment; dt + eta must not be 0 */
void viscouseregularisation(const double* dold, const double* dnew, double* dviscouse,
                            const double* eta, const double* dt);

/* getaccumulateddamage: accumulated damage of a laminate, 0 intact to 1
 * fully damaged. Each entry's retained ratio r (degr/nodmg, or 1 - degr when
 * nodmg <= 1e-20, the entries then being damage values) contributes
 * -log10(max(r, 1e-20))/20, between 0 (r = 1) and 1 (r at or below 1e-20);
 * the result is the mean over all entries of all plies. Nothing is recorded.
 *   degr   (in)  ndegr x nply degradation entries per ply
 *   nodmg  (in)  value of an intact entry; 1e-20 or less: the entries are
 *                damage values (0 intact)
 *   ndegr  (in)  entries per ply, at least 1
 *   nply   (in)  number of plies, at least 1
 *   result (ret) the accumulated damage */
double getaccumulateddamage(const double* degr, const double* nodmg, const int32_t* ndegr,
                            const int32_t* nply);

/* GetNyeDegradationMatrix: places the nine degradation factors into a matrix
 * of the shape of a Nye-order ply stiffness (11, 22, 33, 12, 13, 23), to be
 * multiplied entry by entry; entries no factor addresses stay 1. ntens 3
 * (11, 22, 12): d11 = f1, d12 = d21 = f2, d22 = f3, d33 = f4. ntens 4 and 6:
 * the same with f4 at (4, 4), plus d13 = d31 = f7, d23 = d32 = f8, d33 = f9
 * and, for 6, d55 = f5, d66 = f6; with psflag 0 only the first four. Any
 * other ntens records status -2 ("Unsupported dimension in
 * GetNyeDegradationMatrix") and leaves d all ones (from Python, a negative
 * ntens is a ValueError).
 *   d      (out) ntens x ntens factors
 *   degrf  (in)  9 factors: 11, coupling 12, 22, first, second and third
 *                shear, coupling 13, coupling 23, 33
 *   ntens  (in)  3, 4 or 6
 *   psflag (in, optional) 0: the plane-stress form for ntens 4 and 6 (f1 to
 *                f4 only); otherwise (default) the full form */
void GetNyeDegradationMatrix(double* d, const double* degrf, const int32_t* ntens,
                             const int32_t* psflag);

/* FalcomDegradation: the nine degradation factors (1 intact, 1e-20 lost, in
 * the order of GetNyeDegradationMatrix) of a damage state, by the scheme
 * degrid. Placed by GetNyeDegradationMatrix and multiplied entry by entry
 * into a Nye-order ply stiffness C (11, 22, 33, 12, 13, 23), they scale: f1
 * C11, f2 C12 and C21, f3 C22, f4 the in-plane shear C44 (12), f5 C55 (13),
 * f6 C66 (23), f7 C13 and C31, f8 C23 and C32, f9 C33 (in the plane-stress 3
 * x 3 form (11, 22, 12): f1 to f3 as there, f4 the shear C33; f5 to f9 then
 * scale nothing). All flags 0 gives all ones. Schemes (flag k "on" when dds(k) is
 * 1.0; "fill": every factor 1e-20; later settings overwrite earlier ones):
 * 0 fill when any flag is on. 1 dds(1) gives f1 = fa(1), for fabric dds(2)
 * also f3 = fa(1); dds(7) fills. 2 dds(1) gives f1 = fa(2), for fabric dds(2)
 * f3 = fa(2); dds(6) gives f5 = f6 = fa(4), and with dds(4) also f2, f3, f4,
 * f8 (tape) or f2, f4, f7, f8 (fabric) = fa(3); dds(7) fills. 3 dds(7) fills,
 * then f9 = 0.015. 4 tape: dds(1) gives f1 = 0.5, f2 = f3 = f4 = 0.1, dds(4)
 * gives f2 = f3 = f4 = 0.1; fabric: dds(1) gives f1 = 0.5, f2 = f4 = 0.1 (f3 =
 * 0.5 with dds(2)), else dds(2) gives f2 = f4 = 0.1, f3 = 0.5; then dds(4)
 * gives f2 = f4 = 0.1. 5 tape: dds(1) gives f1 = f2 = f7 = 0.5, f4 = f6 =
 * 1e-20, dds(4) gives f2, f3, f4, f5, f8 = 1e-20; fabric: dds(1) gives f1 =
 * f2 = 0.5 and with dds(2) f3 = f7 = f8 = 0.5, f4 = f5 = f6 = 1e-20, without
 * it f4 = f6 = 1e-20, f7 = 0.5; else dds(2) gives f2 = f3 = f8 = 0.5, f4 = f5
 * = 1e-20; then dds(4) gives f2, f4 to f8 = 1e-20; both: dds(5) or dds(6)
 * gives f5 = f6 = 1e-20, dds(7) fills. Finally, when dds(8) is on, rdisc < 1
 * multiplies every non-zero factor by rdisc, and rdisc below 1e-20 fills; a
 * NaN rdisc fills too, with status -2 "NaN knock-down factor in
 * FalcomDegradation". A
 * flag that is NaN has no verdict and counts as on (failed), with status -2
 * "NaN damage flag in FalcomDegradation" (flags a scheme does not read are
 * not judged). A degrid outside 0..5 (with a flag set) records status -2 ("Unsupported
 * degradation scheme in FalcomDegradation") and gives all ones.
 *   d         (out) 9 degradation factors: C11, C12, C22, C44 (12 shear),
 *                   C55 (13 shear), C66 (23 shear), C13, C23, C33
 *   dds       (in)  10 damage flags, 1.0 (or NaN) marking a failed mode (3,
 *                   9 and 10 read by scheme 0 only)
 *   rdisc     (in)  global knock-down applied when dds(8) is on; NaN:
 *                   every factor 1e-20 (above)
 *   degrid    (in)  scheme 0 to 5
 *   plyistape (in)  1-byte flag: true for a tape ply, false for fabric
 *   fa        (in, optional) 4 scheme factors, default (0.3, 0.3, 0.5, 0.5) */
void FalcomDegradation(double* d, const double* dds, const double* rdisc, const int32_t* degrid,
                       const vx_l1* plyistape, const double* fa);

#ifdef __cplusplus
}
#endif
#endif
