// Ply stiffness, compliance and transformation of the component lamina: the
// nine ply constants from shorter lists, on-axis stiffness and compliance in
// Nye order (closed forms, no inversion), their generalised form from 2 to 36
// values, the rotation about the ply normal and the off-axis matrices, the
// change to an arbitrary base, the stiffness of one plane with the remaining
// direct stress condensed out, the off-axis transverse-shear stiffness and the
// lamination invariants. The fixed-size kernels live in lamina_kernels.h.
#include <cmath>
#include <cstring>

#include "lamina_kernels.h"
#include "vexlan.h"
#include "vexlan/lamina.h"
#include "vx.h"

namespace {

namespace lam = vx::lamina;

inline void zero(double* a, int64_t n) {
  for (int64_t k = 0; k < n; ++k) a[k] = 0.0;
}

// Square column-major matrix of extent n seen 0-based.
struct Sq {
  double* a;
  int64_t n;
  double& operator()(int i, int j) const { return a[i + n * j]; }
};

bool plane_stress_selected(const int32_t* psflag) { return psflag && *psflag == 0; }

}  // namespace

VX_API void GetNyeProperties(double* nyeprops, const double* elastic, const int32_t* nelastic) {
  const double* e = elastic;
  double p[9];
  switch (*nelastic) {
    case 2: {
      const double g = e[0] / (2.0 * (1.0 + e[1]));
      const double v[9] = {e[0], e[0], e[0], e[1], e[1], e[1], g, g, g};
      std::memcpy(p, v, sizeof v);
      break;
    }
    case 5: {
      double nu12, nu23, g12, g23;
      if (e[2] <= 1.0) {  // E1, E2, nu12, nu23, G12
        nu12 = e[2];
        nu23 = e[3];
        g12 = e[4];
        g23 = e[1] / (2.0 * (1.0 + nu23));
      } else {  // E1, E2, G12, G23, nu12
        g12 = e[2];
        g23 = e[3] == 0.0 ? e[1] / 2.0 : e[3];
        nu12 = e[4];
        nu23 = e[1] / (2.0 * g23) - 1.0;
      }
      const double v[9] = {e[0], e[1], e[1], nu12, nu12, nu23, g12, g12, g23};
      std::memcpy(p, v, sizeof v);
      break;
    }
    case 9:
      // Poisson ratios last (a NaN there does not count as a ratio): moduli
      // first, ratios moved in front of the shear moduli.
      if (e[6] <= 1.0 && e[7] <= 1.0 && e[8] <= 1.0) {
        static constexpr int table[9] = {0, 1, 2, 6, 7, 8, 3, 4, 5};
        for (int k = 0; k < 9; ++k) p[k] = e[table[k]];
      } else {
        std::memcpy(p, e, sizeof p);
      }
      break;
    default:
      vx::report(-2, "Unsupported input in GetNyeProperties");
      return;
  }
  std::memcpy(nyeprops, p, sizeof p);
}

VX_API void GetNyeStiffnessMatrix(double* c, const double* props, const int32_t* ntens, const int32_t* psflag) {
  const int32_t n = *ntens;
  const bool plane = plane_stress_selected(psflag);
  // The full 3 x 3 and 6 x 6 forms write every entry themselves.
  if (n == 3) {
    lam::put_stiffness3(c, props);
    return;
  }
  if (n == 6 && !plane) {
    lam::put_stiffness6(c, props);
    return;
  }
  if (n > 0) zero(c, int64_t(n) * n);
  if (n != 4 && n != 6) {
    vx::report(-2, "Unsupported dimension in GetNyeStiffnessMatrix");
    return;
  }
  const Sq m{c, n};
  if (plane) {
    const lam::Planar q = lam::planar(props, lam::minor_ratios(props).nu21);
    m(0, 0) = q.q11;
    m(1, 1) = q.q22;
    m(0, 1) = m(1, 0) = q.q12;
    m(3, 3) = props[6];
  } else {
    lam::direct_block(props, lam::minor_ratios(props), [&m](int i, int j, double v) { m(i, j) = v; });
    m(3, 3) = props[6];
  }
}

