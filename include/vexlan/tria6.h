/* Shape functions of the six-node triangle (component tria6).
 * Area coordinates xi, eta >= 0, xi + eta <= 1. Nodes: 1 (0,0), 2 (1,0),
 * 3 (0,1), 4 (1/2,0), 5 (1/2,1/2), 6 (0,1/2). Derivative selectors 1 = xi,
 * 2 = eta. A bad selector or node number records status -2 and gives 0. */
#ifndef VEXLAN_TRIA6_H
#define VEXLAN_TRIA6_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Tria6SF: value of the quadratic shape function of one node of the
 * triangle, e.g. N4 = 4 xi (1 - xi - eta). A node number outside 1..6
 * records status -2 and gives 0.
 *   xi, eta (in)  area coordinates
 *   inode   (in)  node number 1..6, at (xi, eta): corners 1 (0,0), 2 (1,0),
 *                 3 (0,1); mid-sides 4 (1/2,0), 5 (1/2,1/2), 6 (0,1/2)
 *   result  (ret) N of node inode at the point */
double Tria6SF(const double* xi, const double* eta, const int32_t* inode);

/* Tria6FirstDerivSF: first partial derivative of the shape function of one
 * node of the triangle. A selector other than 1 or 2, then a node number
 * outside 1..6, records status -2 and gives 0.
 *   xi, eta (in)  area coordinates
 *   inode   (in)  node number 1..6, at (xi, eta): corners 1 (0,0), 2 (1,0),
 *                 3 (0,1); mid-sides 4 (1/2,0), 5 (1/2,1/2), 6 (0,1/2)
 *   idvar   (in)  coordinate to differentiate by: 1 xi, 2 eta
 *   result  (ret) the derivative */
double Tria6FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);

/* Tria6SecondDerivSF: second partial derivative of the shape function of one
 * node of the triangle by two coordinates, in either order (constant over the
 * element). Bad selectors or node numbers record status -2 and give 0
 * (checked in the order idvar, iidvar, inode).
 *   xi, eta (in)  area coordinates
 *   inode   (in)  node number 1..6, at (xi, eta): corners 1 (0,0), 2 (1,0),
 *                 3 (0,1); mid-sides 4 (1/2,0), 5 (1/2,1/2), 6 (0,1/2)
 *   idvar   (in)  first coordinate: 1 xi, 2 eta
 *   iidvar  (in)  second coordinate: 1 xi, 2 eta
 *   result  (ret) the derivative */
double Tria6SecondDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar,
                          const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
