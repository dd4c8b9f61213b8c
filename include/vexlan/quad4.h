/* Shape functions of the four-node quadrilateral (component quad4).
 * Natural coordinates in [-1, 1]; nodes 1 (-1,-1), 2 (1,-1), 3 (1,1),
 * 4 (-1,1). Derivative selectors 1 = xi, 2 = eta. A bad selector or node
 * number records status -2 and gives 0. */
#ifndef VEXLAN_QUAD4_H
#define VEXLAN_QUAD4_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Quad4SF: value of the bilinear shape function of one node of the
 * quadrilateral, N = (1 + xi xi_i)(1 + eta eta_i) / 4. A node number outside
 * 1..4 records status -2 and gives 0.
 *   xi, eta (in)  natural coordinates, each in [-1, 1]
 *   inode   (in)  node number 1..4, at (xi, eta) 1 (-1,-1), 2 (1,-1),
 *                 3 (1,1), 4 (-1,1)
 *   result  (ret) N of node inode at the point */
double Quad4SF(const double* xi, const double* eta, const int32_t* inode);

/* Quad4FirstDerivSF: first partial derivative of the shape function of one
 * node of the quadrilateral. A selector other than 1 or 2, then a node number
 * outside 1..4, records status -2 and gives 0.
 *   xi, eta (in)  natural coordinates
 *   inode   (in)  node number 1..4, at (xi, eta) 1 (-1,-1), 2 (1,-1),
 *                 3 (1,1), 4 (-1,1)
 *   idvar   (in)  coordinate to differentiate by: 1 xi, 2 eta
 *   result  (ret) the derivative */
double Quad4FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);

#ifdef __cplusplus
}
#endif
#endif
