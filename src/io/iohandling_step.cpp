// Step card reader: debug selectors, verbosity and update interval of the
// debug data, and the fatigue cycle tables. Selector items stay pending until
// their block's end line applies them, so a block that is never closed
// changes nothing; cycle tables are written as their items are read, each
// write kept inside the table it goes to.
#include <algorithm>
#include <cmath>
#include <vector>

#include "../core/data.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"

using namespace vx;

namespace {

// Largest cycle table accepted (values); a larger request is a typing error.
constexpr int64_t max_cycle_values = 10'000'000;

struct Pending {
  bool has_edebug = false, has_ndebug = false, has_fdebug = false, has_update = false;
  int32_t edebug = 0, ndebug = 0, fdebug = 0, nupdate = 1;
  std::vector<int32_t> verbose;
};

// First value of an integer item; false when the item holds none.
bool first_int(int32_t unit, int32_t& v) {
  std::vector<int32_t> vals;
  io::read_data(unit, vals);
  if (vals.empty()) return false;
  v = vals[0];
  return true;
}

// Cycle properties: m = n div nsteps values per step, column by column.
void read_cycle_props(int32_t unit, int32_t nsteps, bool& have_props) {
  std::vector<double> v;
  io::read_data(unit, v);
  const int64_t m = int64_t(v.size()) / nsteps;
  if (m < 1) {
    vx::report(-2, "Error in GetStepDataFromFile: fewer cycle settings than steps.");
    return;
  }
  auto& cp = shokriehdata::cycleprops;
  cp.free();
  cp.allocate({m, nsteps});
  std::copy(v.begin(), v.begin() + m * nsteps, cp.data());
  have_props = true;
}

void read_individual_cycles(int32_t unit, int32_t nsteps, bool have_props) {
  auto& cp = shokriehdata::cycleprops;
  auto& cy = shokriehdata::cycles;
  if (!have_props || !cp.allocated() || cp.extent(1) < 6 || cp.extent(2) < nsteps) {
    vx::report(-2, "Error in GetStepDataFromFile: individual cycles need cycle settings first.");
    return;
  }
  double top = cp(6, 1);
  for (int32_t j = 2; j <= nsteps; ++j) top = std::max(top, cp(6, j));
  const double ncyc = std::nearbyint(top);
  if (!(ncyc >= 1.0) || ncyc * nsteps > double(max_cycle_values)) {
    vx::report(-2, "Error in GetStepDataFromFile: number of individual cycles out of range.");
    return;
  }
  if (!cy.allocated()) {
    cy.allocate({int64_t(ncyc), nsteps});
    cy.fill(0.0);
  }
  const int64_t rows = cy.extent(1), total = cy.size();
  for (int32_t j = 1; j <= nsteps; ++j) {
    if (!(cp(3, j) >= 3.0)) continue;
    std::vector<double> v;
    io::read_data(unit, v);
    const int64_t start = int64_t(j - 1) * rows;
    const int64_t fit = std::max<int64_t>(0, std::min<int64_t>(int64_t(v.size()), total - start));
    std::copy(v.begin(), v.begin() + fit, cy.data() + start);
    if (fit < int64_t(v.size()))
      vx::report(-2, "Error in GetStepDataFromFile: more individual cycles than the table holds.");
  }
}

}  // namespace

VX_API void getstepdatafromfile(const char* filepath, const char* workspace, const int32_t* nsteps,
                                size_t filepath_len, size_t workspace_len) {
  const int32_t unit = io::open_card(filepath, filepath_len, workspace, workspace_len, "StepCard");
  if (unit < 0) return;
  io::UnitGuard guard(unit);
  using namespace debugdata;
  fdebug = 0;
  nupdate = 1;
  edebug = 0;
  ndebug = 0;
  verbose = 0;
  unitid = -3;

  bool inblock = false, have_props = false;
  Pending p;
  auto cycle_steps_ok = [&]() {
    if (*nsteps >= 1) return true;
    vx::report(-2, "Error in GetStepDataFromFile: cycle settings need at least one step.");
    return false;
  };

  std::string_view line;
  while (io::read_line(unit, line) == io::Read::ok) {
    const io::KeyLine k = io::split_key(line);
    if (io::is_key(k.key, "++Begin Step")) {
      inblock = true;
    } else if (io::is_key(k.key, "+Debug")) {
      if (!inblock) continue;
      if (io::opt_is(k.opt, "TYPE=ELEMENT")) p.has_edebug |= first_int(unit, p.edebug);
      else if (io::opt_is(k.opt, "TYPE=NODAL")) p.has_ndebug |= first_int(unit, p.ndebug);
      else if (io::opt_is(k.opt, "TYPE=FILE")) p.has_fdebug |= first_int(unit, p.fdebug);
    } else if (io::is_key(k.key, "+Verbose")) {
      if (!inblock) continue;
      std::vector<int32_t> v;
      io::read_data(unit, v);
      if (!v.empty()) p.verbose = std::move(v);
    } else if (io::is_key(k.key, "+Update")) {
      if (k.opt.empty() || (inblock && io::opt_is(k.opt, "TYPE=INC"))) p.has_update |= first_int(unit, p.nupdate);
    } else if (io::is_key(k.key, "+Cycle")) {
      if (k.opt.empty() || (inblock && io::opt_has(k.opt, "TYPE=GENERAL"))) {
        if (cycle_steps_ok()) read_cycle_props(unit, *nsteps, have_props);
      } else if (inblock && io::opt_is(k.opt, "TYPE=INDIVIDUAL")) {
        if (cycle_steps_ok()) read_individual_cycles(unit, *nsteps, have_props);
      } else if (inblock && io::opt_is(k.opt, "TYPE=DIRECT")) {
        if (!cycle_steps_ok()) continue;
        if (!shokriehdata::cycles.allocated()) {
          shokriehdata::cycles.allocate({1, *nsteps});
          shokriehdata::cycles.fill(1.0);
        }
        read_cycle_props(unit, *nsteps, have_props);
      }
    } else if (io::is_key(k.key, "++End Step")) {
      if (p.has_update) nupdate = p.nupdate;
      if (p.has_edebug) edebug = p.edebug;
      if (p.has_ndebug) ndebug = p.ndebug;
      if (p.has_fdebug) fdebug = p.fdebug;
      if (!p.verbose.empty()) {
        verbose = p.verbose[0];
        unitid = p.verbose.size() > 1 ? p.verbose[1] : -3;
      }
      p = Pending();
      inblock = false;
    }
  }
}
