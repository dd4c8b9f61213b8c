/* Resin (polymer matrix) property models (component resin): temperature
 * rules over two calibration blocks with an optional high-temperature modulus
 * model, flow parameters and secant moduli from the calibration tables of the
 * material data, table interpolation over strain and temperature, the signed
 * equivalent strain and an endochronic viscoplastic stress update.
 * Temperatures are absolute (kelvin). Diagnostic lines go to standard output
 * when the element number noel equals the debug selector edebug of
 * debugdata, which starts at 0: a call with noel 0 prints unless edebug has
 * been set to another value. */
#ifndef VEXLAN_RESIN_H
#define VEXLAN_RESIN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetResinProperties: resin constants at a temperature from two calibration
 * blocks: the colder block's values below its temperature, the warmer block's
 * above, linear interpolation in between. With more than 28 values and temp
 * above 293.15 K the modulus follows the high-temperature model, scaled by
 * the modulus of the block at room temperature (293 or 293.15 K): the
 * low-temperature block's modulus up to T0, a line in degrees Celsius up to
 * T1, a parabola up to T2, then an exponential decay towards the rubbery
 * modulus governed by Tg and the exponent. xc is the interpolated ratio times
 * xt. Equal block temperatures give non-finite values. From C, nprops below
 * 20, or from 29 to 31 (an incomplete model), records status -2 "Too few
 * resin constants in GetResinProperties" and gives NaN in every output but
 * degr. From Python, nprops defaults to len(props), and such a count is
 * refused with ValueError before the call. With noel equal to edebug the
 * temperatures and moduli are printed.
 *   props       (in)  nprops values: block A (1..9: E, nu, num, xt, np, gamma,
 *                     xc/xt ratio, Woehler coefficient, Woehler exponent) and
 *                     its temperature (10), block B (11..19) and its
 *                     temperature (20), degr (21), high-temperature model
 *                     (22..32: c2, c1, c0, b1, b0, T0, T1, T2, Tg, exponent,
 *                     rubbery modulus)
 *   nprops      (in)  length of props: 20 or more, at least 32 for the model
 *   temp        (in)  temperature in kelvin
 *   e           (out) Young's modulus
 *   nu          (out) Poisson ratio
 *   num         (out) Poisson-ratio slope of the non-constant Poisson law
 *   gamma       (out) nonlinearity parameter of the isotropic secant laws
 *   degr        (out) props(21), passed through; untouched when nprops < 21
 *                     or the constants are refused
 *   xt          (out) tensile strength
 *   xc          (out) compressive strength, ratio times xt
 *   np          (out) fifth block value np, interpolated like the others
 *   a_woehler   (out) Woehler coefficient
 *   exp_woehler (out) Woehler exponent
 *   noel        (in)  element number, for the diagnostics */
void GetResinProperties(const double* props, const int32_t* nprops, const double* temp,
                        double* e, double* nu, double* num, double* gamma, double* degr,
                        double* xt, double* xc, double* np, double* a_woehler,
                        double* exp_woehler, const int32_t* noel);

/* GetResinPlasticProperties: plastic resin constants at a temperature, by the
 * two-block rule of GetResinProperties over eleven values per block. With
 * more than 25 values the high-temperature model sets et at every
 * temperature, and ec and g follow it in proportion to the room-temperature
 * block. The yield constants a0, a1 come from the flow table of the material
 * data (GetFlowParameters), which records status -2 when it is missing. From
 * C, nprops below 24, or from 26 to 35, records status -2 "Too few resin
 * constants in GetResinPlasticProperties" and gives NaN in every output but
 * degr. From Python, nprops defaults to len(props), and such a count is
 * refused with ValueError before the call.
 *   props         (in)  nprops values: block A (1..11: Et, Ec, G, nut, nuc,
 *                       alpha, xt, xc, np, Woehler coefficient, Woehler
 *                       exponent) with its temperature at 12, block B (13..23)
 *                       with its temperature at 24, degr (25),
 *                       high-temperature model (26..36, order as in
 *                       GetResinProperties)
 *   nprops        (in)  length of props: 24 or more, at least 36 for the model
 *   temp          (in)  temperature in kelvin
 *   eqplaststrain (in)  equivalent plastic strain, for the flow table
 *   et, ec        (out) tensile and compressive modulus
 *   g             (out) shear modulus
 *   nut, nuc      (out) tensile and compressive Poisson ratio
 *   a0, a1        (out) yield surface constants from the flow table
 *   alpha         (out) flow potential constant
 *   degr          (out) props(25), passed through; untouched when nprops < 25
 *                       or the constants are refused
 *   xt, xc        (out) tensile and compressive strength
 *   np            (out) ninth block value np, interpolated like the others
 *   a_woehler     (out) Woehler coefficient
 *   exp_woehler   (out) Woehler exponent */
