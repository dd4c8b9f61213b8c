/* Resin (polymer matrix) property models (component resin): temperature
 * rules over two calibration blocks with an optional high-temperature modulus
 * model, flow parameters and secant moduli from the calibration tables of the
 * material data, table interpolation over strain and temperature, the signed
 * equivalent strain and an endochronic viscoplastic stress update.
 * Temperatures are absolute (kelvin). Diagnostic lines go to standard output
 * when the element number equals the debug selector edebug. */
#ifndef VEXLAN_RESIN_H
#define VEXLAN_RESIN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* GetResinProperties: resin constants at temperature temp.
 *   props (in) props(nprops): two blocks of nine values, each followed by its
 *         temperature (1..10, 11..20), degr (21), high-temperature model 22..32
 *   nprops (in) length of props;  temp (in) temperature
 *   e, nu, num, gamma, degr, xt, xc, np, a_woehler, exp_woehler (out)
 *   noel (in) element number (diagnostics when equal to edebug) */
void GetResinProperties(const double* props, const int32_t* nprops, const double* temp,
                        double* e, double* nu, double* num, double* gamma, double* degr,
                        double* xt, double* xc, double* np, double* a_woehler,
                        double* exp_woehler, const int32_t* noel);

/* GetResinPlasticProperties: plastic resin constants at temperature temp.
 *   props (in) props(nprops): two blocks of eleven values with temperatures at
 *         12 and 24, degr 25, high-temperature model 26..36
 *   nprops (in);  temp (in);  eqplaststrain (in) equivalent plastic strain
 *   et, ec, g, nut, nuc, a0, a1, alpha, degr, xt, xc, np, a_woehler,
 *   exp_woehler (out) */
void GetResinPlasticProperties(const double* props, const int32_t* nprops, const double* temp,
                               const double* eqplaststrain, double* et, double* ec, double* g,
                               double* nut, double* nuc, double* a0, double* a1, double* alpha,
                               double* degr, double* xt, double* xc, double* np,
                               double* a_woehler, double* exp_woehler);

/* GetResinOrthotropicProperties: strain-softened orthotropic resin constants.
 *   props, nprops, temp (in) as GetResinProperties;  dt (in) time increment
 *   stran (in) stran(6) (not used);  endstran (in) endstran(6) total strain
 *   e1..g23 (out) engineering constants;  xt, xc, np, a_woehler, exp_woehler,
 *   degr (out);  noel (in) element number;  d (in) damage */
void GetResinOrthotropicProperties(const double* props, const int32_t* nprops,
                                   const double* temp, const double* dt, const double* stran,
                                   const double* endstran, double* e1, double* e2, double* e3,
                                   double* nu12, double* nu13, double* nu23, double* nu21,
                                   double* nu31, double* nu32, double* g12, double* g13,
                                   double* g23, double* xt, double* xc, double* np,
                                   double* a_woehler, double* exp_woehler, double* degr,
                                   const int32_t* noel, const double* d);

/* GetExternalData: value of a calibration table at strain x0 and temperature,
 * interpolated in the strain for each of the first two calibration
 * temperatures, then between them. A table with fewer than two points or
 * abscissas not strictly increasing, or fewer than two temperatures in the
 * material data, records status -2 and gives 0.
 *   datafield (in) view of datafield(2, >=ndata, >=2): (t, j, c) = row of
 *             calibration temperature t, point j, column c (1 strain, 2 value)
 *   ndata (in) number of table points;  x0 (in) abscissa;  temp (in)
 *   rvalue (out) interpolated value
 *   stype (in) one character: "C" cubic Hermite, other linear
 *   stype_len (in) hidden text length */
void GetExternalData(const vx_view* datafield, const int32_t* ndata, const double* x0,
                     const double* temp, double* rvalue, const char* stype, size_t stype_len);

/* GetFlowParameters: yield constants from the flow table of the material data
 * (status -2 and zeros when the table or the temperatures are missing).
 *   eqplaststrain (in);  a0, a1 (out);  temp (in) */
void GetFlowParameters(const double* eqplaststrain, double* a0, double* a1, const double* temp);

/* GetModulusFromTable: secant modulus from the secant table of the material
 * data (status -2 and zero when the table or the temperatures are missing).
 *   eqstrain (in);  e (out);  temp (in) */
void GetModulusFromTable(const double* eqstrain, double* e, const double* temp);

/* EquivalentStrain: strain norm carrying the sign of the trace.
 *   strain (in) strain(ntens) engineering shears;  eqstrain (out)
 *   ndi (in) direct components;  ntens (in) components */
void EquivalentStrain(const double* strain, double* eqstrain, const int32_t* ndi,
                      const int32_t* ntens);

/* EndochroneViscoPlasticity: endochronic viscoplastic stress update.
 *   stran (in) stran(6);  dstrain (in) dstrain(6) increment
 *   props (in) props(nprops);  stress (in/out) stress(6)
 *   statev (in/out) statev(nstatev), at least 42 values
 *   dtime (in) time increment;  nprops, nstatev (in)
 *   writesdv (in) 1-byte flag: store the new state
 *   matstate (in) 1-byte flag: false gives the elastic part only */
void EndochroneViscoPlasticity(const double* stran, const double* dstrain, const double* props,
                               double* stress, double* statev, const double* dtime,
                               const int32_t* nprops, const int32_t* nstatev,
                               const vx_l1* writesdv, const vx_l1* matstate);

#ifdef __cplusplus
}
#endif
#endif
