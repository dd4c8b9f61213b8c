// Material card reader. Three passes over the card: the sizes of every item
// and the merged temperature list, then the values, block by block. A block
// is distributed at its end line to every ply of every section whose material
// id matches; temperature lists, factor tables and calibration curves are the
// block's own and never carry over to the next block. The resin calibration
// tables are global: the last material that gives one replaces it. Every
// write is bounded by the array it goes to; what does not fit, and counts the
// card format does not allow, are reported naming the item and the material.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../core/data.h"
#include "../core/scratch.h"
#include "iohandling_cards.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"
#include "vexlan/lamina.h"

using namespace vx;
namespace md = vx::materialdata;

namespace {

// Calibration curves per temperature: index into the tables below.
enum Cal { plasticity, secant, normal, shear, alpha1, alpha2, alpha3, ncal };
constexpr const char* cal_option[ncal] = {"TYPE=Plasticity", "TYPE=Secant", "TYPE=Normal", "TYPE=Shear",
                                          "TYPE=Alpha1",     "TYPE=Alpha2", "TYPE=Alpha3"};
constexpr int cal_width[ncal] = {3, 2, 2, 2, 2, 2, 2};  // values per point

RArr3* cal_table(int c) {
  static RArr3* t[ncal] = {&md::flowprops,   &md::secantprops, &md::normalprops, &md::shearprops,
                           &md::alpha1props, &md::alpha2props, &md::alpha3props};
  return t[c];
}
int32_t* cal_count(int c) {
  static int32_t* n[ncal] = {&md::nflowdata,   &md::nsecantdata, &md::nnormaldata, &md::nsheardata,
                             &md::nalpha1data, &md::nalpha2data, &md::nalpha3data};
  return n[c];
}

// Curing quantities along the second index of cuprops.
constexpr int ncure = 8;

bool is_temperature_key(std::string_view key) {
  return key.size() >= 12 && io::is_key(key.substr(0, 12), "+Temperature");
}

// Which curing quantity an item is (0-based), -1 for none.
int cure_index(const io::KeyLine& k) {
  if (io::is_key(k.key, "+GelPoint")) return 0;
  if (io::is_key(k.key, "+Enthalpie")) return 1;
  if (io::is_key(k.key, "+Expansion")) return 2;
  if (io::is_key(k.key, "+Shrinkage")) return 3;
  if (io::is_key(k.key, "+Transition")) return 5;
  if (io::is_key(k.key, "+Curing")) {
    if (io::opt_has(k.opt, "TYPE=RATE")) return 6;
    if (io::opt_has(k.opt, "TYPE=MASTER")) return 7;
    if (k.opt.empty() || io::opt_has(k.opt, "TYPE=EXPONENTIAL")) return 4;
  }
  return -1;
}

int cal_index(std::string_view opt) {
  for (int c = 0; c < ncal; ++c)
    if (io::opt_has(opt, cal_option[c])) return c;
  return -1;
}

// Number of "T=" in an option part, letter case as written.
int count_t(std::string_view opt) {
  int n = 0;
  for (size_t i = 0; i + 1 < opt.size(); ++i)
    if (opt[i] == 'T' && opt[i + 1] == '=') ++n;
  return n;
}

struct Sizes {
  int64_t ne = 9, nst = 10, nh = 1, nf = 1, nd = 1, nreg = 1, ncu = 7, nes = 1;
  int64_t cal[ncal] = {1, 1, 1, 1, 1, 1, 1};
};

// The most values the declaration of a material item takes (-1: no bound).
// An item with more is reported and not stored, so that its count must not
// size the arrays: a typing slip of thousands of values times thousands of
// temperatures would ask for gigabytes.
int64_t most_values(int slot) {
  for (const io::Item& it : io::material_items)
    if (it.slot == slot) {
      if (it.count.rule == io::Count::one_of) return std::bit_width(it.count.mask) - 1;
      if (it.count.rule == io::Count::range) return it.count.hi;
      return -1;
    }
  return -1;
}

// Pass 1 and 2: item sizes and the merged temperature list (only blocks that
// are closed contribute temperatures).
void size_card(int32_t unit, Sizes& z, Vec<double>& temps) {
  std::string_view line;
  bool inmat = false;
  Vec<double> mine;
  bool have_mine = false;
  while (io::read_line(unit, line) == io::Read::ok) {
    const io::KeyLine k = io::split_key(line);
    if (io::is_key(k.key, "++Begin Material")) {
      inmat = true;
      have_mine = false;
      mine.clear();
      continue;
    }
    if (io::is_key(k.key, "++End Material")) {
      if (inmat && have_mine) temps.insert(temps.end(), mine.begin(), mine.end());
      inmat = false;
      continue;
    }
    if (!inmat || line.empty() || line[0] != '+') continue;
    if (is_temperature_key(k.key)) {
      mine.clear();
      io::read_card_data(unit, mine);  // the block pass reports what is malformed
      have_mine = true;
      continue;
    }
    int64_t* size = nullptr;
    int64_t most = -1;
    if (io::is_key(k.key, "+Elastic")) size = &z.ne, most = most_values(io::slot::elastic);
    else if (io::is_key(k.key, "+Strength")) size = &z.nst, most = most_values(io::slot::mstrength);
    else if (io::is_key(k.key, "+Hygrothermal")) size = &z.nh, most = most_values(io::slot::hygro);
    else if (io::is_key(k.key, "+Fracture")) size = &z.nf, most = most_values(io::slot::fracture);
    else if (io::is_key(k.key, "+Failure") && io::opt_has(k.opt, "TYPE=PROPERTIES"))
      size = &z.nd, most = most_values(io::slot::failprops);
    else if (io::is_key(k.key, "+Regularization") && io::opt_has(k.opt, "TYPE=VISCOUS")) size = &z.nreg;
    else if (const int q = cure_index(k); q >= 0) {
      // The rate and master curves size the curing table; the other curing
      // items are clipped to it.
      if (q == 6 || q == 7) size = &z.ncu;
      else continue;
    }
    else if (io::is_key(k.key, "+Calibration")) {
      if (io::opt_has(k.opt, "TYPE=EquivalentStress")) size = &z.nes;
      else if (int c = cal_index(k.opt); c >= 0) size = &z.cal[c];
    }
    if (size) {
      const int64_t n = io::size_of_card_data(unit);
      *size = std::max<int64_t>(*size, most < 0 ? n : std::min(n, most));
    }
  }
  io::rewind(unit);
  std::sort(temps.begin(), temps.end());
  temps.erase(std::unique(temps.begin(), temps.end()), temps.end());
  while (!temps.empty() && temps.back() == vx::huge) temps.pop_back();
}

template <class A>
void recreate(A& a, std::initializer_list<int64_t> e) {
  a.free();
  a.allocate(e);
}

void allocate_material(const Sizes& z, int64_t nt, int32_t np, int32_t ns) {
  recreate(md::pfflags, {5, np, ns});
  recreate(md::peflags, {5, np, ns});
  recreate(md::pelimits, {12, np, ns});
  md::pelimits.fill(-1.0);
  recreate(md::peprops, {z.ne * nt, np, ns});
  recreate(md::psprops, {z.nst * nt, np, ns});
  recreate(md::phprops, {z.nh, np, ns});
  recreate(md::pfprops, {z.nf, np, ns});
  recreate(md::pdprops, {z.nd, np, ns});
  md::pdprops.fill(vx::huge);
  recreate(md::cuprops, {z.ncu, ncure, np, ns});
  md::cuprops.fill(vx::huge);
  // Resin tables survive the end-of-analysis release: made anew for this card.
  recreate(md::regularization, {z.nreg});
  recreate(md::equivalentstress, {std::max<int64_t>(z.nes / 2, 1), 2});
  for (int c = 0; c < ncal; ++c) recreate(*cal_table(c), {nt, *cal_count(c), cal_width[c]});
}

// True when every array exists with the extents this card asks for; a second
// reading of the same card then writes into the arrays as they are.
bool material_fits(const Sizes& z, int64_t nt, int32_t np, int32_t ns) {
  const auto is = io::has_extents;
  bool ok = is(md::pfflags, {5, np, ns}) && is(md::peflags, {5, np, ns}) && is(md::pelimits, {12, np, ns}) &&
            is(md::peprops, {z.ne * nt, np, ns}) && is(md::psprops, {z.nst * nt, np, ns}) &&
            is(md::phprops, {z.nh, np, ns}) && is(md::pfprops, {z.nf, np, ns}) && is(md::pdprops, {z.nd, np, ns}) &&
            is(md::cuprops, {z.ncu, ncure, np, ns}) && is(md::regularization, {z.nreg}) &&
            is(md::equivalentstress, {std::max<int64_t>(z.nes / 2, 1), 2});
  for (int c = 0; c < ncal && ok; ++c) ok = is(*cal_table(c), {nt, *cal_count(c), cal_width[c]});
  return ok;
}

// The values of one block, distributed at its end line.
struct Block {
  int32_t id = vx::unset;
  bool modelid_given = false;
  int32_t modelid = 0;
  Vec<double> temps, factors, elastic, strength, hygro, fracture, failprops, degradation, eqstress;
  // at_...: line of the item in the card, 0 when the block has none.
  int32_t at_temps = 0, at_factors = 0, at_elastic = 0, at_strength = 0, at_hygro = 0, at_fracture = 0,
          at_failprops = 0, at_degradation = 0, at_eqstress = 0;
  Vec<int32_t> failflags, evoflags;
  int32_t at_failflags = 0, at_evoflags = 0;
  std::array<Vec<double>, ncure> cure;
  std::array<int32_t, ncure> at_cure{};
  std::array<Vec<double>, ncal> cal;  // nt rows x width, column-major
  std::array<int64_t, ncal> cal_w{}, curves{};
  std::array<int32_t, ncal> at_cal{};  // line of the first curve of each type
  std::array<const io::Item*, io::slot::material_slots> decl{};  // declaration of each item given
  Vec<io::ValueLine> factor_lines;  // the factor table's rows are checked at the end line
  Vec<io::ValueLine> failprops_lines;  // so are the parameter lists, against the criterion
  int64_t counter = 1;
};

// The (ply, section) columns of each material id inside the arrays, in the
// order of a scan of matidlist: built once per card, so that a card of many
// blocks over many plies does not scan every ply for every block and item.
// Plies and sections of the section data beyond the counts the reader was
// given have no column: the first of each material id there is kept, to be
// reported with the material. Only the model's own plies count: entries past
// the section data's counts are those of an earlier, larger model whose
// arrays were kept.
struct PlyIndex {
  // Ids within a range not much wider than their count (the usual 1, 2, ...)
  // are found by offset: cols[start[id - lo] .. start[id - lo + 1]). Ids
  // spread wider go through the map. Either way the columns of one id keep
  // the order of the scan.
  bool dense = true;
  int64_t lo = 0;
  Vec<int64_t> start;
  Vec<std::pair<int32_t, int32_t>> cols;
  HashMap<int32_t, Vec<std::pair<int32_t, int32_t>>> at;
  HashMap<int32_t, std::pair<int32_t, int32_t>> beyond;
};

// The plies and sections of matidlist that belong to the model: those of
// the section data's counts or of the counts given, whichever are larger.
std::pair<int64_t, int64_t> model_columns(int32_t np, int32_t ns) {
  const auto& mat = md::matidlist;
  if (!mat.allocated()) return {0, 0};
  return {std::min<int64_t>(std::max<int64_t>({np, sectiondata::nplies, 0}), mat.extent(1)),
          std::min<int64_t>(std::max<int64_t>({ns, sectiondata::nsec, 0}), mat.extent(2))};
}

PlyIndex index_plies(int32_t np, int32_t ns) {
  PlyIndex ix;
  const auto& mat = md::matidlist;
  const auto [P, S] = model_columns(np, ns);
  const int64_t Pin = std::min<int64_t>(std::max(np, 0), P), Sin = std::min<int64_t>(std::max(ns, 0), S);
  // The first column of each id outside the counts, in the order of the scan.
  for (int64_t s = 1; s <= S; ++s)
    for (int64_t p = s <= Sin ? Pin + 1 : 1; p <= P; ++p)
      if (const int32_t id = mat(p, s); id != vx::unset) ix.beyond.try_emplace(id, int32_t(p), int32_t(s));
  // The unset id marks plies without material: no block asks for it.
  int64_t lo = INT64_MAX, hi = INT64_MIN, n = 0;
  for (int64_t s = 1; s <= Sin; ++s)
    for (int64_t p = 1; p <= Pin; ++p)
      if (const int64_t id = mat(p, s); id != vx::unset) {
        lo = std::min(lo, id);
        hi = std::max(hi, id);
        ++n;
      }
  if (n == 0) return ix;
  ix.dense = hi - lo < 2 * n + 64;
  if (!ix.dense) {
    for (int64_t s = 1; s <= Sin; ++s)
      for (int64_t p = 1; p <= Pin; ++p)
        if (const int32_t id = mat(p, s); id != vx::unset) ix.at[id].emplace_back(int32_t(p), int32_t(s));
    return ix;
  }
  ix.lo = lo;
  ix.start.assign(size_t(hi - lo + 2), 0);
  for (int64_t s = 1; s <= Sin; ++s)
    for (int64_t p = 1; p <= Pin; ++p)
      if (const int32_t id = mat(p, s); id != vx::unset) ++ix.start[size_t(id - lo + 1)];
  for (size_t k = 1; k < ix.start.size(); ++k) ix.start[k] += ix.start[k - 1];
  ix.cols.resize(size_t(n));
  Vec<int64_t> next(ix.start.begin(), ix.start.end() - 1);
  for (int64_t s = 1; s <= Sin; ++s)
    for (int64_t p = 1; p <= Pin; ++p)
      if (const int32_t id = mat(p, s); id != vx::unset) ix.cols[size_t(next[size_t(id - lo)]++)] = {int32_t(p), int32_t(s)};
  return ix;
}

// Every (ply, section) column whose material id is `id`, inside the arrays.
template <class F>
void for_plies(const PlyIndex& plies, int32_t id, F&& f) {
  if (plies.dense) {
    const int64_t k = int64_t(id) - plies.lo;
    if (k < 0 || k + 1 >= int64_t(plies.start.size())) return;
    for (int64_t i = plies.start[size_t(k)]; i < plies.start[size_t(k + 1)]; ++i)
      f(int64_t(plies.cols[size_t(i)].first), int64_t(plies.cols[size_t(i)].second));
    return;
  }
  const auto it = plies.at.find(id);
  if (it == plies.at.end()) return;
  for (const auto& [p, s] : it->second) f(int64_t(p), int64_t(s));
}

// Into every column of material `id`: the n values v from row 1, as far as
// the array's first extent allows. False when a value had no place (rows too
// few, or a column outside the array). The extents are taken once: the loop
// is bound by its stores into arrays far larger than the caches, and any
// further work per column shows.
template <class T, class A>
bool put_all(const PlyIndex& plies, int32_t id, A& arr, const T* v, int64_t n) {
  const bool have = arr.allocated();
  const int64_t rows = have ? arr.extent(1) : 0, np = have ? arr.extent(2) : 0, ns = have ? arr.extent(3) : 0;
  T* const base = have ? arr.data() : nullptr;
  const int64_t k = std::min(n, rows);
  bool any = false, outside = false;
  for_plies(plies, id, [&](int64_t p, int64_t s) {
    any = true;
    if (p > np || s > ns) {
      outside = true;
      return;
    }
    T* const col = base + (p - 1) * rows + (s - 1) * rows * np;
    for (int64_t i = 0; i < k; ++i) col[i] = v[i];
  });
  return !any || (k == n && !outside);
}
template <class T, class A>
bool put_all(const PlyIndex& plies, int32_t id, A& arr, const Vec<T>& v) {
  return put_all(plies, id, arr, v.data(), int64_t(v.size()));
}

// The nine constants (E1, E2, E3, nu12, nu13, nu23, G12, G13, G23) give a
// positive definite stiffness: positive moduli and a positive definite
// normal compliance.
bool positive_definite(const double* e) {
  for (int k : {0, 1, 2, 6, 7, 8})
    if (!(e[k] > 0.0)) return false;
  const double s11 = 1 / e[0], s22 = 1 / e[1], s33 = 1 / e[2];
  const double s12 = -e[3] / e[0], s13 = -e[4] / e[0], s23 = -e[5] / e[1];
  const double m2 = s11 * s22 - s12 * s12;
  const double det = s11 * (s22 * s33 - s23 * s23) - s12 * (s12 * s33 - s23 * s13) + s13 * (s12 * s23 - s22 * s13);
  return m2 > 0.0 && det > 0.0;
}

// The matrix criteria read their parameter list only at the counts declared
// for them (any other count keeps every default, silently at analysis), and
// take the values of the list as declared: a block that selects one of them
// with a list of another count, or with a value of another kind, is
// reported. A list that holds -1.0 keeps every default and is not looked at.
void check_matrix_parameters(io::Card& card, const Block& b) {
  const auto& v = b.failprops;
  if (!b.at_failprops || v.empty() || v.size() > 8 || b.failflags.size() < 3) return;
  const int32_t mc = b.failflags[2];
  bool reads = false;
  const io::ParamList* list = nullptr;
  for (const io::ParamList& l : io::matrix_parameter_lists)
    if (l.selector == mc) {
      reads = true;
      if (size_t(l.count) == v.size()) list = &l;
    }
  if (!reads || std::find(v.begin(), v.end(), -1.0) != v.end()) return;
  if (!list) {
    const std::string n = std::to_string(v.size()), sel = std::to_string(mc);
    card.item_error("+Failure", ": " + io::values(int64_t(v.size())) + " for matrix " + sel + "\n: " + n + ", matrix " + sel,
                    b.at_failprops);
    return;
  }
  const int32_t count = list->count - (list->search ? 2 : 0);
  for (int32_t k = 0; k < count && k < int32_t(std::size(list->kinds)); ++k)
    if (list->kinds[k] == io::Kind::positive && !(v[size_t(k)] > 0.0)) {
      card.item_error("+Failure", ": {} is not positive\n: {} <= 0",
                      io::Card::line_of(b.failprops_lines, size_t(k), b.at_failprops),
                      {card.as_written(b.failprops_lines, size_t(k), v[size_t(k)])});
      return;
    }
  if (!list->search) return;
  // Lists that end in the plane search step and mode: the search replaces a
  // step of 0 or below, or in golden mode (mode 1 after truncation) one wider
  // than its range, by the default, and widens one finer than a millionth of
  // the range, each with a warning only at analysis. The driver searches 0 to
  // 180 degrees, SPC3D 2 to 178.
  const double step = v[v.size() - 2], mode = v.back(), range = mc == 12 ? 176.0 : 180.0;
  if (!(step > 0.0))
    card.item_error("+Failure", ": step {} is not positive\n: step {} <= 0\n: {} <= 0", b.at_failprops,
                    {card.as_written(b.failprops_lines, v.size() - 2, step)});
  else if (mode >= 1.0 && mode < 2.0 && step > range)
    card.item_error("+Failure", ": step {} wider than {}\n: step {} > {}\n: {} > {}", b.at_failprops, {step, range});
  else if (step < range / 1e6)
    card.item_error("+Failure", ": step {} too fine\n: {} too fine\n: {} tiny", b.at_failprops, {step});
}

void distribute(io::Card& card, const Block& b, const PlyIndex& plies, int32_t np, int32_t ns, int64_t nt) {
  const int32_t id = b.id;
  if (b.modelid_given) md::modelid = b.modelid;
  const int64_t nel = int64_t(b.elastic.size()), nstr = int64_t(b.strength.size());

  // Temperature factors: one row per merged temperature, elastic then strength.
  bool tdep = false;
  if (b.at_factors) {
    const int64_t want = (nel + nstr) * nt;
    if (!b.at_temps)
      card.item_error("+Table", ": no +Temperature in the block\n: no +Temperature", b.at_factors);
    else if (int64_t(b.factors.size()) != want)
      card.check_count(*b.decl[io::slot::factors], int64_t(b.factors.size()), want, b.at_factors);
    else {
      // One row per temperature, whole on each line, as the rows are meant.
      card.check_rows(*b.decl[io::slot::factors], b.factor_lines, want, nel + nstr);
      tdep = md::temperatures.allocated();
    }
  }
  const int64_t frow = nel + nstr;
  bool clipped = false;
  auto note = [&](bool ok, const char* item, int32_t line) {
    if (!ok && !clipped) {
      clipped = true;
      card.item_error(item, ": too many values\n: too many", line);
    }
  };

  if (b.at_elastic) {
    if (nel == 2 || nel == 5 || nel == 9) {
      const int32_t n = int32_t(nel);
      const int64_t nblocks = tdep ? nt : 1;
      Vec<double> nye(size_t(9 * nblocks));
      {
        // The constants as written first, so that a mistake in them is not
        // blamed on a factor row.
        double read[9];
        GetNyeProperties(read, b.elastic.data(), &n);
        if (!positive_definite(read)) card.item_error("+Elastic", ": not positive definite\n: not SPD", b.at_elastic);
      }
      for (int64_t t = 0; t < nblocks; ++t) {
        double e[9];
        for (int64_t k = 0; k < nel; ++k) e[k] = b.elastic[size_t(k)] * (tdep ? b.factors[size_t(t * frow + k)] : 1.0);
        GetNyeProperties(&nye[size_t(9 * t)], e, &n);
        if (tdep && !positive_definite(&nye[size_t(9 * t)])) {
          card.item_error("+Table", ": not positive definite at {}\n: not SPD at {}", b.at_factors,
                          {md::temperatures(t + 1)});
        }
      }
      // One block of nine per temperature, one after the other in the column.
      note(put_all(plies, id, md::peprops, nye), "+Elastic", b.at_elastic);
    }  // other counts: reported with the item
  }
  if (b.at_strength && nstr > 0) {  // an item without values gives nothing
    if (nstr <= 10) {
      // Blocks of nstr values per temperature, scaled by the last nstr factors of its row.
      const int64_t nblocks = tdep ? nt : 1;
      Vec<double> v(size_t(nstr * nblocks));
      for (int64_t t = 0; t < nblocks; ++t)
        for (int64_t k = 0; k < nstr; ++k)
          v[size_t(t * nstr + k)] = b.strength[size_t(k)] * (tdep ? b.factors[size_t(t * frow + nel + k)] : 1.0);
      note(put_all(plies, id, md::psprops, v), "+Strength", b.at_strength);
    }
  }
  // Lists of up to most values (a longer one is reported with its item and not used).
  auto upto = [&](int32_t at, const auto& v, auto& arr, const char* item, size_t most) {
    if (!at || v.empty() || v.size() > most) return;  // an item without values gives nothing
    note(put_all(plies, id, arr, v), item, at);
  };
  upto(b.at_hygro, b.hygro, md::phprops, "+Hygrothermal", 5);
  upto(b.at_fracture, b.fracture, md::pfprops, "+Fracture", 5);
  // Up to the longest parameter list that the matrix driver reads (VDI 2014 with step and mode).
  upto(b.at_failprops, b.failprops, md::pdprops, "+Failure", 8);
  check_matrix_parameters(card, b);
  upto(b.at_failflags, b.failflags, md::pfflags, "+Failure", 5);
  upto(b.at_evoflags, b.evoflags, md::peflags, "+Failure", 5);

  if (b.at_degradation) {
    if (b.degradation.size() == 12 || b.degradation.size() == 6) {
      Vec<double> v(b.degradation);
      if (v.size() == 6) v.insert(v.end(), b.degradation.begin(), b.degradation.end());
      note(put_all(plies, id, md::pelimits, v), "+Failure", b.at_degradation);
    }  // other counts: reported with the item
  }

  const int ncured = int(std::count_if(b.at_cure.begin(), b.at_cure.end(), [](int32_t at) { return at > 0; }));
  const int32_t at_cure = *std::max_element(b.at_cure.begin(), b.at_cure.end());
  if (ncured == ncure) {
    auto cure_ply = [&](int64_t p, int64_t s) {
      auto& cu = md::cuprops;
      if (!cu.allocated() || cu.extent(2) < ncure || p > cu.extent(3) || s > cu.extent(4)) return note(false, "+Curing", at_cure);
      const int64_t rows = cu.extent(1);
      for (int q = 0; q < ncure; ++q) {
        const auto& v = b.cure[size_t(q)];
        const int64_t k = std::min<int64_t>(int64_t(v.size()), rows);
        std::copy(v.begin(), v.begin() + k, &cu(1, q + 1, p, s));
        note(k == int64_t(v.size()), "+Curing", b.at_cure[size_t(q)]);
      }
    };
    const auto& mat = md::matidlist;
    const bool none = std::all_of(mat.data(), mat.data() + mat.size(), [](int32_t m) { return m == vx::unset; });
    if (none && np == 1 && ns == 1) cure_ply(1, 1);
    else for_plies(plies, id, cure_ply);
  } else if (ncured > 0) {
    const std::string n = std::to_string(ncured);
    card.item_error("+Curing", ": " + n + " of the 8 items given\n: " + n + " of 8 items\n: " + n + " of 8", at_cure);
  }

  for (int c = 0; c < ncal; ++c) {
    if (b.cal_w[size_t(c)] == 0) continue;
    RArr3& tab = *cal_table(c);
    const int64_t w = cal_width[c], rows = tab.extent(1), pts = tab.extent(2), mw = b.cal_w[size_t(c)];
    for (int64_t i = 1; i <= pts; ++i)
      for (int64_t q = 1; q <= std::min(w, tab.extent(3)); ++q)
        for (int64_t r = 1; r <= std::min(rows, nt); ++r) {
          const int64_t col = w * (i - 1) + q;  // column of the material's curve
          tab(r, i, q) = col <= mw ? b.cal[size_t(c)][size_t((r - 1) + (col - 1) * nt)] : 0.0;
        }
  }
  if (b.at_eqstress && md::equivalentstress.allocated()) {
    auto& eq = md::equivalentstress;
    const int64_t n = eq.extent(1);
    for (int64_t i = 1; i <= n; ++i) {
      eq(i, 1) = size_t(2 * i - 1) <= b.eqstress.size() ? b.eqstress[size_t(2 * i - 2)] : 0.0;
      eq(i, 2) = size_t(2 * i) <= b.eqstress.size() ? b.eqstress[size_t(2 * i - 1)] : 0.0;
    }
    if (b.eqstress.size() > size_t(2 * n)) note(false, "+Calibration", b.at_eqstress);
  }
}

// One value read straight into a one-entry array created at first use.
void read_single(io::Card& card, const io::Item& it, RArr1& arr, const char* item) {
  Vec<double> v;
  card.read(it, v);
  if (v.empty()) return;
  if (!arr.allocated()) arr.allocate({1});
  arr(1) = v[0];
  if (v.size() > size_t(arr.extent(1))) card.item_error(item, ": too many values\n: too many");
}

}  // namespace