VX_API void GetNyeComplianceMatrix(double* s, const double* props, const int32_t* ntens, const int32_t* psflag) {
  const int32_t n = *ntens;
  if (n > 0) zero(s, int64_t(n) * n);
  if (n != 3 && n != 4 && n != 6) {
    vx::report(-2, "Unsupported dimension in GetNyeComplianceMatrix");
    return;
  }
  if (n == 3) {
    lam::compliance3(props).store(s);
    return;
  }
  const vx::Mat6 full = lam::compliance6(props);
  const Sq m{s, n};
  const bool plane = plane_stress_selected(psflag);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const bool out_of_plane = i == 2 || j == 2 || i > 3 || j > 3;
      if (!(plane && out_of_plane)) m(i, j) = full(i, j);
    }
}

VX_API void GetGeneralizedNyeOnAxisSC(double* sc, const double* props, const int32_t* ntens, const int32_t* nprops,
                                      const int32_t* scflag, const int32_t* psflag, const vx_l1* /*ldflag*/,
                                      const vx_l1* unsymm) {
  const int32_t n = *ntens, np = *nprops;
  // Other extents would make the plane-stress placement or the copy of a
  // given matrix reach outside one of the two matrices.
  if (n != 3 && n != 4 && n != 6) {
    vx::report(-2, "Unsupported dimension in GetGeneralizedNyeOnAxisSC");
    return;
  }
  const Sq m{sc, n};
  zero(sc, int64_t(n) * n);
  const bool plane = n == 3 || plane_stress_selected(psflag);
  const int k = n <= 4 ? n - 1 : 3;  // in-plane shear of the plane-stress form
  if (np == 2 || np == 5 || np == 9 || np == 12) {
    double p[9];
    const int32_t nel = np <= 5 ? np : 9;
    GetNyeProperties(p, props, &nel);
    const lam::Minor r = np == 12 ? lam::Minor{props[9], props[10], props[11]} : lam::minor_ratios(p);
    if (plane) {
      const lam::Planar q = lam::planar(p, r.nu21);
      m(0, 0) = q.q11;
      m(0, 1) = q.q12;
      m(1, 0) = q.q21;
      m(1, 1) = q.q22;
      m(k, k) = p[6];
    } else {
      lam::direct_block(p, r, [&m](int i, int j, double v) { m(i, j) = v; });
      m(3, 3) = p[6];
      if (n == 6) {
        m(4, 4) = p[7];
        m(5, 5) = p[8];
      }
    }
  } else if (np == 21 || np == 36) {
    double full[36];
    const int32_t six = 6;
    if (np == 21) {
      double lower[36];
      GetUnpackedTriangle(lower, props, &six, &np, "F", nullptr, 1);
      Symmetrize(lower, full, &six);
    } else {
      std::memcpy(full, props, sizeof full);
    }
    const vx::CMatRef<6> cf(full);
    if (plane) {
      m(0, 0) = cf(0, 0);
      m(0, 1) = cf(0, 1);
      m(1, 0) = cf(1, 0);
      m(1, 1) = cf(1, 1);
      m(0, k) = cf(0, 3);
      m(1, k) = cf(1, 3);
      m(k, 0) = cf(3, 0);
      m(k, 1) = cf(3, 1);
      m(k, k) = cf(3, 3);
    } else {
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) m(i, j) = cf(i, j);
    }
  }
  if ((np == 12 || np == 36) && !(unsymm && *unsymm)) MatrixSymmetrize(sc, sc, ntens);
  bool all_zero = true;
  for (int64_t q = 0; q < int64_t(n) * n; ++q) all_zero = all_zero && sc[q] == 0.0;
  if (all_zero) {
    // A zero stiffness has no compliance: the zeros stay, for both selectors.
    vx::report(-2, "Unsupported number of properties or dimensions in GetGeneralizedNyeOnAxisSC.");
    return;
  }
  if (*scflag == 0) {
    double inv[36];
    MatrixInverse(sc, inv, ntens);
    std::memcpy(sc, inv, sizeof(double) * n * n);
  }
}

