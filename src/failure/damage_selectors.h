// The criteria behind the selectors of the per-mode failure drivers, declared
// once as data, one row a line: the drivers take the size of each table as the
// range of their selector, docs/criteriatables.py renders the criteria tables
// of docs/cards.md from these lines, and the main job names each mode's
// criterion by them. Row k of a table is selector k.
//
// A row says what the criterion reads of the ply, as the driver calls it:
//   stresses   ply axes, s11 s22 s33 s12 s13 s23; s33i the interface normal
//              stress of the delamination driver
//   strengths  rows of psprops: Xt11 Xt22 Xt33 Xc11 Xc22 Xc33 S12 S13 S23 ILSS
//   constants  rows of peprops: E1 E2 E3 nu12 nu13 nu23 G12 G13 G23, and the
//              ply's angle and thickness
// Names are separated by blanks. The delamination driver reads two plies: a
// group "lower:", "upper:" or "each:" (the lower ply, and the upper one where
// its strengths allow) names the ply, groups are separated by ';'. A name is
// listed when the effort can change with it; tests/test_damage_selectors.py
// holds every list to what the driver's effort depends on.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vx::damage {

struct Criterion {
  int8_t selector;
  const char* name;       // the guide's name
  const char* routine;    // the criterion routine the driver evaluates, "" for none
  const char* stresses;
  const char* strengths;
  const char* constants;
  const char* effort;     // for the guide: what the effort is
};

// A row of another table under selector s: the same criterion, called with the
// same arguments.
constexpr Criterion same_as(const Criterion& c, int8_t s, const char* effort) {
  return {s, c.name, c.routine, c.stresses, c.strengths, c.constants, effort};
}

// clang-format off
constexpr Criterion general_criteria[] = {
  {0, "none", "", "", "", "", "nothing is evaluated; the effort is 0"},
  {1, "max nominal stress", "gpmaxnominal", "s11", "Xt11 Xc11", "", "abs(s11) / Xt11 for s11 > 0, else abs(s11) / Xc11: the fibre-direction stress alone, no transverse or shear stress counts"},
  {2, "quadratic nominal", "gpquadnominal", "s11 s12 s13", "Xt11 S12 S13", "", "sqrt((s11/Xt11)^2 + (s12/S12)^2 + (s13/S13)^2), Xt11 also for a compressive s11"},
  {3, "linear interaction", "gplininteraction", "s11 s22 s12", "Xt11 Xt22 Xc11 Xc22 S12", "", "abs(s11/X1 + s22/X2 + s12/S12), X1 = Xt11 for s11 >= 0, else Xc11, X2 likewise from Xt22, Xc22: signed terms, which may cancel"},
  {4, "quadratic interaction", "gpquadinteraction", "s11 s22 s12", "Xt11 Xt22 Xc11 Xc22 S12", "", "sqrt((s11/X1)^2 + (s22/X2)^2 + (s12/S12)^2), X1, X2 as for 3"},
  {5, "Norris", "gpnorrisinteraction", "s11 s22 s12", "Xt11 Xt22 Xc11 Xc22 S12", "", "sqrt((s11/X1)^2 - (s11/X1)(s22/X2) + (s22/X2)^2 + (s12/S12)^2), X1, X2 as for 3"},
  {6, "Yamada-Sun", "gpyamadasuninteraction", "s11 s12 s13", "Xt11 Xc11 S12 S13", "", "sqrt((s11/X1)^2 + (s12/S12)^2 + (s13/S13)^2), X1 as for 3"},
  {7, "polynomial (Camanho)", "gppolycamanho", "s11 s22 s33 s12 s13 s23", "Xt11 Xt22 Xc11 Xc22 S12 S13 S23", "", "the quadratic failure surface b + c = 1 of a transversely isotropic ply (s33 taken with the 22 strengths), b = F1 s11 + F2 (s22 + s33), c = F11 s11^2 + F22 (s22^2 + s33^2) + (2 F22 - 1/S23^2) s22 s33 + (s12/S12)^2 + (s13/S13)^2 + (s23/S23)^2, Fi = 1/Xti - 1/Xci, Fii = 1/(Xti Xci), no s11 s22 or s11 s33 term; the effort is 1 over the factor that brings the stress onto the surface, 2c / (sqrt(b^2 + 4c) - b), 0 with a note (status -1) where the root is negative"},
  {8, "polynomial", "gppolynomial", "s11 s22 s33 s12 s13 s23", "Xt11 Xt22 Xt33 Xc11 Xc22 Xc33 S12 S13 S23", "", "the quadratic failure surface b + c = 1, b = F1 s11 + F2 s22 + F3 s33, c = F11 s11^2 + F22 s22^2 + F33 s33^2 + (s12/S12)^2 + (s13/S13)^2 + (s23/S23)^2, Fi = 1/Xti - 1/Xci, Fii = 1/(Xti Xci), no interaction terms; the effort as for 7"},
};

