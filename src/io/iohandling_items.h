// The items of the four cards, declared once as data: where an item may
// stand, how often, which option selects it and which options it takes, and
// how many values of which kind it holds. The readers find the declaration
// of every item line (Card::find), take the item through it (Card::take) and
// check its values against it (Card::check); docs/cardtables.py renders the
// item tables of docs/cards.md from the same declarations, so that the guide
// cannot drift from the code.
//
// The tables in iohandling_items.cpp are parsed by that script: one
// declaration a line, fields in the order of Item below, counts written with
// the helpers of Count.
#pragma once
#include <cstdint>
#include <span>

namespace vx::io {

// How the option part selects the item, the reader's own rule: the whole
// option equals the declared one (ignoring case), contains its first setting,
// anything at all, or names one of the declared kinds anywhere (names
// compared with their case).
enum class Select : uint8_t { whole, contains, any, named };

// Where the item may stand.
enum class Place : uint8_t { block, anywhere };

// What makes a second item of the same slot in one block legitimate: none
// (once), another ply or kind (damage outlines), another temperature
// (calibration curves, at most one per merged temperature and type), or
// nothing needs to (many: an item ignored on purpose).
enum class Repeat : uint8_t { once, per_kind, per_ply, per_temperature, many };

// How many values: lo to hi (hi < 0: no upper bound; lo 0, or bit 0 of mask:
// an item without values gives nothing), one of a set (bit n of mask: n
// values), or a count
// the reader knows from elsewhere (ctx): 1 or one per ply, a multiple of the
// steps, the factor table of the temperatures, the counts of the marked
// steps.
struct Count {
  enum Rule : uint8_t { range, one_of, per_ply, per_step, per_temperature, marked_steps } rule;
  int16_t lo, hi;
  uint32_t mask;
};
constexpr Count exactly(int n) { return {Count::range, int16_t(n), int16_t(n), 0}; }
constexpr Count upto(int n) { return {Count::range, 0, int16_t(n), 0}; }
constexpr Count between(int lo, int hi) { return {Count::range, int16_t(lo), int16_t(hi), 0}; }
constexpr Count at_least(int n) { return {Count::range, int16_t(n), -1, 0}; }
// No values (the item gives nothing), or n or more.
constexpr Count none_or_at_least(int n) { return {Count::range, int16_t(n), -1, 1u}; }
constexpr Count one_of(int a, int b, int c = 0) {
  return {Count::one_of, 0, 0, (1u << a) | (1u << b) | (c ? 1u << c : 0u)};
}
constexpr Count one_per_ply() { return {Count::per_ply, 1, -1, 0}; }
constexpr Count per_step() { return {Count::per_step, 1, -1, 0}; }
constexpr Count factor_table() { return {Count::per_temperature, 1, -1, 0}; }
constexpr Count marked_steps() { return {Count::marked_steps, 1, -1, 0}; }

// The kind of each value.
enum class Kind : uint8_t {
  real,         // any number
  positive,     // above 0
  nonnegative,  // 0 or above
  integer,      // any integer
  material_id,  // integer, not the mark of a ply without material (2147483647)
  natural,      // integer 0 or above
  counting,     // integer 1 or above
  temperature,  // strictly ascending
  elastic,      // constants that give a positive definite stiffness
  selector,     // failure criteria, each within the table of its mode
  curve,        // records whose first values (the abscissae) strictly ascend
  ply_record,   // ply 1..nplies, half-axes a, b above 0, an unused value
  gap_record,   // interface 1..nplies-1, then as ply_record
  damage_limit, // 0 to 1, or -1, which asks the damage routine for its default set
  modulus_curve,  // a curve whose ordinates (moduli) are above 0
  outline,      // triples (unused, x, y): the vertices of a simple polygon that encloses an area
  ignored,      // lines of any text, passed over unread
};

struct Item {
  const char* key;     // keyword; a trailing '*' compares only the text before it
  const char* option;  // option settings ("TYPE=A|B, T=<temperature>"), "" for none
  Select select;
  Place place;
  Repeat repeat;
  int8_t slot;         // the reader's item; items of one slot are one item for the once rule
  Count count;
  int8_t record;       // values per record; 0: rows of a length the reader knows (the factor table)
  bool per_line;       // a line holds whole records or part of one (a record may run on)
  Kind kind;
  bool need;           // a block without it is reported
  const char* data;    // for the guide: what the values are
  const char* lands;   // for the guide: where they go
};

// Slots of the readers (indices into a block's item lines).
namespace slot {
enum Section : int8_t { orientation, thickness, material, extension, strength, insitu };
enum Step : int8_t { edebug, ndebug, fdebug, verbose, update, cycle, individual };
enum Material : int8_t {
  temperature, modelid, elastic, mstrength, hygro, fracture, failflags, evoflags, degradation, failprops,
  regularization, factors, i10, eqstress, ratio, cal_plasticity, cal_secant, cal_normal, cal_shear,
  cal_alpha1, cal_alpha2, cal_alpha3, gelpoint, enthalpie, expansion, shrinkage, curing, transition,
  cure_rate, cure_master, material_slots
};
enum Damage : int8_t { position, abstraction, delamination, outline };
constexpr int max_slots = 32;
}  // namespace slot

extern const std::span<const Item> step_items, section_items, material_items, damage_items;

// Largest selector of each failure mode (general, fibre, matrix,
// delamination, core).
inline constexpr int32_t selector_max[5] = {8, 13, 15, 7, 2};

// A parameter list that a matrix criterion reads from "+Failure,
// TYPE=PROPERTIES" (selected by the block's matrix selector, row 3 of
// "+Failure"): its count, the kind of each value before the plane search
// step and mode that some lists end in, and for the guide what they are. A
// list of a count that its criterion does not read keeps every default at
// analysis, as does one that holds -1 anywhere.
struct ParamList {
  int8_t selector;
  const char* criterion;  // for the guide
  int8_t count;
  bool search;            // the last two values are the plane search step (degrees) and mode
  Kind kinds[6];          // the values before the step and mode; real where not given
  const char* data;       // for the guide
};
extern const std::span<const ParamList> matrix_parameter_lists;

}  // namespace vx::io
