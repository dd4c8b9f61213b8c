// Impact contact between an impactor and a plate: the contact force equation
// that the impact solver drives to zero, contact stiffness and effective
// modulus of several published laws, indentation depth and contact radius,
// the element nearest to each impact point, and the Hugoniot elastic limit.
// All routines are stateless; ContactArea updates the load records it is given.
#include <cmath>
#include <limits>
#include "vexlan.h"
#include "vexlan/interaction.h"
#include "vx.h"

using vx::i4;

namespace {

// Stiffness table of the tabulated law at force f: args(8 .. 7 + ns) abscissas,
// args(8 + ns .. 7 + 2 ns) values.
// A table the interpolation would refuse by ending the process (fewer than
// two points, abscissas not strictly increasing) is reported instead, and the
// law falls back to the constant stiffness.
double table_stiffness(const double* args, i4 numargs, double f) {
  i4 ns = (numargs - 7) / 2;
  bool ok = ns >= 2;
  for (i4 i = 1; ok && i < ns; ++i) ok = args[7 + i] > args[6 + i];
  if (!ok) {
    vx::report(-2, "Stiffness table not strictly increasing in ContactLaw");
    return 0.0;
  }
  const i4 one = 1;
  double v = 0.0;
  cubichermitianinterpolation(&v, args + 7, &ns, args + 7 + ns, &ns, &f, &one);
  return v;
}

// Effective modulus of two elastic bodies; the second may be taken rigid in
// the lateral sense (nu2 not entering).
double eeff_two(const double* a) {
  return 1.0 / ((1.0 - a[3] * a[3]) / a[2] + (1.0 - a[7] * a[7]) / a[6]);
}
double eeff_one(const double* a) { return 1.0 / ((1.0 - a[3] * a[3]) / a[2] + 1.0 / a[6]); }

// Native callers pass numargs themselves: a law given fewer inputs than it
// reads is refused instead of reading past args.
bool too_few(i4 numargs, i4 needed, const char* msg) {
  if (numargs >= needed) return false;
  vx::report(-2, msg);
  return true;
}

}  // namespace

VX_API void ContactLaw(double* fx, double* dfx, const double* xold, const double* args,
                       const i4* numargs, const i4* clflag) {
  const double f = *xold;
  const i4 law = *clflag;
  const bool known = law >= 0 && law <= 2;
  if (!known) vx::report(-3, "Unknown contact law flag");
  if (!known || too_few(*numargs, law == 1 ? 11 : 7, "Too few inputs in ContactLaw")) {
    *dfx = -1.0;
    if (std::isnan(*fx)) *fx = 0.0;
    return;
  }
  // Laws 0 and 2 take the constant stiffness args(1), law 1 its table.
  double k = args[0];
  if (law == 1) {
    const double t = table_stiffness(args, *numargs, f);
    if (t > 0.0) k = t;
  }
  const double c = std::fabs(args[2] + args[4]);
  const double q = args[1] - args[3] - args[6] - c * f;
  const double p = args[5];
  *fx = k * std::pow(q, p) - f;
  *dfx = -c * p * k * std::pow(q, p - 1.0) - 1.0;
  if (std::isnan(*fx)) *fx = 0.0;
  if (std::isnan(*dfx)) *dfx = -1.0;
}

