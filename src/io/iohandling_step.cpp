// Step card reader: debug selectors, verbosity and update interval of the
// debug data, and the fatigue cycle tables. Selector items stay pending until
// their block's end line applies them, so a block that is never closed
// changes nothing; cycle tables are written as their items are read, each
// write kept inside the table it goes to.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "../core/data.h"
#include "iohandling_cards.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"

using namespace vx;

namespace {

// Largest cycle table accepted (values); a larger request is a typing error.
constexpr int64_t max_cycle_values = 10'000'000;

struct Pending {
  bool has_edebug = false, has_ndebug = false, has_fdebug = false, has_update = false;
  int32_t edebug = 0, ndebug = 0, fdebug = 0, nupdate = 1;
  int32_t update_line = 0;  // line of the pending +Update
  Vec<int32_t> verbose;
};

// First value of an integer item; false when the item holds none.
bool first_int(io::Card& card, const io::Item& it, int32_t& v) {
  Vec<int32_t> vals;
  card.read(it, vals);
  if (vals.empty()) return false;
  v = vals[0];
  return true;
}

// Cycle properties: m = n div nsteps values per step, column by column.
void read_cycle_props(io::Card& card, const io::Item& it, int32_t nsteps, bool& have_props) {
  Vec<double> v;
  card.read(it, v, nsteps);
  const int64_t m = int64_t(v.size()) / nsteps;
  if (m < 1) {
    card.item_error("+Cycle", ": fewer values than steps");
    return;
  }
  auto& cp = shokriehdata::cycleprops;
  cp.free();
  cp.allocate({m, nsteps});
  std::copy(v.begin(), v.begin() + m * nsteps, cp.data());
  have_props = true;
}

void read_individual_cycles(io::Card& card, const io::Item& it, int32_t nsteps, bool have_props) {
  auto& cp = shokriehdata::cycleprops;
  auto& cy = shokriehdata::cycles;
  if (!have_props || !cp.allocated() || cp.extent(1) < 6 || cp.extent(2) < nsteps) {
    // Settings of fewer than six per step have no row 6 to count the counts.
    if (have_props && cp.allocated() && cp.extent(1) < 6)
      card.item_error("+Cycle", ": " + std::to_string(cp.extent(1)) + " cycle settings a step, 6 needed");
    else
      card.item_error("+Cycle", ": no cycle settings before");
    card.skip_data();
    return;
  }
  double top = cp(6, 1);
  for (int32_t j = 2; j <= nsteps; ++j) top = std::max(top, cp(6, j));
  const double ncyc = std::nearbyint(top);
  if (!(ncyc >= 1.0) || ncyc * nsteps > double(max_cycle_values)) {
    card.item_error("+Cycle", ": individual cycle count out of range\n: cycle count out of range");
    card.skip_data();
    return;
  }
  if (!cy.allocated()) {
    cy.allocate({int64_t(ncyc), nsteps});
    cy.fill(0.0);
  }
  const int64_t rows = cy.extent(1), total = cy.size();
  // The counts run from the first marked step through the last one, the
  // steps between them included (their zeros written out).
  int32_t first = 0, last = 0;
  for (int32_t j = 1; j <= nsteps; ++j)
    if (cp(3, j) >= 3.0) {
      if (!first) first = j;
      last = j;
    }
  const int64_t expected = first ? rows * (last - first + 1) : 0;
  // Row 6 of a marked step is its number of counts: a whole number, 1 or above.
  for (int32_t j = 1; j <= nsteps; ++j)
    if (cp(3, j) >= 3.0 && !(cp(6, j) >= 1.0 && cp(6, j) == std::floor(cp(6, j)))) {
      const std::string step = std::to_string(j);
      card.item_error("+Cycle", ": step " + step + " marked with {} counts\n: step " + step + ", {} counts", card.line_no(),
                      {cp(6, j)});
      break;
    }
  for (int32_t j = 1; j <= nsteps; ++j) {
    if (!(cp(3, j) >= 3.0)) continue;
    Vec<double> v;
    if (j == first) card.read(it, v, expected);
    else card.read(v);
    const int64_t start = int64_t(j - 1) * rows;
    const int64_t fit = std::max<int64_t>(0, std::min<int64_t>(int64_t(v.size()), total - start));
    std::copy(v.begin(), v.begin() + fit, cy.data() + start);
    if (fit < int64_t(v.size())) card.item_error("+Cycle", ": more individual cycles than fit");
  }
  Vec<double> rest;  // counts left when no step is marked for them
  if (first) card.read(rest);
  else card.read(it, rest, 0);
  if (!rest.empty()) card.item_error("+Cycle", ": individual cycles that no step takes\n: cycles that no step takes");
}

}  // namespace

