// Reader of the solver's printed model data: the element definition table
// gives the element count, the node and degree-of-freedom extents, the
// element labels and kinds and the connectivity of the conventional shells;
// the node definition table gives the coordinates that are then copied into
// every element slot holding the node.
//
// Node labels are mapped to coordinates through a hash table, so sparse or
// large labels cost nothing, and every element line is bounded by the node
// slots of the element data; the whole read is linear in the file size.
#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "../laminate/elementhandling_impl.h"
#include "data.h"
#include "iohandling_units.h"
#include "text.h"
#include "vexlan.h"
#include "vexlan/elementhandling.h"
#include "vexlan/iohandling.h"
#include "vexlan/iohandling_printed.h"

using namespace vx;

namespace {

constexpr std::string_view elem_heading = "e l e m e n t   d e f i n i t i o n s";
constexpr std::string_view node_heading = "n o d e   d e f i n i t i o n s";

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view ltrim(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && blank(s[i])) ++i;
  return s.substr(i);
}

// First token of a left-adjusted text and the left-adjusted rest.
std::string_view next_token(std::string_view& s) {
  s = ltrim(s);
  size_t i = 0;
  while (i < s.size() && !blank(s[i])) ++i;
  const std::string_view tok = s.substr(0, i);
  s = ltrim(s.substr(i));
  return tok;
}

bool contains_nocase(std::string_view line, std::string_view lowkey) {
  if (line.size() < lowkey.size()) return false;
  for (size_t p = 0; p + lowkey.size() <= line.size(); ++p) {
    size_t k = 0;
    while (k < lowkey.size() && text::lower(line[p + k]) == lowkey[k]) ++k;
    if (k == lowkey.size()) return true;
  }
  return false;
}

// A listing line as read: at most 256 characters.
bool read(int32_t unit, std::string_view& line) {
  if (io::read_line(unit, line) != io::Read::ok) return false;
  if (line.size() > 256) line = line.substr(0, 256);
  return true;
}

// Reads until a line holds the heading; false at the end of the file.
bool find_heading(int32_t unit, std::string_view lowkey) {
  std::string_view line;
  while (read(unit, line))
    if (contains_nocase(line, lowkey)) return true;
  return false;
}

// A line cut into its leading integer (when it has one) and the rest.
struct Split {
  bool is_int = false;
  int32_t number = 0;
  std::string_view rest;
};

Split split(std::string_view line) {
  Split s;
  s.rest = line;
  const std::string_view first = next_token(s.rest);
  int32_t v = 0;
  if (!first.empty() && io::first_int(first, v)) {
    s.is_int = true;
    s.number = v;
  }
  return s;
}

// Rows of the table after the heading: the lines that start with a positive
// label, up to the first line without a label once rows have been seen. The
// table also ends where visit returns false.
template <class Visit>
void table_rows(int32_t unit, Visit visit) {
  std::string_view line;
  bool seen = false;
  while (read(unit, line)) {
    const Split s = split(line);
    if (!s.is_int) {
      if (seen) break;
      continue;
    }
    if (s.number <= 0) continue;
    seen = true;
    if (!visit(s)) break;
  }
}

// The element types the extents count: S..., or C... except C + IN.
bool counted_type(std::string_view t) {
  return !t.empty() && (t[0] == 'S' || (t[0] == 'C' && !(t.size() >= 3 && t[1] == 'I' && t[2] == 'N')));
}

}  // namespace

