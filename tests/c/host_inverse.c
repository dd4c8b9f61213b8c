/* A host program with a routine of its own named like one of the library's:
 * the library's internal calls must keep reaching the library's routine. */
#include <stdio.h>
#include "vexlan.h"

/* The host's MatrixInverse: writes infinities, as an unrelated routine of
 * the same name might. */
void MatrixInverse(const double* a, double* ainv, const int32_t* n) {
  (void)a;
  for (int32_t k = 0; k < *n * *n; ++k) ainv[k] = 1.0 / 0.0;
}

int main(void) {
  double fibre[5] = {230e3, 15e3, 15e3, 5e3, 0.2}, matrix[2] = {3500.0, 0.35}, vf = 0.6, ma[9];
  Mura(ma, fibre, matrix, &vf, NULL, NULL, NULL, NULL, NULL);
  double a[4] = {4.0, 2.0, 7.0, 6.0}, inv[4];
  int32_t two = 2;
  MatrixInverse(a, inv, &two); /* the host's own, as the host asked */
  printf("%.17g %.17g %.17g %g\n", ma[0], ma[1], ma[5], inv[0]);
  return 0;
}
