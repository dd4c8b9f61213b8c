// Damage card reader: damages that exist before an analysis starts, read from
// "DamageCard.vxd" in the job output directory (else from the solver input
// deck) into the damage-region store: per damage its position and angle, the
// half-axes of its regions per failure mode and ply (interface for
// delamination), and optional polygon outlines.
//
// The reader never writes outside the store: an item naming a damage, ply,
// kind or size the arrays do not hold records status -2 and is skipped.
// Region arrays are created together with the store's initialisation marker,
// so that the first growth of the store keeps what the card set.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>
#include "data.h"
#include "iohandling_cards.h"
#include "iohandling_units.h"
#include "vexlan.h"
#include "vexlan/iohandling.h"
#include "vexlan/iohandling_damagecard.h"

namespace vx {
namespace {

using namespace damagedata;

// Marker of the store: present and already initialised, so that the store's
// allocation keeps the regions read here.
void mark_store() {
  if (!damagedds.allocated()) {
    damagedds.allocate({1});
    damagedds(1) = 0;
  }
}

void create(RArr3& a, i4 n, i4 ndmg_) {
  if (a.allocated()) return;
  a.allocate({3, n, ndmg_});
  a.fill(0.0);
  mark_store();
}

// Records of four values (ply, a, b, unused) placed by their ply number; a
// wrong record is reported at its line.
// (The declaration's check reports the records; what is stored is decided here.)
void read_regions(io::Card& card, const io::Item& it, RArr3& a, i4 n, i4 d) {
  Vec<double> v;
  card.read(it, v, n);
  for (size_t r = 0; r + 4 <= v.size(); r += 4) {
    const double ply = v[r], ha = v[r + 1], hb = v[r + 2];
    // Range first: the ply number is converted only once it is known to fit.
    if (!(ply >= 1.0 && ply <= double(n)) || ply != std::floor(ply) || !a.contains(2, i4(ply), d)) continue;
    if (!(ha >= 0.0) || !(hb >= 0.0)) continue;
    a(1, i4(ply), d) = ha;
    a(2, i4(ply), d) = hb;
  }
}

// The region kinds of "+Abstraction", in the order an option is searched for them.
struct Kind {
  const char* name;
  RArr3* regions;
};
const Kind kinds[6] = {{"General", &generaldds}, {"Fiber", &fiberdds}, {"Matrix", &matrixdds},
                       {"Core", &coredds}, {"Delamination", &delamdds}, {"User", &userdds}};

// Index in kinds of the kind named anywhere in an "+Abstraction" option
// (names are case-sensitive); -1 when it names none.
int abstraction_kind(std::string_view opt) {
  for (int k = 0; k < 6; ++k)
    if (opt.find(kinds[k].name) != std::string_view::npos) return k;
  return -1;
}

// Slot of the kind whose name begins at the sixth character of a "+Table" setting.
i4 table_slot(std::string_view setting) {
  static const char* names[6] = {"General", "Fiber", "Matrix", "Delamination", "Core", "User"};
  if (setting.size() < 6) return 0;
  const std::string_view rest = setting.substr(5);
  for (i4 k = 0; k < 6; ++k)
    if (rest.substr(0, std::char_traits<char>::length(names[k])) == names[k]) return k + 1;
  return 0;
}

// Blanks and tabs, as everywhere else in an option part.
std::string_view left_adjust(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

// Integer after the first six characters of a text ("LayID=3", "DmgID=2").
bool int_after_six(std::string_view s, i4& v) {
  if (s.size() <= 6) return false;
  return io::first_int(s.substr(6), v);
}

// The kind slot and ply a "+Table" option names: kind and "LayID=" (or
// "Layer=") in either order.
struct TableTarget {
  i4 slot = 0, ply = 0;
  bool has_ply = false;
};
TableTarget table_target(std::string_view opt) {
  const size_t c = opt.find(',');
  const std::string_view first = opt.substr(0, c);
  const std::string_view second = c == std::string_view::npos ? std::string_view() : left_adjust(opt.substr(c + 1));
  const bool first_is_layer =
      first.find("LayID") != std::string_view::npos || first.find("Layer") != std::string_view::npos;
  TableTarget t;
  t.slot = table_slot(first_is_layer ? second : first);
  t.has_ply = int_after_six(first_is_layer ? first : second, t.ply);
  return t;
}

}  // namespace
}  // namespace vx

using namespace vx;
using namespace vx::damagedata;

VX_API void getdamagedatafromfile(const char* filepath, const char* workspace, const i4* nplies_, const i4* nsec_,
                                  size_t filepath_len, size_t workspace_len) {
  bool deck = false;
  const i4 unit = io::open_card(filepath, filepath_len, workspace, workspace_len, "DamageCard", &deck);
  if (unit < 0) return;
  io::UnitGuard guard(unit);
  io::Card card(unit, "DamageCard", "damage", "++End Damage", deck);
  const i4 nplies = *nplies_, nsec = *nsec_;

  // Counting and sizing.
  const i4 lkey = 14;
  const vx_l1 rwd = 1;
  ndmg = getnumberofkeywords(&unit, "++BEGIN DAMAGE", &lkey, &rwd, 14);
  i4 npos = 4, nxypoints = 1;
  bool inblock = false;
  std::string_view line;
  while (io::read_line(unit, line) == io::Read::ok) {
    const io::KeyLine k = io::split_key(line);
    if (io::is_key(k.key, "++Begin Damage")) {
      inblock = true;
    } else if (inblock && io::is_key(k.key, "+Position")) {
      npos = std::max(npos, io::size_of_card_data(unit));
    } else if (inblock && io::is_key(k.key, "+Table")) {
      // Only an outline that can be stored sizes the outlines of every ply,
      // kind and damage: a long one for a ply beyond the section would ask
      // for that length everywhere.
      const TableTarget t = table_target(k.opt);
      if (t.slot != 0 && t.has_ply && t.ply >= 1 && t.ply <= nplies)
        nxypoints = std::max(nxypoints, io::size_of_card_data(unit));
    } else if (io::is_key(k.key, "++End Damage")) {
      inblock = false;
    }
  }
  io::rewind(unit);

  // Block pass. Items of a block whose index the store does not hold are
  // read and dropped: the begin line has said so already.
  i4 dmgid = 0;
  bool valid = false;
  // Lines of the outlines per ply and kind (0: not given).
  HashMap<int64_t, i4> at_table;
  while (card.next(line)) {
    const io::KeyLine k = io::split_key(line);
    const bool inblock = card.in_block();
    if (io::is_key(k.key, "++Begin Damage")) {
      dmgid = card.begin_with_id(k.opt, "++Begin Damage", "DmgID=<integer>");
      valid = dmgid != vx::unset && dmgid >= 1 && dmgid <= ndmg;
      if (dmgid != vx::unset && !valid) {
        const std::string range = "outside 1.." + std::to_string(ndmg);
        card.error("damage id " + range + "\nid " + range);
      }
      at_table.clear();
    } else if (inblock && io::is_key(k.key, "+Position")) {
      card.take(io::damage_items[0], k);
      if (!valid) {
        card.skip_data();
        continue;
      }
      if (!dmgplane.allocated()) {
        dmgplane.allocate({npos, ndmg});
        dmgplane.fill(-huge);
      }
      Vec<double> v;
      card.read(io::damage_items[0], v);  // the angle is the last value: x, y, z and the angle at least
      if (!dmgplane.contains(std::max<int64_t>(int64_t(v.size()), 1), dmgid)) {
        card.item_error("+Position", ": too many values\n: too many");
        continue;
      }
      for (size_t j = 0; j < v.size(); ++j) dmgplane(i4(j + 1), dmgid) = v[j];
    } else if (const int kind = inblock && io::is_key(k.key, "+Abstraction") ? abstraction_kind(k.opt) : -1;
               kind >= 0) {
      RArr3* const a = kinds[kind].regions;
      const bool delam = a == &delamdds;
      const io::Item& decl = io::damage_items[delam ? 2 : 1];
      card.take(decl, k, kind);
      if (!valid) {
        card.skip_data();
        continue;
      }
      if (delam && nplies < 2) {
        // A single-ply section has no interface to delaminate: its records
        // are checked against no interface at all, and nothing is stored.
        Vec<double> v;
        card.read(decl, v, 0);
        continue;
      }
      if (delam) {
        if (!delamdds.allocated()) {
          create(delamdds, nplies - 1, ndmg);
          // The buckling lists come with the delamination regions; lists that
          // exist already are kept. One record per ply.
          const i4 krec = std::max(nplies, 1);
          if (!bukdata::bukintdatalist.allocated()) {
            bukdata::bukintdatalist.allocate({4, krec, ndmg, nsec});
            bukdata::bukintdatalist.fill(0);
          }
          if (!bukdata::bukrealdatalist.allocated()) {
            bukdata::bukrealdatalist.allocate({12, krec, ndmg, nsec});
            bukdata::bukrealdatalist.fill(0.0);
          }
        }
        read_regions(card, decl, delamdds, nplies - 1, dmgid);
      } else {
        create(*a, nplies, ndmg);
        read_regions(card, decl, *a, nplies, dmgid);
      }
    } else if (inblock && io::is_key(k.key, "+Table")) {
      if (!valid) {
        card.skip_data();
        continue;
      }
      if (!dmgpoints.allocated()) {
        dmgpoints.allocate({nxypoints, nplies, 6, ndmg});
        dmgpoints.fill(huge);
      }
      const TableTarget t = table_target(k.opt);
      const i4 slot = t.slot, ply = t.ply;
      const bool has_ply = t.has_ply;
      card.take(io::damage_items[3], k);
      if (slot != 0 && has_ply) card.once(at_table[int64_t(ply) * 8 + slot], "+Table");
      Vec<double> v;
      card.read(io::damage_items[3], v);
      if (v.empty()) continue;  // nothing to store; reported at the end line
      if (slot == 0) {
        card.item_error("+Table", ": no kind named");
      } else if (!has_ply || ply < 1 || ply > dmgpoints.extent(2)) {
        card.item_error("+Table", ": no ply of the section\n: no such ply");
      } else if (!dmgpoints.contains(i4(v.size()), ply, slot, dmgid)) {
        card.item_error("+Table", ": too many values\n: too many");
      } else {
        for (size_t j = 0; j < v.size(); ++j) dmgpoints(i4(j + 1), ply, slot, dmgid) = v[j];
        // A delamination outline belongs to the interface above its ply: the top ply has none.
        if (slot == 4 && ply >= nplies) {
          const std::string p = std::to_string(ply);
          card.item_error("+Table", ": no interface above ply " + p + "\n: ply " + p + " is the top");
        }
      }
    } else if (io::is_key(k.key, "++End Damage")) {
      if (inblock && valid) card.close_items(io::damage_items);
      card.end();
    } else {
      card.unread(line);
    }
  }
}
