// Conversions between the stress, strain and tangent of plane-stress,
// plane-strain, axisymmetric and solid elements and full six-component
// vectors and 6 x 6 matrices in Nye order (11, 22, 33, 12, 13, 23), so that a
// three-dimensional material routine can serve every element form.
//
// Axisymmetric elements give (11, 22, 33, 12) with 2 the axial and 3 the hoop
// direction; their three-dimensional form exchanges axes 2 and 3, so that the
// element's shear 12 becomes the 13 component. The tangent is turned back in
// Nye order, which keeps that shear term G13.
#include <cstring>

#include "fixed.h"
#include "vexlan.h"
#include "vexlan/elementhandling.h"
#include "vexlan/lamina.h"

using namespace vx;

namespace {

inline void plane_stress_to_3d(const double* e, double* o) {
  o[0] = e[0];
  o[1] = e[1];
  o[2] = 0.0;
  o[3] = e[2];
  o[4] = 0.0;
  o[5] = 0.0;
}

inline void plane_strain_to_3d(const double* e, double* o, bool axial) {
  if (axial) {
    const double v[6] = {e[0], e[2], e[1], 0.0, e[3], 0.0};
    std::memcpy(o, v, sizeof v);
  } else {
    const double v[6] = {e[0], e[1], e[2], e[3], 0.0, 0.0};
    std::memcpy(o, v, sizeof v);
  }
}

// The basis with axes 2 and 3 exchanged (symmetric, so rows and columns agree).
const double swap23[9] = {1, 0, 0, 0, 0, 1, 0, 1, 0};

}  // namespace

VX_API void Get3DStressFromPlaneStress(const double* stress, const double* stran, const double* dstran,
                                       const double* transverse, double* stress3d, double* stran3d,
                                       double* dstran3d, const int32_t* itnsflag, const int32_t* itshrflag) {
  plane_stress_to_3d(stress, stress3d);
  plane_stress_to_3d(stran, stran3d);
  plane_stress_to_3d(dstran, dstran3d);
  if (*itnsflag != 0) {
    stress3d[2] = transverse[5];
    stran3d[2] = transverse[2];
  }
  if (*itshrflag != 0) {
    stress3d[4] = transverse[3];
    stress3d[5] = transverse[4];
    stran3d[4] = transverse[0];
    stran3d[5] = transverse[1];
  }
}

VX_API void Get3DStressFromPlaneStrain(const double* stress, const double* stran, const double* dstran,
                                       double* stress3d, double* stran3d, double* dstran3d, const vx_l1* isaxial) {
  const bool ax = *isaxial != 0;
  plane_strain_to_3d(stress, stress3d, ax);
  plane_strain_to_3d(stran, stran3d, ax);
  plane_strain_to_3d(dstran, dstran3d, ax);
}

VX_API void Get3DStressFromHex(const double* stress, const double* stran, const double* dstran, double* stress3d,
                               double* stran3d, double* dstran3d) {
  std::memmove(stress3d, stress, 6 * sizeof(double));
  std::memmove(stran3d, stran, 6 * sizeof(double));
  std::memmove(dstran3d, dstran, 6 * sizeof(double));
}

VX_API void Get3DInputFromElem(double* stress3d, double* strain3d, double* dstrain3d, const double* stress_nye,
                               const double* strain_nye, const double* dstrain_nye, const int32_t* ncomp,
                               const double* transverse, const int32_t* itnsflag, const int32_t* itshrflag,
                               const vx_l1* isaxial) {
  const double zeros[6] = {0, 0, 0, 0, 0, 0};
  const int32_t zero = 0;
  const vx_l1 no = 0;
  switch (*ncomp) {
    case 6: Get3DStressFromHex(stress_nye, strain_nye, dstrain_nye, stress3d, strain3d, dstrain3d); break;
    case 4:
      Get3DStressFromPlaneStrain(stress_nye, strain_nye, dstrain_nye, stress3d, strain3d, dstrain3d,
                                 isaxial ? isaxial : &no);
      break;
    case 3:
      Get3DStressFromPlaneStress(stress_nye, strain_nye, dstrain_nye, transverse ? transverse : zeros, stress3d,
                                 strain3d, dstrain3d, itnsflag ? itnsflag : &zero, itshrflag ? itshrflag : &zero);
      break;
    // The material routine would go on with whatever the outputs held.
    default: vx::report(-2, "Unsupported number of components in Get3DInputFromElem"); break;
  }
}