VX_API void getmaterialdatafromfile(const char* filepath, const char* workspace, const int32_t* nplies,
                                    const int32_t* nsec, size_t filepath_len, size_t workspace_len) {
  bool deck = false;
  const int32_t unit = io::open_card(filepath, filepath_len, workspace, workspace_len, "MaterialCard", &deck);
  if (unit < 0) return;
  io::UnitGuard guard(unit);
  const int32_t np = std::max(*nplies, 0), ns = std::max(*nsec, 0);

  Sizes z;
  Vec<double> temps;
  size_card(unit, z, temps);
  const int64_t nt = std::max<int64_t>(int64_t(temps.size()), 1);
  md::temperatures.free();
  md::temperatures.allocate({nt});
  md::temperatures.fill(vx::huge);
  std::copy(temps.begin(), temps.end(), md::temperatures.data());
  md::ntempdata = int32_t(nt);
  for (int c = 0; c < ncal; ++c) *cal_count(c) = int32_t(std::max<int64_t>(z.cal[c] / cal_width[c], 1));
  // Arrays that do not match this card (another model, or tables left from an
  // earlier analysis) are made anew rather than written past.
  if (!material_fits(z, nt, np, ns)) allocate_material(z, nt, np, ns);
  if (!md::matidlist.allocated()) return;

  // Pass 3: values, block by block.
  io::Card card(unit, "MaterialCard", "material", "++End Material", deck);
  const PlyIndex plies = index_plies(np, ns);
  HashSet<int32_t> seen;
  Block b;
  std::string_view line;
  while (card.next(line)) {
    const io::KeyLine k = io::split_key(line);
    if (io::is_key(k.key, "++Begin Material")) {
      b = Block();
      b.id = card.begin_with_id(k.opt, "++Begin Material", "MatID=<integer>");
      continue;
    }
    if (io::is_key(k.key, "++End Material")) {
      if (card.in_block()) {
        card.close_items(io::material_items);
        // A type of curve given for fewer temperatures than the model has
        // leaves the rows of the others zero, which no table can interpolate.
        for (int c = 0; c < ncal; ++c)
          if (b.curves[size_t(c)] > 0 && b.curves[size_t(c)] < nt) {
            const std::string n = std::to_string(b.curves[size_t(c)]), t = std::to_string(nt);
            card.item_error("+Calibration",
                            ": " + n + (b.curves[size_t(c)] == 1 ? " curve" : " curves") + " for nt = " + t + "\n: " + n +
                                " < nt = " + t + "\n: " + n + " < " + t,
                            b.at_cal[size_t(c)]);
          }
        if (b.id != vx::unset) {  // the unset id marks plies without material
          distribute(card, b, plies, np, ns, nt);
          // Plies of this material that the counts given leave out receive nothing.
          if (const auto out = plies.beyond.find(b.id); out != plies.beyond.end()) {
            const auto [p, s] = out->second;
            if (p > np)
              card.error("ply " + std::to_string(p) + " beyond nplies = " + std::to_string(np) + "\nply " +
                         std::to_string(p) + " > nplies " + std::to_string(np));
            else
              card.error("section " + std::to_string(s) + " beyond nsec = " + std::to_string(ns) + "\nsection " +
                         std::to_string(s) + " > nsec " + std::to_string(ns));
          }
        }
        seen.insert(b.id);
      }
      card.end();
      b = Block();
      continue;
    }
    const io::Item* it = line.empty() || line[0] != '+' ? nullptr : io::Card::find(io::material_items, k);
    const int c = it && it->slot >= io::slot::cal_plasticity && it->slot <= io::slot::cal_alpha3
                      ? it->slot - io::slot::cal_plasticity
                      : -1;  // calibration curve type
    if (c >= 0 && card.in_block() && count_t(k.opt) != 1) {
      // Curves go to the temperatures in their order; one without its
      // single "T=" is not taken, so that it shifts no later curve.
      card.skip_data();
      card.item_error("+Calibration", ": needs one T=\n: one T=");
      continue;
    }
    if (!it || !card.take(*it, k)) {
      card.unread(line);
      continue;
    }
    b.decl[size_t(it->slot)] = it;
    // An item's values, replacing any earlier ones, and the line it stands on.
    auto take = [&](auto& v, int32_t& at) {
      at = card.line_no();
      v.clear();
      card.read(*it, v);
    };
    namespace sl = io::slot;
    switch (it->slot) {
      case sl::temperature: take(b.temps, b.at_temps); break;
      case sl::modelid: {
        Vec<int32_t> v;
        card.read(*it, v);
        if (!v.empty()) {
          b.modelid = v[0];
          b.modelid_given = true;
        }
        break;
      }
      case sl::elastic: take(b.elastic, b.at_elastic); break;
      case sl::mstrength: take(b.strength, b.at_strength); break;
      case sl::hygro: take(b.hygro, b.at_hygro); break;
      case sl::fracture: take(b.fracture, b.at_fracture); break;
      case sl::failflags: take(b.failflags, b.at_failflags); break;
      case sl::evoflags: take(b.evoflags, b.at_evoflags); break;
      case sl::degradation: take(b.degradation, b.at_degradation); break;
      case sl::failprops:
        take(b.failprops, b.at_failprops);
        b.failprops_lines = card.value_lines();
        break;
      case sl::regularization: {
        Vec<double> v;
        card.read(*it, v);
        auto& r = md::regularization;
        const int64_t n = std::min<int64_t>(int64_t(v.size()), r.allocated() ? r.extent(1) : 0);
        std::copy(v.begin(), v.begin() + n, r.data());
        if (n < int64_t(v.size())) card.item_error("+Regularization", ": too many values\n: too many");
        break;
      }
      case sl::factors:
        take(b.factors, b.at_factors);
        b.factor_lines = card.value_lines();
        break;
      case sl::i10: read_single(card, *it, md::i10, "+I10"); break;
      case sl::eqstress: take(b.eqstress, b.at_eqstress); break;
      case sl::ratio: read_single(card, *it, md::r_crit, "+Calibration"); break;
      default:
        if (c >= 0) {
          Vec<double> v;
          card.read(*it, v);
          const size_t cs = size_t(c);
          // One curve per merged temperature and type: a further one would
          // write over the row of an earlier temperature.
          // Both against the other items of the card: held to the end line.
          if (++b.curves[cs] > nt) {
            const std::string t = std::to_string(nt);
            card.later("+Calibration", ": curves beyond nt = " + t + "\n: beyond nt = " + t + "\n: > nt = " + t, card.line_no());
          }
          if (!b.at_cal[cs]) b.at_cal[cs] = card.line_no();
          if (b.cal_w[cs] == 0) {  // the material's table of this type, at its first curve
            b.cal_w[cs] = std::max<int64_t>(z.cal[c], cal_width[c] * int64_t(*cal_count(c)));
            b.cal[cs].assign(size_t(nt * b.cal_w[cs]), 0.0);
          }
          const int64_t row = (b.counter - 1) % nt;  // curves fill the rows in turn
          ++b.counter;
          const int64_t n = std::min<int64_t>(int64_t(v.size()), b.cal_w[cs]);
          for (int64_t q = 0; q < n; ++q) b.cal[cs][size_t(row + q * nt)] = v[size_t(q)];
          if (n < int64_t(v.size())) card.item_error("+Calibration", ": too many values\n: too many");
          // A shorter curve is padded with zeros, which end its ascending
          // abscissae: the table cannot be interpolated then.
          else if (!v.empty() && n < b.cal_w[cs])
            card.later("+Calibration", ": " + io::values(n) + ", table of " + std::to_string(b.cal_w[cs]) + "\n: " +
                                           std::to_string(n) + " < " + std::to_string(b.cal_w[cs]), card.line_no());
        } else {  // the curing items, in the order of cuprops
          const size_t q = size_t(it->slot - sl::gelpoint);
          take(b.cure[q], b.at_cure[q]);
        }
    }
  }

  // A ply that names a material the card does not define keeps its initial data.
  const auto [P, S] = model_columns(np, ns);
  for (int64_t s = 1; s <= S; ++s)
    for (int64_t p = 1; p <= P; ++p)
      if (const int32_t id = md::matidlist(p, s); id != vx::unset && !seen.count(id)) {
        char m[100];
        std::snprintf(m, sizeof m, "Warning: no material block for material id %d", id);
        vx::report(-2, m);
        return;
      }
}