void GetResinPlasticProperties(const double* props, const int32_t* nprops, const double* temp,
                               const double* eqplaststrain, double* et, double* ec, double* g,
                               double* nut, double* nuc, double* a0, double* a1, double* alpha,
                               double* degr, double* xt, double* xc, double* np,
                               double* a_woehler, double* exp_woehler);

/* GetResinOrthotropicProperties: strain-softened orthotropic resin constants.
 * From the isotropic constants of GetResinProperties, each direct modulus is
 * E / (1 + alpha |strain|) and each shear modulus G / (1 + alpha |shear
 * strain|), with alpha from the normal and shear calibration tables of the
 * material data at the strain and at temp limited to the table temperatures.
 * The Poisson ratios split 2 nu by the modulus ratios (nu21 = 2
 * nu / (E1/E2 + 1), nu12 = 2 nu - nu21, ...). A fully damaged element (d at
 * least 1 with degr below 1) is not softened; a NaN d counts as full damage
 * and records status -2. A missing table records status
 * -2 and leaves that direction unsoftened. Constants that GetResinProperties
 * refuses record its status -2 and give NaN in every output but degr from C;
 * from Python such a count is refused with ValueError before the call.
 *   props, nprops (in)  resin constants as GetResinProperties
 *   temp          (in)  temperature in kelvin
 *   dt            (in)  time increment, only printed
 *   stran         (in)  6 strain values, not used
 *   endstran      (in)  6 total strain values 11, 22, 33 and three shears
 *                       (12, 13, 23) at the end of the increment
 *   e1..g23       (out) moduli E1, E2, E3, Poisson ratios nu12, nu13, nu23,
 *                       nu21, nu31, nu32 and shear moduli G12, G13, G23
 *   xt, xc, np    (out) strengths and np as GetResinProperties
 *   a_woehler     (out) Woehler coefficient
 *   exp_woehler   (out) Woehler exponent
 *   degr          (out) props(21), passed through; untouched when nprops < 21
 *                       or the constants are refused
 *   noel          (in)  element number, for the diagnostics
 *   d             (in)  damage of the element, 0 to 1 */
void GetResinOrthotropicProperties(const double* props, const int32_t* nprops,
                                   const double* temp, const double* dt, const double* stran,
                                   const double* endstran, double* e1, double* e2, double* e3,
                                   double* nu12, double* nu13, double* nu23, double* nu21,
                                   double* nu31, double* nu32, double* g12, double* g13,
                                   double* g23, double* xt, double* xc, double* np,
                                   double* a_woehler, double* exp_woehler, double* degr,
                                   const int32_t* noel, const double* d);

/* GetExternalData: value of a calibration table at strain x0 and temperature
 * temp, interpolated in the strain for each of the first two calibration
 * temperatures of the material data, then between those temperatures. A
 * table with fewer than two points or abscissas not strictly increasing, or
 * fewer than two increasing temperatures in the material data, records status
 * -2 and gives 0.
 *   datafield (in)  view of datafield(2, >=ndata, >=2): (t, j, c) = row of
 *                   calibration temperature t, point j, column c (1 strain,
 *                   2 value)
 *   ndata     (in)  number of table points
 *   x0        (in)  strain at which to interpolate
 *   temp      (in)  temperature in kelvin
 *   rvalue    (out) interpolated value
 *   stype     (in)  one character: "C" monotone cubic Hermite, any other
 *                   linear interpolation (both extrapolate) */
void GetExternalData(const vx_view* datafield, const int32_t* ndata, const double* x0,
                     const double* temp, double* rvalue, const char* stype, size_t stype_len);

