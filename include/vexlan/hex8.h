/* Shape functions of the eight-node brick (component hex8). Natural
 * coordinates in [-1, 1]; nodes 1 (-1,-1,-1), 2 (1,-1,-1), 3 (1,1,-1),
 * 4 (-1,1,-1), 5 (-1,-1,1), 6 (1,-1,1), 7 (1,1,1), 8 (-1,1,1). Derivative
 * selectors 1 = xi, 2 = eta, 3 = zeta. A bad selector or node number records
 * status -2 and gives 0. */
#ifndef VEXLAN_HEX8_H
#define VEXLAN_HEX8_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Hex8SF: value of the trilinear shape function of one node of the brick,
 * N = (1 + xi xi_i)(1 + eta eta_i)(1 + zeta zeta_i) / 8. A node number
 * outside 1..8 records status -2 and gives 0.
 *   xi, eta, zeta (in)  natural coordinates, each in [-1, 1]
 *   inode         (in)  node number 1..8, at (xi, eta, zeta): 1 (-1,-1,-1),
 *                       2 (1,-1,-1), 3 (1,1,-1), 4 (-1,1,-1), 5 (-1,-1,1),
 *                       6 (1,-1,1), 7 (1,1,1), 8 (-1,1,1)
 *   result        (ret) N of node inode at the point */
double Hex8SF(const double* xi, const double* eta, const double* zeta, const int32_t* inode);

/* Hex8FirstDerivSF: first partial derivative of the shape function of one
 * node of the brick. A selector outside 1..3, then a node number outside
 * 1..8, records status -2 and gives 0.
 *   xi, eta, zeta (in)  natural coordinates
 *   inode         (in)  node number 1..8, at (xi, eta, zeta): 1 (-1,-1,-1),
 *                       2 (1,-1,-1), 3 (1,1,-1), 4 (-1,1,-1), 5 (-1,-1,1),
 *                       6 (1,-1,1), 7 (1,1,1), 8 (-1,1,1)
 *   idvar         (in)  coordinate to differentiate by: 1 xi, 2 eta, 3 zeta
 *   result        (ret) the derivative */
double Hex8FirstDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                        const int32_t* idvar);

/* Hex8SecondDerivSF: second partial derivative of the shape function of one
 * node of the brick by two coordinates, in either order; the pure second
 * derivatives are 0. Bad selectors or node numbers record status -2 and give
 * 0 (checked in the order idvar, iidvar, inode).
 *   xi, eta, zeta (in)  natural coordinates
 *   inode         (in)  node number 1..8, at (xi, eta, zeta): 1 (-1,-1,-1),
 *                       2 (1,-1,-1), 3 (1,1,-1), 4 (-1,1,-1), 5 (-1,-1,1),
 *                       6 (1,-1,1), 7 (1,1,1), 8 (-1,1,1)
 *   idvar         (in)  first coordinate: 1 xi, 2 eta, 3 zeta
 *   iidvar        (in)  second coordinate: 1 xi, 2 eta, 3 zeta
 *   result        (ret) the derivative */
double Hex8SecondDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                         const int32_t* idvar, const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
