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

/* Value of the shape function of one node.
 *   xi, eta (in) natural coordinates
 *   inode   (in) node number 1..6 */
double Tria6SF(const double* xi, const double* eta, const int32_t* inode);
/* First partial derivative of N_inode.
 *   idvar   (in) coordinate to differentiate by, 1 or 2 */
double Tria6FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);
/* Second partial derivative of N_inode by idvar, then iidvar (each 1 or 2). */
double Tria6SecondDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar,
                          const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
