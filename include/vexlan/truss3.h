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

/* Value of the shape function of one node.
 *   xi     (in) natural coordinate
 *   inode  (in) node number 1..3 */
double Truss3SF(const double* xi, const int32_t* inode);
/* dN/dxi of one node; arguments as Truss3SF. */
double Truss3FirstDerivSF(const double* xi, const int32_t* inode);

#ifdef __cplusplus
}
#endif
#endif