VX_API void GetInvariantsFromReducedStiffness(double* u, const double* props, const int32_t* nprops) {
  double q[9];
  const int32_t three = 3, one = 1;
  GetGeneralizedNyeOnAxisSC(q, props, &three, nprops, &one, nullptr, nullptr, nullptr);
  const double q11 = q[0], q22 = q[4], q12 = q[3], q66 = q[8];
  const double v[5] = {(3.0 * q11 + 3.0 * q22 + 2.0 * q12 + 4.0 * q66) / 8.0, (q11 - q22) / 2.0,
                       (q11 + q22 - 2.0 * q12 - 4.0 * q66) / 8.0, (q11 + q22 + 6.0 * q12 - 4.0 * q66) / 8.0,
                       (q11 + q22 - 2.0 * q12 + 4.0 * q66) / 8.0};
  std::memcpy(u, v, sizeof v);
}

VX_API void GetNyeTransformationMatrix(double* t, const double* rangle, const int32_t* tdim, const int32_t* ttype,
                                       const int32_t* tflag) {
  const int32_t n = *tdim;
  if (n < 3) {
    // The in-plane shear row and column would lie outside the matrix.
    vx::report(-2, "False input for TType in GetNyeTransformationMatrix");
    return;
  }
  const bool full = n == 6;
  const bool good_tflag = *tflag == 0 || *tflag == 1;
  if ((n == 3 || full) && (*ttype == 0 || *ttype == 1) && good_tflag) {
    const double c = std::cos(*rangle), s = std::sin(*rangle), sigma = *ttype == 0 ? 1.0 : -1.0;
    if (full) lam::transformation<6>(c, s, sigma, *tflag == 1).store(t);
    else lam::transformation<3>(c, s, sigma, *tflag == 1).store(t);
    return;
  }
  // General path, with the checks in their order: an unsupported extent goes on
  // with the 3 x 3 placement, an unsupported type with the opposite angle, an
  // unsupported form stops after the direct entries.
  zero(t, int64_t(n) * n);
  if (n != 3 && !full) vx::report(-2, "False input for TType in GetNyeTransformationMatrix");
  double sigma = 1.0;
  if (*ttype != 0) {
    if (*ttype != 1) vx::report(-2, "False input for TType in GetNyeTransformationMatrix");
    sigma = -1.0;
  }
  const double c = std::cos(*rangle), s = std::sin(*rangle);
  const Sq m{t, n};
  lam::place_transformation(m, c, s, sigma, full, good_tflag ? *tflag : -1);
  if (!good_tflag) vx::report(-2, "False input for TFlag in GetNyeTransformationMatrix");
}

VX_API void GetNyeOffAxisSC(double* scoff, const double* dangle, const double* props, const int32_t* ntens,
                            const int32_t* scflag) {
  const int32_t n = *ntens;
  if (n != 3 && n != 6) {
    if (n > 0) zero(scoff, int64_t(n) * n);
    vx::report(-2, "Unsupported dimension in GetNyeStiffnessMatrixOff");
    return;
  }
  const int32_t f = *scflag;
  if (f == 0 || f == 1) {
    if (n == 6) lam::put_off_axis<6>(scoff, props, *dangle, f == 1);
    else lam::put_off_axis<3>(scoff, props, *dangle, f == 1);
    return;
  }
  // Any other selector names no transformation form: a matrix turned with the
  // direct entries alone would be neither stiffness nor compliance.
  zero(scoff, int64_t(n) * n);
  vx::report(-2, "False input for TFlag in GetNyeTransformationMatrix");
}

