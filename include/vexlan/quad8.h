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

/* Value of the shape function of one node.
 *   xi, eta (in) natural coordinates
 *   inode   (in) node number 1..8 */
double Quad8SF(const double* xi, const double* eta, const int32_t* inode);
/* First partial derivative of N_inode.
 *   idvar   (in) coordinate to differentiate by, 1 or 2 */
double Quad8FirstDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar);
/* Second partial derivative of N_inode by idvar, then iidvar (each 1 or 2). */
double Quad8SecondDerivSF(const double* xi, const double* eta, const int32_t* inode, const int32_t* idvar,
                          const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
