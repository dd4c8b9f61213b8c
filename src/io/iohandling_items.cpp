// Declarations of the card items (see iohandling_items.h). Order matters:
// a reader takes the first declaration that its keyword and option select,
// and the guide lists them in this order. One declaration a line, parsed by
// docs/cardtables.py.
#include "iohandling_items.h"

namespace vx::io {

namespace {

using enum Select;
using enum Place;
using enum Repeat;
using enum Kind;

// clang-format off
constexpr Item step_decl[] = {
  {"+Debug", "TYPE=ELEMENT", whole, block, once, slot::edebug, exactly(1), 1, false, natural, false, "element number", "`edebug`: the element whose routines print diagnostics"},
  {"+Debug", "TYPE=NODAL", whole, block, once, slot::ndebug, exactly(1), 1, false, natural, false, "node number", "`ndebug`"},
  {"+Debug", "TYPE=FILE", whole, block, once, slot::fdebug, exactly(1), 1, false, natural, false, "selector", "`fdebug`"},
  {"+Verbose", "", any, block, once, slot::verbose, between(1, 2), 1, false, integer, false, "level, then unit", "`verbose`; `unitid` (-3 when not given)"},
  {"+Update", "", whole, anywhere, once, slot::update, exactly(1), 1, false, counting, false, "increments", "`nupdate`, the update interval"},
  {"+Update", "TYPE=INC", whole, block, once, slot::update, exactly(1), 1, false, counting, false, "increments", "`nupdate`, as `+Update`"},
  {"+Cycle", "", whole, anywhere, once, slot::cycle, per_step(), 1, false, real, false, "cycle settings, step after step", "`vx.shokriehdata.cycleprops` (m x nsteps)"},
  {"+Cycle", "TYPE=GENERAL", contains, block, once, slot::cycle, per_step(), 1, false, real, false, "as `+Cycle`", "`cycleprops`, as `+Cycle`"},
  {"+Cycle", "TYPE=DIRECT", whole, block, once, slot::cycle, per_step(), 1, false, real, false, "as `+Cycle`", "`cycleprops`; `cycles` becomes 1 x nsteps of 1.0 when absent"},
  {"+Cycle", "TYPE=INDIVIDUAL", whole, block, once, slot::individual, marked_steps(), 1, false, nonnegative, false, "cycle counts", "`cycles`, see below"},
};

constexpr Item section_decl[] = {
  {"+Orientation", "", any, block, once, slot::orientation, at_least(1), 1, false, real, true, "ply angles in degrees, from the bottom", "`plyorientation(:, isec)`; their number is the section's ply count"},
  {"+Thickness", "", any, block, once, slot::thickness, one_per_ply(), 1, false, positive, true, "ply thicknesses (model length unit)", "`plythickness(:, isec)`"},
  {"+Material", "", any, block, once, slot::material, one_per_ply(), 1, false, material_id, true, "material ids", "`matidlist(:, isec)`; needed unless the model is one section of one ply"},
  {"+Extension", "", any, block, once, slot::extension, exactly(2), 1, false, integer, false, "flags", "`seflags(:, isec)`, for the solver-side damage routine"},
  {"+Strength", "TYPE=INSITU", whole, block, many, slot::insitu, at_least(0), 1, false, ignored, false, "lines of any text, not read", "ignored on purpose"},
  {"+Strength", "", any, block, once, slot::strength, exactly(1), 1, false, positive, false, "strength, on the next line", "`xcstrength(isec)`, the compressive strength the buckling knock-down divides by"},
};

constexpr Item material_decl[] = {
  {"+Temperature*", "", any, block, once, slot::temperature, at_least(0), 1, false, temperature, false, "temperatures of this material", "merged over all materials, ascending and distinct, into `temperatures`, `ntempdata`"},
  {"+ModelID", "", any, block, once, slot::modelid, exactly(1), 1, false, integer, false, "model id", "`modelid`"},
  {"+Elastic", "", any, block, once, slot::elastic, one_of(2, 5, 9), 1, false, elastic, false, "elastic constants, see below", "`peprops`, always as E1, E2, E3, nu12, nu13, nu23, G12, G13, G23"},
  {"+Strength", "", any, block, once, slot::mstrength, upto(10), 1, false, positive, false, "tensile 1, 2, 3, compressive 1, 2, 3, shear 12, 13, 23, interlaminar shear", "`psprops`"},
  {"+Hygrothermal", "", any, block, once, slot::hygro, upto(5), 1, false, real, false, "e.g. alpha1..3 in 1/K", "`phprops`"},
  {"+Fracture", "", any, block, once, slot::fracture, upto(5), 1, false, nonnegative, false, "fracture toughnesses", "`pfprops`"},
  {"+Failure", "", whole, block, once, slot::failflags, upto(5), 1, false, selector, false, "criteria per mode, see below", "`pfflags` (initially 0)"},
  {"+Failure", "TYPE=INITIATION", contains, block, once, slot::failflags, upto(5), 1, false, selector, false, "as `+Failure`", "`pfflags`"},
  {"+Failure", "TYPE=EVOLUTION", contains, block, once, slot::evoflags, upto(5), 1, false, natural, false, "one per mode", "`peflags`"},
  {"+Failure", "TYPE=DEGRADATION", contains, block, once, slot::degradation, one_of(6, 12), 1, false, damage_limit, false, "largest damage values; 6 are repeated into 7 to 12", "`pelimits` (initially -1.0)"},
  {"+Failure", "TYPE=PROPERTIES", contains, block, once, slot::failprops, upto(8), 1, false, real, false, "matrix criterion parameters, see below", "`pdprops` (padded with the largest real)"},
  {"+Regularization", "TYPE=VISCOUS", contains, block, once, slot::regularization, upto(-1), 1, false, nonnegative, false, "viscosities", "`regularization`"},
  {"+Table", "TYPE=TEMPERATURE", contains, block, once, slot::factors, factor_table(), 0, true, positive, false, "factors, one row per merged temperature: elastic, then strength", "scales `peprops` and `psprops` per temperature"},
  {"+I10", "", any, block, once, slot::i10, upto(1), 1, false, real, false, "value", "`i10(1)`"},
  {"+Calibration", "TYPE=EquivalentStress", contains, block, once, slot::eqstress, upto(-1), 2, true, real, false, "(x, y) points", "`equivalentstress (points, 2)`"},
  {"+Calibration", "TYPE=Ratio", contains, block, once, slot::ratio, upto(1), 1, false, real, false, "value", "`r_crit(1)`"},
  {"+Calibration", "TYPE=Plasticity, T=<temperature>", contains, block, per_temperature, slot::cal_plasticity, upto(-1), 3, true, curve, false, "(strain, flow parameter 1, 2) points of one temperature", "`flowprops (ntempdata, points, 3)`"},
  {"+Calibration", "TYPE=Secant, T=<temperature>", contains, block, per_temperature, slot::cal_secant, upto(-1), 2, true, modulus_curve, false, "(strain, secant modulus) points of one temperature", "`secantprops (ntempdata, points, 2)`"},
  {"+Calibration", "TYPE=Normal, T=<temperature>", contains, block, per_temperature, slot::cal_normal, upto(-1), 2, true, curve, false, "(x, y) points of one temperature", "`normalprops`"},
  {"+Calibration", "TYPE=Shear, T=<temperature>", contains, block, per_temperature, slot::cal_shear, upto(-1), 2, true, curve, false, "(x, y) points of one temperature", "`shearprops`"},
  {"+Calibration", "TYPE=Alpha1, T=<temperature>", contains, block, per_temperature, slot::cal_alpha1, upto(-1), 2, true, curve, false, "(x, y) points of one temperature", "`alpha1props`"},
  {"+Calibration", "TYPE=Alpha2, T=<temperature>", contains, block, per_temperature, slot::cal_alpha2, upto(-1), 2, true, curve, false, "(x, y) points of one temperature", "`alpha2props`"},
  {"+Calibration", "TYPE=Alpha3, T=<temperature>", contains, block, per_temperature, slot::cal_alpha3, upto(-1), 2, true, curve, false, "(x, y) points of one temperature", "`alpha3props`"},
  {"+GelPoint", "", any, block, once, slot::gelpoint, upto(-1), 1, false, real, false, "gel point", "`cuprops(:, 1, ply, sec)`"},
  {"+Enthalpie", "", any, block, once, slot::enthalpie, upto(-1), 1, false, real, false, "enthalpy", "`cuprops(:, 2, ply, sec)`"},
  {"+Expansion", "", any, block, once, slot::expansion, upto(-1), 1, false, real, false, "cure expansion (not the thermal one)", "`cuprops(:, 3, ply, sec)`"},
  {"+Shrinkage", "", any, block, once, slot::shrinkage, upto(-1), 1, false, real, false, "shrinkage", "`cuprops(:, 4, ply, sec)`"},
  {"+Curing", "TYPE=RATE", contains, block, once, slot::cure_rate, upto(-1), 1, false, real, false, "cure rate", "`cuprops(:, 7, ply, sec)`"},
  {"+Curing", "TYPE=MASTER", contains, block, once, slot::cure_master, upto(-1), 1, false, real, false, "master curve", "`cuprops(:, 8, ply, sec)`"},
  {"+Curing", "", whole, block, once, slot::curing, upto(-1), 1, false, real, false, "cure limits", "`cuprops(:, 5, ply, sec)`"},
  {"+Curing", "TYPE=EXPONENTIAL", contains, block, once, slot::curing, upto(-1), 1, false, real, false, "as `+Curing`", "`cuprops(:, 5, ply, sec)`"},
  {"+Transition", "", any, block, once, slot::transition, upto(-1), 1, false, real, false, "transition", "`cuprops(:, 6, ply, sec)`"},
};

constexpr Item damage_decl[] = {
  {"+Position", "", any, block, once, slot::position, at_least(4), 1, false, real, true, "origin x, y, z, further values, the damage angle last", "`dmgplane(:, id)`; entries past the values hold the most negative real"},
  {"+Abstraction", "TYPE=General|Fiber|Matrix|Core|User", named, block, per_kind, slot::abstraction, at_least(4), 4, true, ply_record, false, "records: ply, half-axis a, half-axis b, unused", "`generaldds`, `fiberdds`, `matrixdds`, `coredds`, `userdds` `(3, nplies, ndmg)`: rows 1 and 2 of the ply"},
  {"+Abstraction", "TYPE=Delamination", named, block, once, slot::delamination, at_least(4), 4, true, gap_record, false, "records: interface i (between plies i and i+1), a, b, unused", "`delamdds (3, nplies-1, ndmg)`; also creates the buckling lists (zero)"},
  {"+Table", "TYPE=General|Fiber|Matrix|Delamination|Core|User, LayID|Layer=<ply>", any, block, per_ply, slot::outline, none_or_at_least(9), 3, true, outline, false, "outline vertices: unused, x, y in the damage plane, of the polygon that replaces the ellipse (three or more)", "`dmgpoints(:, ply, slot, id)`, slots in the order of the kinds (Delamination: the interface above the ply); the rest holds the largest real"},
};

constexpr ParamList matrix_param_decl[] = {
  {9, "Puck", 4, false, {}, "the inclination parameters for tension and compression along the fibre, then across it (default 0.3, 0.2, 0.15, 0.15)"},
  {9, "Puck", 2, true, {}, "step, mode"},
  {9, "Puck", 6, true, {}, "four values not read, then step, mode"},
  {10, "Wiegand", 1, false, {}, "fracture angle under pure transverse compression in degrees (default 53)"},
  {10, "Wiegand", 2, true, {}, "step, mode"},
  {10, "Wiegand", 3, true, {}, "a value not read, then step, mode"},
  {11, "Camanho", 1, false, {}, "as for Wiegand"},
  {11, "Camanho", 2, true, {}, "step, mode"},
  {11, "Camanho", 3, true, {}, "a value not read, then step, mode"},
  {12, "SPC3D", 5, false, {positive, positive, positive}, "shear strengths under compression 12, 13, 23 (default the shear strengths), then the tension and compression parameters (default 0.3, -0.3)"},
  {12, "SPC3D", 2, true, {}, "step, mode"},
  {12, "SPC3D", 7, true, {}, "five values not read, then step, mode"},
  {13, "VDI 2014", 6, false, {}, "the four inclination parameters as for Puck (default 0.3, 0.3, 0.25, 0.25), then the two weakening parameters (default 0.5, 0.5)"},
  {13, "VDI 2014", 2, true, {}, "step, mode"},
  {13, "VDI 2014", 8, true, {}, "six values not read, then step, mode"},
};
// clang-format on

// The material reader checks a parameter list's values for being positive
// only: a kind it does not check would be promised by the guide in vain.
constexpr bool parameter_kinds_checked() {
  for (const ParamList& l : matrix_param_decl)
    for (Kind k : l.kinds)
      if (k != Kind::real && k != Kind::positive) return false;
  return true;
}
static_assert(parameter_kinds_checked(), "a parameter list declares a kind the reader does not check");

}  // namespace

const std::span<const Item> step_items(step_decl), section_items(section_decl),
    material_items(material_decl), damage_items(damage_decl);
const std::span<const ParamList> matrix_parameter_lists(matrix_param_decl);

}  // namespace vx::io
