// Internal entry points of the sub-laminate buckling, shared with the damage
// store, which builds the buckling lists from its own arrays.
#pragma once
#include "vx.h"

namespace vx::sublam {

void sub_kk(double* subkk, const double* dred, double a, double b, i4 shape);
void sub_kg(double* subkg, const double* nglob, const double* abd, const double* abdinv, double a, double b,
            double dangle, i4 shape);
void buckling_strain(double* eps, double* nx, double* eigvec, const double* dsize, const double* nglob,
                     const double* elastic, const double* orient, const double* thick, i4 shape, i4 n);
// One stack of n plies; writes at most cap records into rl(12, cap), il(4, cap).
// A NaN delamination or buckling strain is recorded under the routine's name.
void analysis(double* epsbuck, double* rl, i4* il, i4 cap, double compr, const double* elastic,
              const double* orient, const double* thick, const double* delam, const i4* dshape, i4 n,
              const char* routine = "DelaminatedBucklingAnalysis");
// Plies of a section that the buckling lists analyse, from its column of
// material ids list(nplies): those before the first unset entry (defint);
// -1 when every entry is unset, a section the lists leave out.
i4 section_plies(const i4* list, i4 nplies, i4 defint);
// Lists rl(12, cap, ndmg_l, nsec_l), il(4, ...) of every section and damage;
// delamdds(3, ldint, ndmg) and dshape(ldint, ndmg) per damage; stack arrays
// (., nplies, nsec).
void bukdata(double* rl, i4* il, i4 cap, i4 ndmg_l, i4 nsec_l, const double* delamdds, i4 ldint,
             const i4* dshape, const double* compr, const double* elastic, const double* orient,
             const double* thick, const i4* seclist, i4 ndmg, i4 nplies, i4 nsec, i4 defint);

}  // namespace vx::sublam
