/* Loads and amplitudes for the solver's user-load interfaces (component
 * sldcollection): concentrated loads, element loads and surface loads driven
 * by impactor contact forces, the surface-load patch shapes, and tabulated
 * amplitudes.
 *
 * Load kinds (ldflag) from keywords in the load name: 1 POINT, 2 UNIFORM,
 * 3 PYRAMIDAL, 4 PARABOLIC, 5 HERTZIAN, 6 AUTOMATIC, 7 SINE, 8 COSINE,
 * 9 EDGE; -1 (set by the caller) a point load that passes negative forces.
 * Impactor records: cprops(20, nimp) contact force (1), contact radius (2),
 * contact length (18); dprops(12, nimp) patch shape (1), impact point (2:4),
 * patch tracking (5:11). */
#ifndef VEXLAN_SLDCOLLECTION_H
#define VEXLAN_SLDCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Concentrated load.
 *   f        (out)   load value
 *   ldflag   (inout) load kind; 0 on entry: determined from sname
 *   cforce   (in)    contact force
 *   sname    (in)    load name (blank-padded)
 *   sname_len(in)    length of sname */
void cload(double* f, double* ldflag, const double* cforce, const char* sname, size_t sname_len);

/* Element load from the contact forces of the impactors named in sname.
 *   alpha    (out)   load magnitude
 *   t_user   (out)   load direction (3), the negated surface normal
 *   kstep, kinc, time(2), noel, npt, coords(3) (in) accepted, not used
 *   dircos   (in)    (3,3) columns: in-plane directions and normal
 *   jltyp    (in)    accepted, not used
 *   sname    (in)    load name
 *   cprops   (in)    (20, nimp) impactor contact records
 *   dprops   (inout) (12, nimp) impactor load records, returned unchanged
 *   nimp     (in)    number of impactors */
void deload(double* alpha, double* t_user, const int32_t* kstep, const int32_t* kinc, const double* time,
            const int32_t* noel, const int32_t* npt, const double* coords, const double* dircos,
            const int32_t* jltyp, const char* sname, const double* cprops, double* dprops,
            const int32_t* nimp, size_t sname_len);

/* Distributed surface load following the contact patch of each impactor.
 *   alpha    (out)   load magnitude
 *   t_user   (out)   load direction (3)
 *   kstep    (in)    solver step number (index into the step types)
 *   coords   (in)    (3) load point
 *   dircos   (in)    (3,3) columns: in-plane directions and normal
 *   cprops   (in)    (20, nimp) impactor contact records
 *   dprops   (inout) (12, nimp) impactor load records (patch tracking)
 *   nimp     (in)    number of impactors
 *   elemid   (in)    element label of the load point; NULL: 0 */
void dsload(double* alpha, double* t_user, const int32_t* kstep, const double* coords, const double* dircos,
            const double* cprops, double* dprops, const int32_t* nimp, const int32_t* elemid);

/* Amplitude by monotone cubic interpolation of a table.
 *   amp      (out) amplitude
 *   xydata   (in)  (ndata) x values, then y values
 *   xvalue   (in)  abscissa
 *   ndata    (in)  number of table values (even)
 *   skip     (in)  1-byte flag: true gives 0 at once; NULL: false */
void CAMPLITUDE(double* amp, const double* xydata, const double* xvalue, const int32_t* ndata,
                const vx_l1* skip);
/* Hysteresis amplitude: loading branch while x rises, reversed table after.
 *   passed   (inout) peak memory; the largest real once unloading began
 *   other arguments as CAMPLITUDE */
void CHYSTERESIS(double* amp, double* passed, const double* xydata, const double* xvalue,
                 const int32_t* ndata, const vx_l1* skip);

/* Patch shapes: load intensity at (r, s) of a force f over a patch centred at
 * (r0, s0) with half-sizes (or contact radii) a = relementlength (rcontradius)
 * and b = selementlength (scontradius). All arguments in. */
double UniformSurfaceLoad(const double* f, const double* relementlength, const double* selementlength);
double PyramidalSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                            const double* s0, const double* relementlength, const double* selementlength);
double ParabolicSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                            const double* s0, const double* relementlength, const double* selementlength);
double HertzianSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                           const double* s0, const double* rcontradius, const double* scontradius);
double CosineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                         const double* s0, const double* relementlength, const double* selementlength);
double SineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                       const double* s0, const double* relementlength, const double* selementlength);

#ifdef __cplusplus
}
#endif
#endif
