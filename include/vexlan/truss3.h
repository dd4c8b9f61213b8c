/* Shape functions of the three-node line element (component truss3).
 * Natural coordinate xi in [-1, 1]; node 1 at xi = -1, node 2 (middle) at
 * xi = 0, node 3 at xi = 1. A node number outside 1..3 records status -2 in
 * the error record and gives 0. */
#ifndef VEXLAN_TRUSS3_H
#define VEXLAN_TRUSS3_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Truss3SF: value of the quadratic shape function of one node of the line
 * element: N1 = -xi (1 - xi) / 2, N2 = 1 - xi^2, N3 = xi (xi + 1) / 2. A node
 * number outside 1..3 records status -2 and gives 0.
 *   xi     (in)  natural coordinate in [-1, 1]
 *   inode  (in)  node number 1..3: 1 at xi = -1, 2 (the middle node) at
 *                xi = 0, 3 at xi = 1
 *   result (ret) N of node inode at xi */
double Truss3SF(const double* xi, const int32_t* inode);

/* Truss3FirstDerivSF: derivative dN/dxi of the shape function of one node of
 * the line element. A node number outside 1..3 records status -2 and gives 0.
 *   xi     (in)  natural coordinate in [-1, 1]
 *   inode  (in)  node number 1..3: 1 at xi = -1, 2 (the middle node) at
 *                xi = 0, 3 at xi = 1
 *   result (ret) the derivative */
double Truss3FirstDerivSF(const double* xi, const int32_t* inode);

#ifdef __cplusplus
}
#endif
#endif
