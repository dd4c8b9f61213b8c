/* Component delcollection: delamination (interface) criteria. Calling
 * convention as in gpcollection.h; s33 is the interface normal stress, ilss
 * the interlaminar shear strength; suffix l marks the lower ply of an
 * interface, u the upper one. */
#ifndef VEXLAN_DELCOLLECTION_H
#define VEXLAN_DELCOLLECTION_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* DelLee: max(sqrt(s12^2 + s13^2)/ilss, N), N = s33/xt33 or s33/xc33 (signed). */
void DelLee(double* rdel, const double* s33, const double* s12, const double* s13,
            const double* xt33, const double* xc33, const double* ilss);

/* DelOchoaEngblom: sqrt((s13^2 + s23^2)/ilss^2 + N^2), N from xt33, xc33. */
void DelOchoaEngblom(double* rdel, const double* s33, const double* s13, const double* s23,
                     const double* xt33, const double* xc33, const double* ilss);

/* DelHashin: sqrt(N^2 + (s23/ilss)^2 + (s13/ilss)^2), N from xt22, xc22. */
void DelHashin(double* rdel, const double* s33, const double* s13, const double* s23,
               const double* xt22, const double* xc22, const double* ilss);

/* DelPuck: Puck's action-plane formula on the interface plane.
 *   gp (in, optional) 4 inclination parameters, default (0.3, 0.2, 0.15, 0.15) */
void DelPuck(double* rdel, const double* s33, const double* s13, const double* s23,
             const double* xt22, const double* xc22, const double* ilss, const double* gp);

/* DelChoiChang: sqrt(da ((s23u/ilssu)^2 + (s22l/Y)^2 + (s13l/ilssl)^2)).
 *   da (in, optional) empirical factor, default 1.8 */
void DelChoiChang(double* rdel, const double* s22l, const double* s13l, const double* s23u,
                  const double* xt22l, const double* xc22l, const double* ilssl,
                  const double* ilssu, const double* da);

/* DelChai: sqrt(df1 (s22l/Y)^2 + df2 (s23u/x23u)^2 + 1.875 df3 (s13l/ilssl)^2).
 *   df1, df2, df3 (in) interface factors of the two plies */
void DelChai(double* rdel, const double* s22l, const double* s13l, const double* s23u,
             const double* xt22l, const double* xc22l, const double* x23u, const double* ilssl,
             const double* df1, const double* df2, const double* df3);

#ifdef __cplusplus
}
#endif
#endif
