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

/* cload: concentrated load for the solver's user-load interface: the
 * contact force divided by 2.5e-7 for a point load (ldflag 1: non-negative
 * forces only; -1: every force), 0 for the other kinds; halved for each of
 * SYMX, SYMY, SYM2 and quartered for SYM4 in the load name. With ldflag 0 the
 * kind is first taken from the keywords of the name (later keywords win,
 * COSINE and EDGE last); a name without one records status -2 and gives 0.
 *   f      (out) load value
 *   ldflag (in/out) load kind: 1 POINT, 2 UNIFORM, 3 PYRAMIDAL, 4 PARABOLIC,
 *                5 HERTZIAN, 6 AUTOMATIC, 7 SINE, 8 COSINE, 9 EDGE, -1 a point
 *                load that passes negative forces; 0 on entry: determined
 *                from sname and returned for the next call
 *   cforce (in)  contact force
 *   sname  (in)  load name (blank-padded, upper case keywords) */
void cload(double* f, double* ldflag, const double* cforce, const char* sname, size_t sname_len);

/* deload: element load from the contact forces of the impactors whose
 * numbers stand as whole numbers in the load name: the sum of force / (2
 * contact length), halved once for SYMX, SYMY or SYM2 in the name, acting
 * along the negated surface normal. Only impactors 1..nimp are looked for: a
 * name whose numbers are all beyond nimp (or that holds none) gives 0, and
 * nothing is recorded.
 *   alpha  (out) load magnitude
 *   t_user (out) 3 components of the load direction, -dircos(:,3) with
 *                entries below 1e-10 in magnitude set to 0
 *   kstep  (in)  solver step number, not used
 *   kinc   (in)  increment number, not used
 *   time   (in)  2 time values, not used
 *   noel   (in)  element label, not used
 *   npt    (in)  load point number, not used
 *   coords (in)  3 coordinates of the load point, not used
 *   dircos (in)  3 x 3, columns the two in-plane directions and the normal
 *   jltyp  (in)  load type of the solver, not used
 *   sname  (in)  load name holding the numbers of the impactors
 *   cprops (in)  20 x nimp impactor contact records (1 force, 18 contact
 *                length)
 *   dprops (in/out) 12 x nimp impactor load records, returned unchanged
 *   nimp   (in)  number of impactors */
void deload(double* alpha, double* t_user, const int32_t* kstep, const int32_t* kinc, const double* time,
            const int32_t* noel, const int32_t* npt, const double* coords, const double* dircos,
            const int32_t* jltyp, const char* sname, const double* cprops, double* dprops,
            const int32_t* nimp, size_t sname_len);

/* dsload: distributed surface load over the contact patch of each
 * impactor. In steps of type 0, 2 and 3 the load records track, per
 * impactor, the element nearest to the impact point and the patch half-sizes
 * it spans; in steps of type 2 and 3 the load of the record's patch shape (2
 * uniform, 3 pyramidal, 4 parabolic, 5 Hertzian, 6 automatic: Hertzian
 * inside the contact radius, else parabolic, 8 cosine) is added where the
 * load point lies inside the patch. The load changes sign on continuum
 * shells and solids (kinds 9, 10, 11). A kstep outside the step types
 * records status -2 and changes nothing. With an elemid above 0, an nelem
 * below 0 or beyond elemlist and elemkind records status -2; the load is
 * then returned without that change of sign, as it is while either array is
 * not allocated.
 *   alpha  (out) load magnitude
 *   t_user (out) 3 components of the load direction, the normal reflected
 *                across the surface plane
 *   kstep  (in)  solver step number, selects the step type
 *   coords (in)  3 coordinates of the load point
 *   dircos (in)  3 x 3, columns the two in-plane directions and the normal
 *   cprops (in)  20 x nimp impactor contact records (1 force, 2 contact
 *                radius)
 *   dprops (in/out) 12 x nimp impactor load records: 1 patch shape, 2..4
 *                impact point, 5 nearest element, 6 and 7 smallest and
 *                largest distance, 8..11 patch half-sizes
 *   nimp   (in)  number of impactors
 *   elemid (in, optional) element label of the load point; default 0 */
void dsload(double* alpha, double* t_user, const int32_t* kstep, const double* coords, const double* dircos,
            const double* cprops, double* dprops, const int32_t* nimp, const int32_t* elemid);

/* CAMPLITUDE: amplitude by monotone cubic interpolation of a table at
 * xvalue. An odd number of table values, fewer than two points or x values
 * not strictly increasing record status -2 and give 0.
 *   amp    (out) amplitude
 *   xydata (in)  ndata values: the ndata/2 x values, then the y values
 *   xvalue (in)  abscissa
 *   ndata  (in)  number of table values, even
 *   skip   (in, optional) 1-byte flag: true gives 0 at once; default false */
void CAMPLITUDE(double* amp, const double* xydata, const double* xvalue, const int32_t* ndata,
                const vx_l1* skip);

