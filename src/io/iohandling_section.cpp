// Section card reader: sizes the section arrays from the card (sections from
// the begin lines, plies from the longest orientation item), fills each
// section column from its block and finishes with the ply z-coordinates.
// Every column and item is written only inside the arrays as they stand;
// what does not fit is reported, never written past an array.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../core/data.h"
#include "iohandling_cards.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"
#include "vexlan/laminate.h"

using namespace vx;

namespace {

// Reads the values of an item into column col of a two-dimensional array, as
// many as fit; returns how many the item holds.
template <class T, class A>
int32_t read_column(io::Card& card, const io::Item& it, A& arr, int64_t col) {
  Vec<T> v;
  const int32_t n = card.read(it, v);
  if (col > arr.extent(2)) {
    card.item_error(it.key, ": more sections than counted\n: extra section");
    return n;
  }
  const int64_t rows = arr.extent(1);
  const int64_t k = std::min<int64_t>(int64_t(v.size()), rows);
  if (k > 0) std::copy(v.begin(), v.begin() + k, &arr(1, col));
  // More values than plies in an item of one value per ply is a mismatch
  // with the ply count, reported at the end line.
  if (int64_t(v.size()) > rows && it.count.rule != io::Count::per_ply) card.item_error(it.key, ": too many values\n: too many");
  return n;
}

// Value counts of a block's items.
struct Items {
  int64_t nmat = 0, nori = 0, nthk = 0;
};

void allocate_sections(int32_t np, int32_t ns) {
  using namespace sectiondata;
  auto& mat = materialdata::matidlist;
  // Recreated together, so that no array of a former model is left with other extents.
  for (ArrayBase* a : {static_cast<ArrayBase*>(&xcstrength), static_cast<ArrayBase*>(&secidlist),
                       static_cast<ArrayBase*>(&mat), static_cast<ArrayBase*>(&plyorientation),
                       static_cast<ArrayBase*>(&plythickness),
                       static_cast<ArrayBase*>(&plyzcoord), static_cast<ArrayBase*>(&seflags),
                       static_cast<ArrayBase*>(&sehmatrix), static_cast<ArrayBase*>(&sefmatrix)})
    a->free();
  const int64_t nz = 2 * int64_t(np) + 1;
  xcstrength.allocate({ns});
  secidlist.allocate({ns});
  secidlist.fill(vx::unset);
  mat.allocate({np, ns});
  mat.fill(int64_t(np) * ns == 1 ? 1 : vx::unset);
  plyorientation.allocate({np, ns});
  plythickness.allocate({np, ns});
  plyzcoord.allocate({nz, ns});
  seflags.allocate({2, ns});
  sehmatrix.allocate({2, 2, ns});
  sefmatrix.allocate({nz, 4, ns});
}

// True when the nine arrays exist with the extents of one model.
bool sections_consistent() {
  using namespace sectiondata;
  if (!plyorientation.allocated()) return false;
  const int64_t np = plyorientation.extent(1), ns = plyorientation.extent(2), nz = 2 * np + 1;
  auto& mat = materialdata::matidlist;
  const auto is = io::has_extents;
  return is(xcstrength, {ns}) && is(secidlist, {ns}) && is(mat, {np, ns}) && is(plythickness, {np, ns}) &&
         is(plyzcoord, {nz, ns}) && is(seflags, {2, ns}) && is(sehmatrix, {2, 2, ns}) &&
         is(sefmatrix, {nz, 4, ns});
}

}  // namespace

