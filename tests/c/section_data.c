/* Reads the section card as job control would, then prints the section data
 * and the error record straight from the library's exported objects. */
#include <stdio.h>
#include <string.h>
#include "vexlan.h"

/* Labelled by the descriptor's own name: a program like this one holds copies of
 * the descriptors it names (copy relocations), which must still read right. */
static void print_array(const vx_array* a) {
  printf("%s rank %d kind %c allocated %d extents", a->name, a->rank, a->kind, a->isallocated);
  for (int d = 0; d < a->rank; ++d) printf(" %lld", (long long)a->extents[d]);
  printf("\n");
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  sectiondata_nsec = sectiondata_nplies = 1; /* a new model, as job control sets it */
  getsectiondatafromfile("", argv[1], 0, strlen(argv[1]));
  printf("status %d nsec %d nplies %d\n", errorhandling_errstat, sectiondata_nsec, sectiondata_nplies);
  print_array(&sectiondata_plythickness);
  print_array(&sectiondata_secidlist);
  const double* t = (const double*)sectiondata_plythickness.base;
  const double* z = (const double*)sectiondata_plyzcoord.base;
  const int32_t* id = (const int32_t*)sectiondata_secidlist.base;
  int64_t nz = sectiondata_plyzcoord.extents[0];
  /* column-major: ply 4 of section 2, z of the top of section 1 */
  printf("t(4,2) %.17g z(%lld,1) %.17g id(2) %d\n", t[3 + sectiondata_plythickness.extents[0]], (long long)nz,
         z[nz - 1], id[1]);

  /* A datum given new storage from C is what Python reads afterwards. */
  int64_t ext[1] = {3};
  datahandling_allocatearray(&sectiondata_xcstrength, ext);
  for (int k = 0; k < 3; ++k) ((double*)sectiondata_xcstrength.base)[k] = 100.0 * (k + 1);
  print_array(&sectiondata_xcstrength);

  /* A card that does not exist leaves everything as it was; a failing call records. */
  double zero[4] = {0, 0, 0, 0}, inv[4];
  int32_t two = 2;
  MatrixInverse(zero, inv, &two);
  printf("status %d message %.32s\n", errorhandling_errstat, errorhandling_errstring);
  print_array(&errorhandling_errintv);
  return 0;
}
