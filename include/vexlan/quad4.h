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

/* Value of the shape function of one node.
 *   xi, eta (in) natural coordinates
 *   inode   (in) node number 1..4 */
double Quad4SF(const double* xi, const double* eta, const int32_t* inode);
/* First partial derivative of N_inode.
 *   idvar   (in) coordinate to differentiate by, 1 or 2 */
double Quad4FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);

#ifdef __cplusplus
}
#endif
#endif