VX_API void GetHexOutputFrom3D(double* stresshex, double* tangenthex, const double* stress3d,
                               const double* tangent3d) {
  std::memmove(stresshex, stress3d, 6 * sizeof(double));
  std::memmove(tangenthex, tangent3d, 36 * sizeof(double));
}

VX_API void GetPlaneStrainOutputFrom3D(double* stresspl, double* tangentpl, const double* stress3d,
                                       const double* tangent3d, const vx_l1* isaxial) {
  Mat6 t = Mat6::load(tangent3d);
  double s[4];
  if (isaxial && *isaxial) {
    const int32_t stiff = 1, nye = 0;
    Mat6 r;
    GetArbitraryBaseSC(r.data(), t.data(), swap23, &stiff, &nye);
    t = r;
    s[0] = stress3d[0];
    s[1] = stress3d[2];
    s[2] = stress3d[1];
    s[3] = stress3d[4];
  } else {
    for (int i = 0; i < 4; ++i) s[i] = stress3d[i];
  }
  for (int i = 0; i < 4; ++i) stresspl[i] = s[i];
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) tangentpl[i + 4 * j] = t(i, j);
}

VX_API void GetPlaneStressOutputFrom3D(double* stressps, double* tangentps, const double* stress3d,
                                       const double* tangent3d) {
  static const int keep[3] = {0, 1, 3};
  const Mat6 t = Mat6::load(tangent3d);
  if (t(2, 2) == 0.0) {
    double s[3];
    for (int p = 0; p < 3; ++p) s[p] = stress3d[keep[p]];
    for (int q = 0; q < 3; ++q)
      for (int p = 0; p < 3; ++p) tangentps[p + 3 * q] = t(keep[p], keep[q]);
    for (int p = 0; p < 3; ++p) stressps[p] = s[p];
    return;
  }
  // Strain of the three-dimensional state, then the plane-stress stiffness
  // with the normal stress condensed out applied to its in-plane part.
  Mat6 inv;
  const int32_t six = 6;
  MatrixInverse(t.data(), inv.data(), &six);
  double strain[6];
  matvec<6, 6>(strain, inv, stress3d);
  Mat<3, 3> q;
  GetReducedNyeStiffnessMatrix(q.data(), t.data(), nullptr);
  const double e[3] = {strain[0], strain[1], strain[3]};
  double s[3];
  matvec<3, 3>(s, q, e);
  for (int p = 0; p < 3; ++p) stressps[p] = s[p];
  q.store(tangentps);
}

VX_API void GetElemOutputFrom3D(double* stresselem, double* tangentelem, const double* stress3d,
                                const double* tangent3d, const int32_t* n, const vx_l1* isaxial) {
  switch (*n) {
    case 6: GetHexOutputFrom3D(stresselem, tangentelem, stress3d, tangent3d); break;
    case 4: GetPlaneStrainOutputFrom3D(stresselem, tangentelem, stress3d, tangent3d, isaxial); break;
    case 3: GetPlaneStressOutputFrom3D(stresselem, tangentelem, stress3d, tangent3d); break;
    default: vx::report(-2, "Unsupported number of components in GetElemOutputFrom3D"); break;
  }
}

VX_API double GetPlaneStressEpsZZ(const double* e33, const double* nu31, const double* nu32, const double* s11,
                                  const double* s22) {
  return -(*nu31 / *e33) * *s11 - (*nu32 / *e33) * *s22;
}