VX_API void GetArbitraryBaseSC(double* scbase, const double* sc, const double* base, const int32_t* scflag,
                               const int32_t* ntflag) {
  // a = transpose of base: a(i, k) = base(k, i). Nye pairs (0-based).
  static constexpr int pi_[6] = {0, 1, 2, 0, 0, 1}, pj_[6] = {0, 1, 2, 1, 2, 2};
  auto a = [base](int i, int k) { return base[k + 3 * i]; };
  vx::Mat6 t;
  for (int jj = 0; jj < 6; ++jj)
    for (int ii = 0; ii < 6; ++ii) {
      const int i = pi_[ii], j = pj_[ii], k = pi_[jj], l = pj_[jj];
      t(ii, jj) = k == l ? a(i, k) * a(j, k) : a(i, k) * a(j, l) + a(i, l) * a(j, k);
    }
  // Stiffness turns with the stress transformation T; a compliance acting on
  // engineering strains with its inverse transposed, T^-T S T^-1.
  vx::Mat6 mm = t;
  if (*scflag == 0) {
    vx::Mat6 inv;
    const int32_t six = 6;
    MatrixInverse(t.data(), inv.data(), &six);
    mm = vx::transpose(inv);
  }
  const int32_t six = 6, one = 1, two = 2;
  vx::Mat6 x = vx::Mat6::load(sc), y;
  if (*ntflag == 1) {
    FlipVoigtNyeNotation(x.data(), sc, &six);
  } else if (*ntflag == 2) {
    // cyclic to Nye order
    FlipVoigtCyclicNotation(y.data(), sc, &six, &one);
    FlipVoigtNyeNotation(x.data(), y.data(), &six);
  }
  vx::Mat6 r = vx::mul<6, 6, 6>(mm, vx::mul<6, 6, 6>(x, vx::transpose(mm)));
  if (*ntflag == 1) {
    FlipVoigtNyeNotation(y.data(), r.data(), &six);
    r = y;
  } else if (*ntflag == 2) {
    FlipVoigtNyeNotation(y.data(), r.data(), &six);
    FlipVoigtCyclicNotation(r.data(), y.data(), &six, &two);
  }
  r.store(scbase);
}

VX_API void GetReducedNyeStiffnessMatrix(double* qs, const double* c, const int32_t* plflag) {
  double cv[36];
  const int32_t six = 6;
  FlipVoigtNyeNotation(cv, c, &six);
  const vx::CMatRef<6> cm(cv);
  const int32_t pl = plflag ? *plflag : 1;
  int keep[3] = {0, 1, 5}, mc = 2;  // the 12 plane
  if (pl == 2) {
    keep[0] = 1, keep[1] = 2, keep[2] = 3, mc = 0;
  } else if (pl == 3) {
    keep[0] = 0, keep[1] = 2, keep[2] = 4, mc = 1;
  }
  vx::Mat3 q;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      q(i, j) = cm(keep[i], keep[j]) - cm(keep[j], mc) * cm(keep[i], mc) / cm(mc, mc);
  q.store(qs);
}

VX_API void GetOffAxisShearRigidMatrix(double* hoff, const double* g13, const double* g23, const double* dangle) {
  // Rotation about axis 3 (its upper-left 2 x 2), H = diag(G23, G13).
  static const double axis[3] = {0.0, 0.0, 1.0};
  const double r = *dangle * lam::ply_deg2rad;
  double rot[9];
  GetRotationMatrix(rot, axis, &r);
  const double c = rot[0], s = rot[1];
  const double h12 = (*g13 - *g23) * c * s;
  const double h[4] = {*g23 * c * c + *g13 * s * s, h12, h12, *g23 * s * s + *g13 * c * c};
  std::memcpy(hoff, h, sizeof h);
}
