/* Calls a few routines through their exported symbols, as solver code does. */
#include <stdio.h>
#include <string.h>
#include "vexlan.h"

int main(void) {
  int32_t n = 3, istat = -1, reset = 0;
  double a[9], inv[9];
  GetIdentityMatrix(a, &n);
  printf("identity %g %g %g\n", a[0], a[1], a[4]);

  double m[4] = {4.0, 2.0, 7.0, 6.0}; /* column-major [[4,7],[2,6]] */
  int32_t two = 2;
  MatrixInverse(m, inv, &two);
  printf("inverse %.4f %.4f %.4f %.4f\n", inv[0], inv[1], inv[2], inv[3]);

  double list[4] = {1.0, 2.5, -0.0, 9.0}, x = 0.0, y = 5.0;
  int32_t four = 4, notfound = -7;
  printf("location %d %d\n", fFindLocation(&x, list, &four, NULL), fFindLocation(&y, list + 2, &two, &notfound));

  char low[8];
  int32_t k = 5;
  lowercase(low, sizeof low, "HeLLo", &k, 5);
  printf("lowercase [%.8s]\n", low);

  int32_t code = -2, iv[2] = {1, 2}, ni = 2, nr = 1, rows = 1, cols = 1, codes[1] = {65};
  double rv[1] = {0.5};
  const char* msg = "Error from C";
  xerr(&code, msg, iv, &ni, rv, &nr, codes, &rows, &cols, NULL, strlen(msg));
  code = -3;
  xerr(&code, "second", iv, &ni, rv, &nr, codes, &rows, &cols, NULL, 6);
  vx_l1 yes = 1;
  rsxerr(&reset, &yes);
  printf("reset %d\n", reset);

  int32_t kp = 3, ks = 1, kd = 2;
  allocatedamagedata(&istat, &kp, &ks, &kd);
  deallocall(&istat);
  printf("istat %d\n", istat);
  return 0;
}
