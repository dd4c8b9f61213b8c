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

/* Value of the shape function of one node.
 *   xi, eta, zeta (in) natural coordinates
 *   inode         (in) node number 1..8 */
double Hex8SF(const double* xi, const double* eta, const double* zeta, const int32_t* inode);
/* First partial derivative of N_inode.
 *   idvar         (in) coordinate to differentiate by, 1..3 */
double Hex8FirstDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                        const int32_t* idvar);
/* Second partial derivative of N_inode by idvar, then iidvar (each 1..3). */
double Hex8SecondDerivSF(const double* xi, const double* eta, const double* zeta, const int32_t* inode,
                         const int32_t* idvar, const int32_t* iidvar);

#ifdef __cplusplus
}
#endif
#endif