VX_API void getsectiondatafromfile(const char* filepath, const char* workspace, size_t filepath_len,
                                   size_t workspace_len) {
  bool deck = false;
  const int32_t unit = io::open_card(filepath, filepath_len, workspace, workspace_len, "SectionCard", &deck);
  if (unit < 0) return;
  io::UnitGuard guard(unit);
  io::Card card(unit, "SectionCard", "section", "++End Section", deck);
  using namespace sectiondata;
  auto& matid = materialdata::matidlist;

  // Sizing: begin lines (any case, leading blanks ignored) and orientation items.
  const int32_t key = 15;
  const vx_l1 rwd = 1;
  int32_t nbegin = getnumberofkeywords(&unit, "++BEGIN SECTION", &key, &rwd, 15);
  int32_t nply = 0;
  std::string_view line;
  while (io::read_line(unit, line) == io::Read::ok)
    if (io::is_key(io::split_key(line).key, "+Orientation")) nply = std::max(nply, io::size_of_card_data(unit));
  io::rewind(unit);

  if (!sections_consistent()) {
    nsec = std::max(nsec, nbegin);
    nplies = std::max(nplies, nply);
    allocate_sections(nplies, nsec);
  } else {
    // Arrays of an earlier read are written into as they are; a card that
    // needs more is read as far as it fits.
    const int32_t ens = int32_t(plyorientation.extent(2)), enp = int32_t(plyorientation.extent(1));
    if (nbegin > ens || nply > enp) card.error("card larger than the section arrays in use", 0);
    nsec = std::max(nsec, std::min(nbegin, ens));
    nplies = std::max(nplies, std::min(nply, enp));
  }

  // Block pass: column isec is the block's position in the card.
  int64_t isec = 1;
  int32_t blockid = vx::unset;
  Items b;
  const int64_t ncol = plyorientation.extent(2), nrow = plyorientation.extent(1);
  // A model of one section with one ply starts with material 1 and needs no +Material.
  const bool single = nrow * ncol == 1;
  while (card.next(line)) {
    const io::KeyLine k = io::split_key(line);
    const bool inblock = card.in_block();
    if (io::is_key(k.key, "++Begin Section")) {
      blockid = card.begin_with_id(k.opt, "++Begin Section", "SecID=<integer>");
      b = Items();
    } else if (const io::Item* it = line.empty() || line[0] != '+' ? nullptr : io::Card::find(io::section_items, k);
               it && card.take(*it, k)) {
      switch (it->slot) {
        case io::slot::material:
          b.nmat = read_column<int32_t>(card, *it, matid, isec);
          break;
        case io::slot::orientation:
          b.nori = read_column<double>(card, *it, plyorientation, isec);
          break;
        case io::slot::thickness:
          b.nthk = read_column<double>(card, *it, plythickness, isec);
          break;
        case io::slot::extension:
          read_column<int32_t>(card, *it, seflags, isec);
          break;
        case io::slot::insitu:
          card.skip_lines();  // in-situ strengths come from elsewhere: its lines may hold anything
          break;
        default: {  // +Strength
          // The value stands on the next line that is not blank; a keyword line
          // there is not swallowed.
          std::string_view next;
          io::Read r;
          do r = io::read_line(unit, next);
          while (r == io::Read::ok && io::is_blank(next));
          const bool keyword = r == io::Read::ok && io::ends_card_data(next);
          double v = 0.0;
          bool too_large = false;
          if (r != io::Read::ok || keyword || !io::first_value(next, v, &too_large)) {
            if (r == io::Read::eof || keyword) io::backspace(unit);
            if (too_large) card.malformed(io::position(unit), io::Bad::beyond_double);
            else card.item_error("+Strength", "without a readable value\n: no value");
          } else {
            // The first value is the strength; more (a decimal comma, "310,5") is a mistake.
            const int32_t n = io::count_values(next);
            card.set_line(io::position(unit), n);
            if (n > 1) card.check_count(*it, n, -1, io::position(unit));
            else card.check(*it, Vec<double>{v});
            if (isec <= ncol) xcstrength(isec) = v;
            else card.item_error("+Strength", ": more sections than counted\n: extra section");
          }
        }
      }
    } else if (io::is_key(k.key, "++End Section")) {
      if (!inblock) card.end();  // reports an end line without its begin line
      if (isec > ncol) {
        card.error("more end lines than sections\ntoo many end lines");
      } else {
        if (inblock) {
          // Checked at the end line, so that a mistake inside the block (an
          // orientation line written from column 1) is the one reported.
          card.close_items(io::section_items, single ? io::slot::material : -1, b.nori, io::slot::orientation);
        }
        secidlist(isec) = blockid;
        const int64_t m = std::min(nrow, std::max<int64_t>(b.nori, 1));
        if (b.nmat == 1)
          for (int64_t p = 2; p <= m; ++p) matid(p, isec) = matid(1, isec);
        if (b.nthk == 1)
          for (int64_t p = 2; p <= std::min(nrow, b.nori); ++p) plythickness(p, isec) = plythickness(1, isec);
      }
      if (inblock) card.end();
      ++isec;
      blockid = vx::unset;
      b = Items();
    } else {
      card.unread(line);
    }
  }

  const int32_t np = int32_t(nrow), ns = int32_t(ncol);
  if (np > 0 && ns > 0)
    GetSectionZCoord(plyzcoord.data(), matid.data(), plythickness.data(), &np, &ns, nullptr);
}