/* GetFlowParameters: yield surface constants a0, a1 at an equivalent plastic
 * strain and a temperature, by cubic Hermite interpolation of the flow table
 * of the material data (columns 2 and 3) over strain and then linear
 * interpolation between the first two calibration temperatures. Beyond the
 * table both extrapolate: in strain along the end cubic, which need not stay
 * monotone, in temperature along the line. A missing table or fewer than two
 * calibration temperatures record status -2 and give zeros.
 *   eqplaststrain (in)  equivalent plastic strain
 *   a0, a1        (out) yield surface constants
 *   temp          (in)  temperature in kelvin */
void GetFlowParameters(const double* eqplaststrain, double* a0, double* a1, const double* temp);

/* GetModulusFromTable: secant modulus at an equivalent strain and a
 * temperature, by cubic Hermite interpolation of the secant table of the
 * material data over strain and then linear interpolation between the first
 * two calibration temperatures. Beyond the table both extrapolate: in strain
 * along the end cubic, which need not stay monotone, in temperature along
 * the line (temp is not limited to the calibration range). A missing table
 * or fewer than two calibration temperatures record status -2 and give 0.
 *   eqstrain (in)  equivalent strain
 *   e        (out) secant modulus
 *   temp     (in)  temperature in kelvin */
void GetModulusFromTable(const double* eqstrain, double* e, const double* temp);

/* EquivalentStrain: norm of the strain tensor, sqrt(e : e) with the
 * engineering shears halved, carrying the sign of the volumetric strain
 * (trace); a negative zero trace counts as negative. From C, an unsupported
 * length (5, or below 3) records status -2 "Unsupported length of TVoigt in
 * GetTensorComponents" and gives 0; from Python ntens is the length of
 * strain, and such a length is refused with ValueError before the call.
 *   strain   (in)  ntens values with engineering shears: (11, 22, 12),
 *                  (11, 22, 33, 12) or Voigt (11, 22, 33, 23, 13, 12)
 *   eqstrain (out) signed equivalent strain
 *   ndi      (in)  number of direct components, not used
 *   ntens    (in)  3, 4, or 6 and more */
void EquivalentStrain(const double* strain, double* eqstrain, const int32_t* ndi,
                      const int32_t* ntens);

/* EndochroneViscoPlasticity: endochronic viscoplastic stress update of a
 * resin: an elastic part softened exponentially with the deviatoric and
 * volumetric strain, an endochronic plastic part and six viscous relaxation
 * terms (viscosity factors 0.1, 1, 10, 100, 1000, 10000) integrated over the
 * time increment. The shear strains enter as tensor components (the shear
 * stress is 2 G times the strain). With matstate false only the elastic part
 * is returned, with the fixed modulus E0 = 15 and no softening: props(1) and
 * props(2) are not read then, only nu = props(3). From C, fewer constants or
 * state values than listed below record status -2 "Too few constants in
 * EndochroneViscoPlasticity", give a NaN stress and leave statev alone; from
 * Python nprops and nstatev default to the lengths of props and statev, and
 * too few values are refused with ValueError before the call.
 *   stran    (in)  6 strain values at the start of the increment: 11, 22,
 *                  33, then three shears
 *   dstrain  (in)  6 strain increment values
 *   props    (in)  nprops values: 1 E0, 2 softening H, 3 nu, 4 plastic
 *                  modulus, 5 endochronic coefficient, 6..11 moduli of the
 *                  six relaxation terms
 *   stress   (in/out) 6 stress values, replaced by the new stress
 *   statev   (in/out) nstatev state values, at least 42: plastic stress
 *                  (1..6) and the stresses of the six relaxation terms (7..42)
 *   dtime    (in)  time increment
 *   nprops   (in)  length of props: 11, or 3 when matstate is false
 *   nstatev  (in)  length of statev, at least 42
 *   writesdv (in)  1-byte flag: true stores the new state in statev
 *   matstate (in)  1-byte flag: false gives the elastic part only */
void EndochroneViscoPlasticity(const double* stran, const double* dstrain, const double* props,
                               double* stress, double* statev, const double* dtime,
                               const int32_t* nprops, const int32_t* nstatev,
                               const vx_l1* writesdv, const vx_l1* matstate);

#ifdef __cplusplus
}
#endif
#endif