/* CHYSTERESIS: amplitude with a loading and an unloading branch: while x
 * keeps rising the rising part of the table is interpolated (monotone cubic)
 * and the peak remembered in passed; once x falls below the peak the table
 * is used in reverse order (the unloading branch) until the caller resets
 * passed. x is limited to the branch's range. An odd number of table values
 * or an unusable branch records status -2 and gives 0.
 *   amp    (out) amplitude
 *   passed (in/out) peak memory: start it below the first x value; the
 *                largest real once unloading began
 *   xydata (in)  ndata values: the ndata/2 x values, then the y values
 *   xvalue (in)  abscissa
 *   ndata  (in)  number of table values, even
 *   skip   (in, optional) 1-byte flag: true gives 0 at once; default false */
void CHYSTERESIS(double* amp, double* passed, const double* xydata, const double* xvalue,
                 const int32_t* ndata, const vx_l1* skip);

/* UniformSurfaceLoad: intensity of a force spread uniformly over a patch of
 * half-sizes a and b, f / (4 a b).
 *   f              (in)  force
 *   relementlength (in)  half-size a of the patch along r
 *   selementlength (in)  half-size b of the patch along s
 *   result         (ret) load per unit area */
double UniformSurfaceLoad(const double* f, const double* relementlength, const double* selementlength);

/* PyramidalSurfaceLoad: intensity of a force spread as a pyramid over a
 * patch of half-sizes a and b, f / (a b) (1 - |r - r0| / a)(1 - |s - s0| / b).
 *   f              (in)  force
 *   rcorr, scorr   (in)  in-plane coordinates (r, s) of the load point
 *   r0, s0         (in)  in-plane coordinates of the patch centre
 *   relementlength (in)  half-size a of the patch along r
 *   selementlength (in)  half-size b of the patch along s
 *   result         (ret) load per unit area at the point */
double PyramidalSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                            const double* s0, const double* relementlength, const double* selementlength);

/* ParabolicSurfaceLoad: intensity of a force spread as a paraboloid over a
 * patch of half-sizes a and b,
 * 3 f / (8 a b) (1 - (r - r0)^2 / (a^2 + a b) - (s - s0)^2 / (b^2 + a b)).
 *   f              (in)  force
 *   rcorr, scorr   (in)  in-plane coordinates (r, s) of the load point
 *   r0, s0         (in)  in-plane coordinates of the patch centre
 *   relementlength (in)  half-size a of the patch along r
 *   selementlength (in)  half-size b of the patch along s
 *   result         (ret) load per unit area at the point */
double ParabolicSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                            const double* s0, const double* relementlength, const double* selementlength);

/* HertzianSurfaceLoad: Hertzian contact pressure of a force over an
 * elliptic contact area with radii a and b,
 * 3 f / (2 pi a b) sqrt(1 - ((r - r0) / a)^2 - ((s - s0) / b)^2); 0 outside
 * the ellipse.
 *   f            (in)  force
 *   rcorr, scorr (in)  in-plane coordinates (r, s) of the load point
 *   r0, s0       (in)  in-plane coordinates of the contact centre
 *   rcontradius  (in)  contact radius a along r
 *   scontradius  (in)  contact radius b along s
 *   result       (ret) pressure at the point */
double HertzianSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                           const double* s0, const double* rcontradius, const double* scontradius);

/* CosineSurfaceLoad: intensity of a force spread as a cosine bump over a
 * patch of half-sizes a and b, a quarter period per half-size (zero at the
 * edges, integrating to f): pi^2 f / (16 a b) cos(pi (r - r0) / (2 a))
 * cos(pi (s - s0) / (2 b)).
 *   f              (in)  force
 *   rcorr, scorr   (in)  in-plane coordinates (r, s) of the load point
 *   r0, s0         (in)  in-plane coordinates of the patch centre
 *   relementlength (in)  half-size a of the patch along r
 *   selementlength (in)  half-size b of the patch along s
 *   result         (ret) load per unit area at the point */
double CosineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                         const double* s0, const double* relementlength, const double* selementlength);

/* SineSurfaceLoad: intensity of a force spread by a sine pattern over a patch
 * of half-sizes a and b, f / (a b) sin(pi (r - r0) / a) sin(pi (s - s0) / b)
 * (antisymmetric about the centre; the surface load does not apply it).
 *   f              (in)  force
 *   rcorr, scorr   (in)  in-plane coordinates (r, s) of the load point
 *   r0, s0         (in)  in-plane coordinates of the patch centre
 *   relementlength (in)  half-size a of the patch along r
 *   selementlength (in)  half-size b of the patch along s
 *   result         (ret) load per unit area at the point */
double SineSurfaceLoad(const double* f, const double* rcorr, const double* scorr, const double* r0,
                       const double* s0, const double* relementlength, const double* selementlength);

#ifdef __cplusplus
}
#endif
#endif