VX_API void ContactStiffness(double* k, double* eeff, const double* args, const i4* numargs,
                             const i4* csflag) {
  *eeff = 0.0;
  const i4 law = *csflag;
  const i4 needed = law == 0 ? 8 : law == 1 ? 7 : law == 2 || law == 3 ? 12 : law == 6 ? 13 : 0;
  if (too_few(*numargs, needed, "Too few inputs in ContactStiffness")) {
    *k = *eeff = vx::not_a_number;
    return;
  }
  // Only the power laws read the exponent args(9): the others may be given
  // fewer inputs.
  switch (law) {
    case 0:
    case 1: {
      const double e = law == 0 ? eeff_two(args) : eeff_one(args);
      *eeff = e;
      *k = 4.0 / 3.0 * e * std::sqrt(1.0 / (1.0 / args[0] + args[4]));
      break;
    }
    case 2:
      *k = args[9] / std::pow(args[10] - args[11], args[8]);
      break;
    case 3: {
      const double e = eeff_one(args);
      *eeff = e;
      const double p = args[8];
      *k = std::pow(args[9], p - 0.5) * std::pow(args[10], 1.0 - p) / std::pow(args[11], p + 1.0);
      break;
    }
    case 4:
      vx::report(-3, "Goldsmith is not implemented so far.");
      break;
    case 5:
      vx::report(-3, "Goldsmith + Sun et. al is not implemented so far.");
      break;
    case 6: {
      const double e = eeff_two(args);
      *eeff = e;
      const double lo = 2.220446049250313e-16, hi = vx::huge;
      const double l = fLimit(&args[12], &lo, &hi);
      const double a = std::sqrt(4.0 * l * args[0] / (vx::pi * e));
      *k = vx::pi * args[1] * e / (std::log(args[1] / a) + 1.886);
      break;
    }
    default:
      vx::report(-3, "Unknown contact stiffness flag");
      break;
  }
}

VX_API void ContactDepth(double* indentation, const double* args, const i4* numargs,
                         const i4* cdflag) {
  const i4 law = *cdflag;
  if (too_few(*numargs, law == 0 || law == 1 ? 3 : law == 2 ? 4 : 0, "Too few inputs in ContactDepth")) {
    *indentation = vx::not_a_number;
    return;
  }
  // Each law reads only its own inputs: an unknown selector may come with none.
  switch (law) {
    case 0:
      *indentation = std::pow(9.0 * args[0] * args[0] / (16.0 * args[1] * args[2] * args[2]), 1.0 / 3.0);
      break;
    case 1:
      *indentation = args[0] / (2.0 * args[1] * args[2]);
      break;
    case 2:
      *indentation = vx::pi * args[3] / 2.0;
      break;
    default:
      *indentation = vx::huge;
  }
}

VX_API void ContactRadius(double* radius, const double* args, const i4* numargs, const i4* cdflag) {
  const i4 f = *cdflag;
  if (too_few(*numargs, f >= 0 && f <= 4 ? 3 : f == 5 || f == 6 ? 4 : 0, "Too few inputs in ContactRadius")) {
    *radius = vx::not_a_number;
    return;
  }
  if (f >= 0 && f <= 4) *radius = std::pow(3.0 * args[0] * args[2] / (4.0 * args[1]), 1.0 / 3.0);
  else if (f == 5 || f == 6) *radius = std::sqrt(4.0 * args[0] * args[2] / (vx::pi * args[3] * args[1]));
  else *radius = vx::huge;
}

VX_API void ContactArea(double* dprops, const double* coord, const i4* noel, const i4* nimp,
                        const double* elemlength) {
  double l1 = -1.0, l2 = -1.0;
  if (elemlength) {
    l1 = elemlength[0];
    l2 = elemlength[1] == 0.0 ? elemlength[0] : elemlength[1];
  }
  const i4 three = 3;
  for (i4 k = 0; k < *nimp; ++k) {
    double* d = dprops + 12 * static_cast<size_t>(k);
    const double straight = 0.0;
    const double r = EffectiveArcLength(coord, d + 1, &straight, &three);
    // The first visit records its element as well: otherwise an element that
    // happens to come first and is the nearest would never be kept.
    if (d[5] == 0.0 || r < d[5]) {
      d[4] = *noel;
      d[5] = r;
      if (l1 != -1.0 && l2 != -1.0) {
        d[7] = d[9] = 0.5 * l1;
        d[8] = d[10] = 0.5 * l2;
      }
    }
  }
}

// The textbook relation of uniaxial strain: HEL = (1 - nu) Y / (1 - 2 nu).
VX_API double GetHugonoitElasticLimit(const double* yc, const double* nu) {
  return (1.0 - *nu) * *yc / (1.0 - 2.0 * *nu);
}