constexpr Criterion fibre_criteria[] = {
  {0, "none", "", "", "", "", "nothing is evaluated; the effort is 0"},
  same_as(general_criteria[1], 1, "as general 1: s11 alone"),
  same_as(general_criteria[2], 2, "as general 2"),
  {3, "Hashin", "fbhashin", "s11 s12 s13", "Xt11 Xc11 S12 S13", "", "sqrt((s11/X1)^2 + (s12/S12)^2 + (s13/S13)^2), X1 = Xt11 for s11 >= 0, else Xc11: the shear terms count in compression too (the value of Yamada-Sun)"},
  {4, "Chang-Chang", "fbchangchang", "s11 s12", "Xt11 Xc11 S12", "", "sqrt((s11/X1)^2 + (s12/S12)^2), X1 as for 3"},
  {5, "Christensen", "fbchristensen", "s11 s22 s33", "Xt11 Xc11", "", "2c / (sqrt(b^2 + 4c) - b) with b = (1/Xt11 - 1/Xc11) s11, c = s11^2/(Xt11 Xc11) - (1/Xt11 + 1/Xc11)^2 s11 (s22 + s33)/4; no shear; 0 with a note (status -1) where the root is negative or the denominator 0"},
  same_as(general_criteria[7], 6, "as general 7"),
  same_as(general_criteria[8], 7, "as general 8"),
  same_as(general_criteria[3], 8, "as general 3"),
  same_as(general_criteria[4], 9, "as general 4"),
  same_as(general_criteria[5], 10, "as general 5"),
  same_as(general_criteria[6], 11, "as general 6"),
  {12, "LaRC04", "fblarc04", "s11 s22 s33 s12 s13 s23", "Xt11 Xt22 Xc11 Xc22 S12", "E1 E2 nu12 G12", "s11 >= 0: s11/Xt11 alone. s11 < 0, fibre kinking: the stress turned onto the kink plane and into the misaligned fibre frame (misalignment from Xc11, S12, Xc22 and G12), where LaRC04's matrix criterion is taken: (s12m/(S12 - etaL s22m))^2 for s22m < 0, else (1 - g) s22m/Xt22 + g (s22m/Xt22)^2 + (s12m/S12)^2 + (1/E2 - nu12^2/E1)(s13m/S12)^2, g = 0.35; friction from a fracture angle of 53 degrees; no square root"},
  {13, "LaRC05", "fblarc05", "s11 s22 s33 s12 s13 s23", "Xt11 Xt22 Xc11 Xc22 S12", "G12", "s11 >= 0: s11/Xt11 alone. s11 < 0, fibre kinking: the largest over the kink planes (5 degree steps) of (tb/(ST - etaT sn))^2 + (ta/(S12 - etaL sn))^2 + (max(sn, 0)/Xt22)^2, sn, ta (along the fibres) and tb the tractions of the kink plane in the misaligned fibre frame (misalignment from Xc11, S12, Xc22 and G12), ST and the friction from Xc22 and a fracture angle of 53 degrees; no square root"},
};