VX_API void getstepdatafromfile(const char* filepath, const char* workspace, const int32_t* nsteps,
                                size_t filepath_len, size_t workspace_len) {
  bool deck = false;
  const int32_t unit = io::open_card(filepath, filepath_len, workspace, workspace_len, "StepCard", &deck);
  if (unit < 0) return;
  io::UnitGuard guard(unit);
  io::Card card(unit, "StepCard", "step", "++End Step", deck);
  using namespace debugdata;
  fdebug = 0;
  nupdate = 1;
  edebug = 0;
  ndebug = 0;
  verbose = 0;
  unitid = -3;

  bool have_props = false;
  Pending p;
  // A table of one value per step is made before any value is read: without
  // a step count it can hold, the item is reported and dropped.
  auto cycle_steps_ok = [&]() {
    if (*nsteps >= 1 && *nsteps <= max_cycle_values) return true;
    card.item_error("+Cycle", *nsteps < 1 ? ": cycle settings need at least one step\n: no steps" : ": number of steps out of range");
    card.skip_data();
    return false;
  };

  std::string_view line;
  while (card.next(line)) {
    const io::KeyLine k = io::split_key(line);
    bool taken = true;  // the line is one of the card's items
    if (io::is_key(k.key, "++Begin Step")) {
      card.begin(io::Card::no_id);
      // Step blocks carry no id and no option: the settings apply to every step.
      if (!k.opt.empty()) {
        const std::string_view opt = io::shown(k.opt);
        card.item_error("++Begin Step", std::string(": unknown option ").append(opt).append("\n: unknown ").append(opt));
      }
    } else if (const io::Item* it = line.empty() || line[0] != '+' ? nullptr : io::Card::find(io::step_items, k);
               it && card.take(*it, k)) {
      switch (it->slot) {
        case io::slot::edebug: p.has_edebug |= first_int(card, *it, p.edebug); break;
        case io::slot::ndebug: p.has_ndebug |= first_int(card, *it, p.ndebug); break;
        case io::slot::fdebug: p.has_fdebug |= first_int(card, *it, p.fdebug); break;
        case io::slot::verbose: {
          Vec<int32_t> v;
          card.read(*it, v);
          if (!v.empty()) p.verbose = std::move(v);
          break;
        }
        case io::slot::update:
          if (first_int(card, *it, p.nupdate)) {
            p.has_update = true;
            p.update_line = card.line_no();
          }
          break;
        case io::slot::cycle:
          if (cycle_steps_ok()) {
            if (std::string_view(it->option) == "TYPE=DIRECT" && !shokriehdata::cycles.allocated()) {
              shokriehdata::cycles.allocate({1, *nsteps});
              shokriehdata::cycles.fill(1.0);
            }
            read_cycle_props(card, *it, *nsteps, have_props);
          }
          break;
        case io::slot::individual:
          if (cycle_steps_ok()) read_individual_cycles(card, *it, *nsteps, have_props);
          break;
        default: taken = false;
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
      if (card.in_block()) card.close_items(io::step_items);
      card.end();
    } else {
      taken = false;
    }
    if (!taken) card.unread(line);
  }
  // An +Update outside the blocks waits for the next end line: after the
  // last one it is never applied. (Settings inside a block left open are
  // reported with the block.)
  if (p.has_update)
    card.warning("+Update: not applied, no ++End Step after it\n+Update: no ++End Step after it\n+Update not applied",
                 p.update_line);
}