VX_API void getabqdatafromfile(const char* filepath, size_t filepath_len) {
  std::string_view path(filepath, filepath_len);
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  int32_t unit = io::unit_of(path);
  if (unit < 0) {
    unit = io::free_unit(1, 120);
    if (unit < 0 || io::open(unit, path, io::Mode::read) != 0) return;  // nothing to read from
  }
  io::UnitGuard guard(unit);

  // Counting pass over the element table.
  int32_t count = 0, inodes = 0, idof = 0;
  if (find_heading(unit, elem_heading)) {
    table_rows(unit, [&](const Split& s) {
      std::string_view rest = s.rest;
      const std::string_view type = next_token(rest);
      const std::string_view t8 = type.substr(0, std::min<size_t>(type.size(), 8));
      getelementdataextents(&count, &inodes, &idof, t8.data(), t8.size());
      return true;
    });
  }
  if (count == 0) return;

  using namespace elementdata;
  using namespace nodaldata;
  nelem = std::max(count, 1);
  nnodes = std::max(inodes, 1);
  ndof = std::max(idof, 1);
  int32_t istat = 0;
  allocateelementdata(&istat, &nnodes, &nelem);
  allocatenodaldata(&istat, &ndof, &nnodes, &nelem);
  // Arrays kept from an earlier model are written into as they are: the
  // counts become what they hold, and a model that needs more is read as far
  // as it fits.
  const int32_t room_e = int32_t(std::min({elemlist.extent(1), elemkind.extent(1), elemnodes.extent(2),
                                           elemcurvatures.extent(2), elemreforientation.extent(2),
                                           sectiondata::nsectionpoints.extent(1), nodesmotion.extent(3),
                                           nodalcoords.extent(3), tnodalmatrices.extent(4), tcurvmatrices.extent(3)}));
  const int32_t room_n = int32_t(std::min({elemnodes.extent(1), nodesmotion.extent(2), nodalcoords.extent(2)}));
  const int32_t room_d = int32_t(nodesmotion.extent(1));
  if (nelem > room_e || nnodes > room_n || ndof > room_d) {
    vx::report(-2, "Error in getabqdatafromfile: model larger than the element data in use");
    nelem = std::min(nelem, room_e);
    nnodes = std::min(nnodes, room_n);
    ndof = std::min(ndof, room_d);
  }
  elemkind.fill(0);
  elemnodes.fill(0);
  sectiondata::nsectionpoints.fill(0);
  nodesmotion.fill(0.0);
  nodalcoords.fill(0.0);

  // Element pass: labels, kinds, and the nodes of the conventional shells.
  const int64_t nlim = elemnodes.extent(1);
  io::rewind(unit);
  std::string_view line;
  if (find_heading(unit, elem_heading)) {
    int64_t i = 0;
    while (i < nelem && read(unit, line)) {
      const Split s = split(line);
      if (!s.is_int || s.number <= 0) continue;
      std::string_view rest = s.rest;
      const std::string_view type = next_token(rest);
      if (!counted_type(type)) continue;  // e.g. a continuation line of node numbers
      ++i;
      elemlist(i) = s.number;
      const int32_t kind = elem::kind_of(type.data(), std::min<size_t>(type.size(), 8));
      elemkind(i) = kind;
      if (kind < 1 || kind > 8) continue;
      next_token(rest);  // the property reference
      int64_t k = 0;
      int32_t v = 0;
      while (k < nlim) {
        const std::string_view tok = next_token(rest);
        if (tok.empty() || !io::first_int(tok, v)) break;
        elemnodes(++k, i) = v;
      }
      if (k == nlim && io::first_int(next_token(rest), v))
        vx::report(-2, "Error in getabqdatafromfile: element with more nodes than the element data holds");
    }
  }

  // Node pass: coordinates by node label.
  HashMap<int32_t, std::array<double, 3>> coords;
  coords.reserve(size_t(nelem) * 2);
  io::rewind(unit);
  if (find_heading(unit, node_heading)) {
    int32_t largest = 0;
    Vec<double> values;
    table_rows(unit, [&](const Split& s) {
      if (io::count_values(s.rest) <= 2) return true;
      if (s.number < largest) return false;  // labels decrease: the table has ended
      largest = s.number;
      values.clear();
      io::parse_values(s.rest, values);
      std::array<double, 3> x = {0.0, 0.0, 0.0};
      for (size_t c = 0; c < 3 && c < values.size(); ++c) x[c] = values[c];
      coords[s.number] = x;
      return true;
    });
  }
  io::close(unit);

  // Every slot of the shell set that holds a node receives its coordinates.
  const elem::ShellSet set(std::min(elemnodes.extent(2), nodalcoords.extent(3)));
  const int nc = static_cast<int>(std::min<int64_t>(3, nodalcoords.extent(1)));
  bool dropped = false;
  for (int64_t q = 0, m = set.size(); q < m; ++q) {
    const int32_t e = set.at(q);
    if (e == 0) continue;
    for (int64_t k = 1; k <= nnodes; ++k) {
      const int32_t label = elemnodes(k, e);
      if (label <= 0) continue;
      // Only the first slot of an element that holds a label is written.
      bool earlier = false;
      for (int64_t q = 1; q < k && !earlier; ++q) earlier = elemnodes(q, e) == label;
      if (earlier) continue;
      auto it = coords.find(label);
      if (it == coords.end()) continue;
      for (int c = 0; c < nc; ++c) nodalcoords(c + 1, k, e) = it->second[size_t(c)];
      for (int c = nc; c < 3; ++c)
        if (it->second[size_t(c)] != 0.0 && !dropped) {
          dropped = true;
          vx::report(-2, "Error in getabqdatafromfile: node coordinates beyond the node data in use");
        }
    }
  }
}