constexpr Criterion matrix_criteria[] = {
  {0, "none", "", "", "", "", "nothing is evaluated; the effort is 0"},
  {1, "Hashin plane stress", "mcrckhashinps", "s22 s12", "Xt22 Xc22 S12 S23", "", "s22 >= 0: sqrt((s22/Xt22)^2 + (s12/S12)^2); s22 < 0: 2c / (sqrt(4c + b^2) - b) with c = (s22/(2 S23))^2 + (s12/S12)^2, b = ((Xc22/(2 S23))^2 - 1) s22/Xc22"},
  {2, "Hashin 3-D", "mcrckhashin3d", "s22 s12 s13 s23", "Xt22 Xc22 S12 S23", "", "as 1 with (s12^2 + s13^2)/S12^2 for (s12/S12)^2 and (s23/S23)^2 added in both branches; s33 is not taken"},
  {3, "Hashin complete", "mcrckhashincomplete", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12 S23", "", "with I1 = s22 + s33, T = (s23^2 - s22 s33)/S23^2, L = (s12^2 + s13^2)/S12^2: I1 >= 0: sqrt((I1/Xt22)^2 + T + L) (0 where that sum is not positive); I1 < 0: 2c / (sqrt(4c + b^2) - b) with c = I1^2/(4 S23^2) + T + L, b = (Xc22^2/(4 S23^2) - 1) I1/Xc22"},
  {4, "Hashin 1989", "mcrckhashin1989", "s22 s33 s12 s13 s23", "Xt22 Xt33 Xc22 Xc33 S12 S13 S23", "", "with I1 = s22 + s33, T = (s23^2 - s22 s33)/S23^2, L = (s12/S12)^2 + (s13/S13)^2: I1 >= 0: sqrt(I1^2/(Xt22 Xt33) + T + L); I1 < 0: 2c / (sqrt(4c + b^2) - b) with c = I1^2/(4 S23^2) + T + L, b = (s22/Xc22 + s33/Xc33)(Xc22 Xc33/(4 S23^2) - 1); 0 with a note (status -1) where a root is negative (also for a stress-free ply)"},
  {5, "Chai", "mcrckchai", "s22 s12 s23", "Xt22 Xc22 S12 S23", "", "sqrt((s22/Y)^2 + (s12/S12)^2 + (s23/S23)^2), Y = Xt22 for s22 >= 0, else Xc22"},
  {6, "Chang-Chang", "mcrckchangchang", "s22 s12", "Xt22 Xc22 S12", "", "sqrt((s22/Y)^2 + (s12/S12)^2), Y = Xt22 for s22 > 0, else Xc22"},
  {7, "Cuntze 2004", "mcrckcuntze2004", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12 S13", "", "Cuntze's three inter-fibre modes: transverse tension (Xt22), transverse compression (Xc22) and shear (strength (S12 + S13)/2), each 0.01 where below 0, combined as (E1^2.5 + E2^2.5 + E3^2.5)^(1/2.5); parameters 0.13, 1.5, 0.4; 0 for a stress-free ply; a negative root records a note (status -3)"},
  {8, "Cuntze 2012", "mcrckcuntze2012", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12", "", "Cuntze's three inter-fibre modes: transverse tension (Xt22), transverse compression (Xc22) and shear (S12), each at least 0, combined as (E1^2.4 + E2^2.4 + E3^2.4)^(1/2.4); parameters 0.16, 1.16; 0 for a stress-free ply; a negative root records a note (status -3)"},
  {9, "Puck", "mcrckpuck", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12", "", "Puck's action-plane exposure, the largest over the planes parallel to the fibres, with the traction (sn, tn1, tnt) of the plane: sn >= 0: sqrt(((1/Xt22 - p) sn)^2 + (tnt/RA)^2 + (tn1/S12)^2) + p sn, sn < 0: sqrt((tnt/RA)^2 + (tn1/S12)^2 + (p sn)^2) + p sn, p from the inclination parameters (0.3, 0.2, 0.15, 0.15 or the material's), RA = Xc22/(2 (1 + the fourth)); s11 is not taken"},
  {10, "Wiegand", "mcrckwiegand", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12", "", "the largest over the planes parallel to the fibres of sqrt((tnt/(ST - etaT sn))^2 + (tn1/(S12 - etaL sn))^2), plus (sn/Xt22)^2 under the root for sn >= 0; ST = Xc22/(2 tan a0), friction from a0 (53 degrees or the material's)"},
  {11, "Camanho", "mcrckcamanho", "s22 s33 s12 s13 s23", "Xt22 S12 S23", "", "the largest over the planes parallel to the fibres: sn <= 0: sqrt((tnt/(S23 - etaT sn))^2 + (tn1/(S12 - etaL sn))^2); sn > 0: a quadratic form in sn/S23, tn1/S12, tnt/S23 that is 1 at sn = Xt22 without shear; friction from a0 (53 degrees or the material's); Xc22 is not taken"},
  {12, "SPC3D", "mcrckspc3d", "s22 s33 s12 s13 s23", "Xt22 Xt33 Xc22 Xc33 S12 S13 S23", "", "the largest over the planes from 2 to 178 degrees (2 degree steps) of SPC3D's exposure, whose strengths of a plane are interpolated by its angle: from Xt22, Xt33 (Xc22, Xc33 under compression) for the normal traction, from S12, S13 for the longitudinal and from S23 and the normal strengths for the transverse shear traction; the shear strengths under compression and the parameters (0.3, -0.3) from the material's list where given; Xt11, Xc11 are not taken"},
  {13, "VDI 2014", "mcrckvdi2014", "s11 s22 s33 s12 s13 s23", "Xt11 Xt22 Xc11 Xc22 S12", "", "Puck's exposure as for 9 with the guideline's parameters (0.3, 0.3, 0.25, 0.25 or the material's), then weakened near fibre failure: with fF = s11/Xt11 (or -s11/Xc11) and r = the exposure over fF, an r from 0.5 to 2 (from the weakening parameters 0.5, 0.5 or the material's) divides the exposure by the weakening factor of r"},
  {14, "LaRC04", "mcrcklarc04", "s11 s22 s33 s12 s13 s23", "Xt22 Xc11 Xc22 S12", "E1 E2 nu12 G12", "s22 >= 0: (1 - g) s22/Xt22 + g (s22/Xt22)^2 + (s12/S12)^2 + (1/E2 - nu12^2/E1)(s23/S12)^2, g = 0.35; s22 < 0: the largest over the planes of (tnt/(ST - etaT sn))^2 + (tn1/(S12 - etaL sn))^2, ST and the friction from Xc22 and a fracture angle of 53 degrees, in the misaligned fibre frame (misalignment from Xc11, S12, Xc22 and G12) where s11 < -Xc22; no square root; Xt11 is not taken"},
  {15, "LaRC05", "mcrcklarc05", "s22 s33 s12 s13 s23", "Xt22 Xc22 S12", "", "the largest over the planes parallel to the fibres of (tnt/(ST - etaT sn))^2 + (tn1/(S12 - etaL sn))^2 + (max(sn, 0)/Xt22)^2, ST and the friction from Xc22 and a fracture angle of 53 degrees; no square root; s11 is not taken"},
};

constexpr Criterion delamination_criteria[] = {
  {0, "none", "", "", "", "", "nothing is evaluated; the effort is 0"},
  {1, "Chai", "delchai", "lower: s22 s13; upper: s23", "lower: Xt22 Xc22 ILSS; upper: S23", "lower: E1 E2 nu12 G13 G23 angle thickness; upper: E1 E2 nu12 G12 G13 G23 angle thickness", "sqrt(df1 (s22/Y)^2 + df2 (s23u/S23u)^2 + 1.875 df3 (s13/ILSS)^2) of the lower ply's s22, s13 and strengths, Y = Xt22 for s22 > 0, else Xc22; the interface factors df from the two plies' stiffnesses, shear moduli, thicknesses and the angle between them; 0 where the sum is not positive"},
  {2, "Choi-Chang", "delchoichang", "lower: s22 s13; upper: s23", "lower: Xt22 Xc22 ILSS; upper: ILSS", "", "sqrt(1.8 ((s23u/ILSSu)^2 + (s22/Y)^2 + (s13/ILSS)^2)) of the lower ply's s22, s13 and strengths, Y as for 1; ILSSu the upper ply's, or the lower one's where that is 0"},
  {3, "Puck", "delpuck", "s33i; each: s13 s23", "each: Xt22 Xc22 ILSS", "", "Puck's formula on the interface plane: sn = s33i, transverse shear s23 (fracture resistance Xc22/2.3), longitudinal shear s13 (ILSS); the larger of the lower and the upper ply, the upper one counting where its Xt22, Xc22, ILSS are not 0"},
  {4, "SPC3D near the ply plane", "mcrckspc3d", "each: s22 s33 s12 s13 s23", "each: Xt22 Xt33 Xc22 Xc33 S12 S13 S23", "", "matrix 12 on each ply's own stresses, only on the planes within 2 degrees of the ply plane (178 to 182 degrees, 1 degree steps); the larger of the lower and the upper ply, the upper one counting where its first nine strengths are not 0; s33i is not taken"},
  {5, "Hashin", "delhashin", "s33i; each: s13 s23", "each: Xt22 Xc22 ILSS", "", "sqrt((s33i/Y)^2 + (s23/ILSS)^2 + (s13/ILSS)^2), Y = Xt22 for s33i > 0, else Xc22; the larger of the lower and the upper ply, the upper one counting where its Xt22, Xc22, ILSS are not 0"},
  {6, "Ochoa-Engblom", "delochoaengblom", "s33i; each: s13 s23", "each: Xt33 Xc33 ILSS", "", "sqrt((s13^2 + s23^2)/ILSS^2 + (s33i/Z)^2), Z = Xt33 for s33i > 0, else Xc33; the larger of the lower and the upper ply, the upper one counting where its Xt33, Xc33, ILSS are not 0"},
  {7, "Lee", "dellee", "s33i; each: s12 s13", "each: Xt33 ILSS", "", "the larger of sqrt(s12^2 + s13^2)/ILSS and s33i/Xt33; a compressive s33i gives a negative ratio and plays no part (Xc33 never counts); the larger of the lower and the upper ply, the upper one counting where its Xt33, Xc33, ILSS are not 0"},
};

constexpr Criterion core_criteria[] = {
  {0, "none", "", "", "", "", "nothing is evaluated; the effort is 0"},
  {1, "none", "", "", "", "", "no criterion: nothing is evaluated, the effort is 0"},
  {2, "none", "", "", "", "", "no criterion: nothing is evaluated, the effort is 0"},
};
// clang-format on

// Row k of every table is selector k, so that the table's size is the range.
template <std::size_t N>
constexpr bool in_selector_order(const Criterion (&t)[N]) {
  for (std::size_t k = 0; k < N; ++k)
    if (t[k].selector != static_cast<int8_t>(k)) return false;
  return true;
}
static_assert(in_selector_order(general_criteria) && in_selector_order(fibre_criteria) &&
              in_selector_order(matrix_criteria) && in_selector_order(delamination_criteria) &&
              in_selector_order(core_criteria));

// Number of selectors of a table (the largest is one less).
template <std::size_t N>
constexpr uint32_t selectors(const Criterion (&)[N]) {
  return static_cast<uint32_t>(N);
}

}  // namespace vx::damage
