/* Shape functions of the eight-node serendipity quadrilateral (component
 * quad8). Natural coordinates in [-1, 1]; corners 1 (-1,-1), 2 (1,-1),
 * 3 (1,1), 4 (-1,1); mid-sides 5 (0,-1), 6 (1,0), 7 (0,1), 8 (-1,0).
 * Derivative selectors 1 = xi, 2 = eta. A bad selector or node number records
 * status -2 and gives 0. */
#ifndef VEXLAN_QUAD8_H
#define VEXLAN_QUAD8_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Quad8SF: value of the quadratic serendipity shape function of one node of
 * the quadrilateral. A node number outside 1..8 records status -2 and gives 0.
 *   xi, eta (in)  natural coordinates, each in [-1, 1]
 *   inode   (in)  node number 1..8, at (xi, eta): corners 1 (-1,-1),
 *                 2 (1,-1), 3 (1,1), 4 (-1,1); mid-sides 5 (0,-1), 6 (1,0),
 *                 7 (0,1), 8 (-1,0)
 *   result  (ret) N of node inode at the point */
double Quad8SF(const double* xi, const double* eta, const int32_t* inode);

/* Quad8FirstDerivSF: first partial derivative of the shape function of one
 * node of the serendipity quadrilateral. A selector other than 1 or 2, then a
 * node number outside 1..8, records status -2 and gives 0.
 *   xi, eta (in)  natural coordinates
 *   inode   (in)  node number 1..8, at (xi, eta): corners 1 (-1,-1),
 *                 2 (1,-1), 3 (1,1), 4 (-1,1); mid-sides 5 (0,-1), 6 (1,0),
 *                 7 (0,1), 8 (-1,0)
 *   idvar   (in)  coordinate to differentiate by: 1 xi, 2 eta
 *   result  (ret) the derivative */
double Quad8FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);

/* Quad8SecondDerivSF: second partial derivative of the shape function of one
 * node of the serendipity quadrilateral by two coordinates, in either order.
 * Bad selectors or node numbers record status -2 and give 0 (checked in the
 * order idvar, iidvar, inode).
 *   xi, eta (in)  natural coordinates
 *   inode   (in)  node number 1..8, at (xi, eta): corners 1 (-1,-1),
 *                 2 (1,-1), 3 (1,1), 4 (-1,1); mid-sides 5 (0,-1), 6 (1,0),
 *                 7 (0,1), 8 (-1,0)
 *   idvar   (in)  first coordinate: 1 xi, 2 eta
 *   iidvar  (in)  second coordinate: 1 xi, 2 eta
 *   result  (ret) the derivative */
double Quad8SecondDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar,
                          const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
