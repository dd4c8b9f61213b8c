// Line loop and mistake reports shared by the card readers.
#include "iohandling_cards.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "../core/data.h"
#include "../core/scratch.h"
#include "../core/vx.h"

namespace vx::io {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// "SecID=7": five characters of key, "=" and one integer (blanks after the
// "=" are read past like the id itself).
bool id_option_well_formed(std::string_view opt) {
  if (opt.size() < 7 || opt[5] != '=') return false;
  for (size_t i = 0; i < 5; ++i)
    if (blank(opt[i]) || opt[i] == '=' || opt[i] == ',') return false;
  std::string_view rest = opt.substr(6);
  while (!rest.empty() && blank(rest.front())) rest.remove_prefix(1);
  if (rest.find_first_of(" \t,") != std::string_view::npos) return false;
  int32_t v = 0;
  return first_int(rest, v);
}

}  // namespace

int32_t begin_id(std::string_view opt) {
  int32_t id = vx::unset;
  if (opt.size() > 6) first_int(opt.substr(6), id);
  return id;
}

namespace {
// The digits (sign included) of an id option begin_id could not read, or
// nothing when it holds anything else: an id beyond 32 bits, or the marker.
std::string_view unread_id_digits(std::string_view opt) {
  if (opt.size() <= 6) return {};
  std::string_view t = opt.substr(6);
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  t = t.substr(0, t.find_first_of(" \t,"));
  size_t i = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i == t.size()) return {};
  for (size_t k = i; k < t.size(); ++k)
    if (t[k] < '0' || t[k] > '9') return {};
  return t;
}

// 2147483647 (any sign and leading zeros aside) is the mark of an unset id.
bool is_unset_mark(std::string_view digits) {
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
  return digits == "2147483647";
}
}  // namespace

bool is_blank(std::string_view line) {
  for (char c : line)
    if (!blank(c)) return false;
  return true;
}

std::string_view shown(std::string_view line) {
  line = line.substr(0, 80);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

std::string values(int64_t n) { return std::to_string(n) + (n == 1 ? " value" : " values"); }

std::string number(double v, int digits) {
  char t[32];
  if (digits > 0) {
    // Rounded: marked as such where it is not the value, so that a limit
    // of 1.00000000000001 does not read "1 > 1".
    std::snprintf(t, sizeof t, "%.*g", digits, v);
    return std::strtod(t, nullptr) == v ? std::string(t) : "~" + std::string(t);
  }
  // The shortest text that reads back as the value: 1.0000001 is not 1, and
  // 200 is "200", not "2e+02".
  std::string best;
  for (int p = 1; p <= 17; ++p) {
    std::snprintf(t, sizeof t, "%.*g", p, v);
    if (std::strtod(t, nullptr) == v && (best.empty() || std::strlen(t) < best.size())) best = t;
  }
  return best;
}

bool Card::next(std::string_view& line) {
  if (read_line(unit_, line) != Read::ok) {
    if (open_) item_error(end_key_, "missing", begin_line_);
    open_ = false;
    return false;
  }
  line_ = position(unit_);
  if (!line.empty() && line[0] == '+') {
    solver_data_ = false;
    key_ = split_key(line).key;
  }
  // "**" is a comment and leaves the data lines to whoever owned them.
  if (!line.empty() && line[0] == '*' && !(line.size() > 1 && line[1] == '*')) solver_data_ = deck_;
  return true;
}

void Card::begin(int32_t id) {
  if (open_) item_error(end_key_, "missing", begin_line_);
  clear_items();
  open_ = true;
  id_ = id;
  begin_line_ = line_;
}

int32_t Card::begin_with_id(std::string_view opt, const char* begin_key, const char* form) {
  const int32_t id = begin_id(opt);
  begin(id);
  const std::string_view digits = id == vx::unset ? unread_id_digits(opt) : std::string_view();
  if (is_unset_mark(digits)) {
    item_error(begin_key, ": 2147483647 is reserved\n: 2147483647 reserved");
  } else if (!digits.empty()) {
    item_error(begin_key, ": integer out of range\n: out of range");
  } else if (id == vx::unset) {
    item_error(begin_key, ": no readable id\n: no id");
  } else if (!id_option_well_formed(opt)) {
    error(std::string("id option is not ").append(form).append("\nid not ").append(form));
  } else {
    const auto [at, fresh] = ids_.try_emplace(id, line_);
    if (!fresh) {
      const std::string l = std::to_string(at->second);
      error("id already used at line " + l + "\nid used at line " + l + "\nid used before");
    }
  }
  return id;
}

void Card::end() {
  if (!open_ && !deck_) item_error(end_key_, "without a begin line");
  clear_items();
  open_ = false;
}

void Card::unread(std::string_view line) {
  if (is_blank(line)) return;
  const char c = line[0];
  if (c == '*') return;  // comments, and the solver's keyword lines in a deck
  if (c == '+') {
    if (open_) error(std::string("unknown item ").append(shown(line)));
    else if (!deck_) error(std::string("outside a block: ").append(shown(line)));
    return;
  }
  if (open_ ? solver_data_ : deck_) return;
  size_t lead = 0;
  while (lead < line.size() && blank(line[lead])) ++lead;
  if (line[lead] == '+' || line[lead] == '*')
    error(std::string("keyword not in column 1: ").append(shown(line.substr(lead))));
  else
    error("line read by no item\nread by no item");
}

std::string Card::location(int32_t line) const {
  std::string m;
  if (open_) {
    m += ", ";
    m += block_;
    if (id_ == vx::unset) m += " ?";
    else if (id_ != no_id) m += ' ' + std::to_string(id_);
  }
  if (line > 0) m += ", line " + std::to_string(line);
  m += ": ";
  return m;
}

namespace {
// A number as written ("1e-400", "0.000...01"), in scientific form with at
// most digits significant digits, after a "~" where digits were dropped.
std::string scientific(std::string_view t, int digits) {
  size_t i = 0;
  std::string out;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    if (t[i] == '-') out += '-';
    ++i;
  }
  std::string mant;  // the significant digits
  int64_t e = 0;     // value = 0.mant x 10^e before the exponent
  bool point = false;
  for (; i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.'); ++i) {
    if (t[i] == '.') {
      point = true;
    } else if (mant.empty() && t[i] == '0') {
      if (point) --e;
    } else {
      mant += t[i];
      if (!point) ++e;
    }
  }
  if (i < t.size()) {  // the exponent, held within bounds no card reaches
    ++i;
    const bool neg = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    int64_t x = 0;
    for (; i < t.size(); ++i) x = std::min<int64_t>(x * 10 + (t[i] - '0'), int64_t(1) << 40);
    e += neg ? -x : x;
  }
  while (!mant.empty() && mant.back() == '0') mant.pop_back();
  if (mant.empty()) return out + "0";
  const bool cut = mant.size() > size_t(digits);
  if (cut) mant.resize(size_t(digits));
  out += mant[0];
  if (mant.size() > 1) out.append(".").append(mant, 1);
  out += "e" + std::to_string(e - 1);
  return cut ? "~" + out : out;
}

// One wording with its "{}" replaced by the values, appended to m.
void fill(std::string& m, std::string_view wording, std::initializer_list<Shown> vals, int digits) {
  auto v = vals.begin();
  for (size_t i = 0; i < wording.size(); ++i) {
    if (v != vals.end() && wording[i] == '{' && i + 1 < wording.size() && wording[i + 1] == '}') {
      if (v->written.empty()) m += number(v->v, digits);
      else if (digits == 0) m += v->written;
      else m += scientific(v->written, digits);
      ++v;
      ++i;
    } else {
      m += wording[i];
    }
  }
}
}  // namespace

void Card::error(std::string_view what, int32_t line, std::initializer_list<Shown> vals) {
  record(-2, "Error in ", what, line, vals);
}

void Card::warning(std::string_view what, int32_t line) { record(-1, "Warning in ", what, line, {}); }

void Card::record(int32_t status, const char* kind, std::string_view what, int32_t line,
                  std::initializer_list<Shown> vals) {
  if (vx::errorhandling::errstat != 0) return;  // the record keeps the first error
  const std::string head = kind + (name_ + location(line));
  std::string m;
  // Exact values in the fullest wording that fits; then fewer digits. When
  // nothing fits, the last wording is cut at the end of the record.
  bool fits = false;
  for (int digits : {0, 6, 3}) {
    if (fits || (digits > 0 && vals.size() == 0)) break;
    for (size_t from = 0; from <= what.size() && !fits;) {
      size_t e = what.find('\n', from);
      if (e == std::string_view::npos) e = what.size();
      m = head;
      fill(m, what.substr(from, e - from), vals, digits);
      fits = m.size() <= 80;
      from = e + 1;
    }
  }
  const int32_t ctx[2] = {line, open_ && id_ != no_id ? id_ : 0};
  const double none[1] = {0.0};
  vx::report(status, m.c_str(), ctx, 2, none, 1);
}

void Card::item_error(std::string_view item, std::string_view what, int32_t line,
                      std::initializer_list<Shown> vals) {
  if (vx::errorhandling::errstat != 0) return;
  item = item.substr(0, 80);  // an item named by its line: at most what the record shows
  std::string m;
  for (size_t from = 0; from <= what.size();) {
    size_t e = what.find('\n', from);
    if (e == std::string_view::npos) e = what.size();
    const std::string_view w = what.substr(from, e - from);
    if (from) m += '\n';
    m += item;
    m += w.empty() || w.front() == ':' || w.front() == ',' ? "" : " ";
    m += w;
    from = e + 1;
  }
  error(m, line, vals);
}

void Card::once(int32_t& at, std::string_view item) {
  if (at) {
    const std::string l = std::to_string(at);
    item_error(item, "given twice (line " + l + ")\ntwice (line " + l + ")\ntwice");
  }
  at = line_;
}

namespace {
// The line of lines that holds value k: the last whose first value is at most k.
const ValueLine* holding(const Vec<ValueLine>& lines, size_t k) {
  auto it = std::upper_bound(lines.begin(), lines.end(), k,
                             [](size_t v, const ValueLine& l) { return v < size_t(l.first); });
  return it == lines.begin() ? nullptr : &*std::prev(it);
}
}  // namespace

int32_t Card::line_of(const Vec<ValueLine>& lines, size_t k, int32_t otherwise) {
  const ValueLine* l = holding(lines, k);
  return l ? l->line : otherwise;
}

Shown Card::as_written(const Vec<ValueLine>& lines, size_t k, double v) const {
  if (v != 0.0) return v;  // every other value reads back from its shortest form
  const ValueLine* l = holding(lines, k);
  if (!l) return v;
  const std::string_view t = item_text(line_text(unit_, l->line), int32_t(k - size_t(l->first)));
  for (const char c : t) {
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D') break;
    if (c >= '1' && c <= '9') return {v, t};  // a digit that the value lost
  }
  return v;
}

void Card::skip_data() {
  Vec<double> v;
  read(v);
}

void Card::skip_lines() {
  std::string_view line;
  while (read_line(unit_, line) == Read::ok)
    if (ends_card_data(line)) break;
  backspace(unit_);
}

void Card::malformed(int32_t line, Bad bad) {
  const char* what = bad == Bad::out_of_range    ? ": integer out of range\n: out of range"
                     : bad == Bad::beyond_double ? ": value out of range\n: out of range"
                     : bad == Bad::not_integer   ? ": value not an integer\n: not an integer\n: no integer"
                                                 : ": value not a number\n: not a number\n: no number";
  if (key_.empty()) error(std::string_view(what + 2).substr(0, std::string_view(what + 2).find('\n')), line);
  else item_error(key_, what, line);
}

}  // namespace vx::io

// ---- Items read through their declarations ----

namespace vx::io {

namespace {

bool eq_nocase(std::string_view a, std::string_view b) { return is_key(a, b); }

std::string_view trim(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// Setting i of a comma-separated option text, trimmed; false past the last one.
bool setting(std::string_view text, size_t& from, std::string_view& out) {
  if (from > text.size()) return false;
  const size_t c = text.find(',', from);
  out = trim(text.substr(from, c == std::string_view::npos ? std::string_view::npos : c - from));
  from = c == std::string_view::npos ? text.size() + 1 : c + 1;
  return true;
}

// True when f holds for one of the '|'-separated alternatives of alts.
template <class F>
bool any_alternative(std::string_view alts, F&& f) {
  for (size_t from = 0;;) {
    const size_t bar = alts.find('|', from);
    if (f(alts.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from))) return true;
    if (bar == std::string_view::npos) return false;
    from = bar + 1;
  }
}

// A setting of a line's option part written as a declared setting "KEY=VALUE":
// key alternatives ("LayID|Layer") ignore case, except "T", which the
// reader counts with its case; value alternatives are names compared with
// their case when there are several, a single word ignores case, and
// "<...>" stands for any value.
bool setting_matches(std::string_view decl, std::string_view p) {
  const size_t de = decl.find('='), pe = p.find('=');
  if (de == std::string_view::npos) return eq_nocase(decl, p);
  if (pe == std::string_view::npos) return false;
  const std::string_view dk = decl.substr(0, de), dv = decl.substr(de + 1);
  const std::string_view pk = p.substr(0, pe), pv = p.substr(pe + 1);
  const bool key_ok = dk == "T" ? pk == "T" : any_alternative(dk, [&](std::string_view a) { return eq_nocase(a, pk); });
  if (!key_ok) return false;
  if (!dv.empty() && dv.front() == '<') return !trim(pv).empty();
  const bool names = dv.find('|') != std::string_view::npos;
  return any_alternative(dv, [&](std::string_view a) { return names ? a == pv : eq_nocase(a, pv); });
}

bool key_matches(const char* key, std::string_view k) {
  std::string_view d(key);
  if (!d.empty() && d.back() == '*') {
    d.remove_suffix(1);
    return k.size() >= d.size() && eq_nocase(k.substr(0, d.size()), d);
  }
  return eq_nocase(k, d);
}

// The first setting of a declared option, the one that selects the item.
std::string_view first_setting(const char* option) {
  std::string_view o(option);
  return o.substr(0, o.find(','));
}

// The item's keyword as messages show it.
std::string_view key_of(const Item& it) {
  const std::string_view k(it.key);
  return k.back() == '*' ? k.substr(0, k.size() - 1) : k;
}

const char* record_name(int r) {
  switch (r) {
    case 2: return "pairs";
    case 3: return "triples";
    default: return "fours";
  }
}

constexpr const char* mode_name[5] = {"general", "fibre", "matrix", "delamination", "core"};

// ---- Outlines: the damage store tests points against them as polygons ----

struct Pt {
  double x, y;
};
double cross(Pt o, Pt a, Pt b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }
// Sign of the turn o -> a -> b; 0 within rounding of collinear (the vertices
// are decimal numbers of the card, rarely exact in binary): |sin| of the
// angle at o below 1e-12. The outline is scaled to coordinates of at most 1
// first, so the squares neither overflow nor, but for sides far shorter than
// the outline, underflow; those are measured without squares.
int turn(Pt o, Pt a, Pt b) {
  const double c = cross(o, a, b);
  const double la = (a.x - o.x) * (a.x - o.x) + (a.y - o.y) * (a.y - o.y);
  const double lb = (b.x - o.x) * (b.x - o.x) + (b.y - o.y) * (b.y - o.y);
  const double lim = 1e-24 * la * lb;
  const int sign = c > 0 ? 1 : -1;
  if (lim > 0 || c == 0) return c * c <= lim ? 0 : sign;
  return std::fabs(c) <= 1e-12 * std::hypot(a.x - o.x, a.y - o.y) * std::hypot(b.x - o.x, b.y - o.y) ? 0 : sign;
}
// p within the bounding box of segment a-b (p collinear with it).
bool within(Pt a, Pt b, Pt p) {
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}
// Segments a-b and c-d meet, touching included.
bool meet(Pt a, Pt b, Pt c, Pt d) {
  const int t1 = turn(a, b, c), t2 = turn(a, b, d), t3 = turn(c, d, a), t4 = turn(c, d, b);
  if (t1 * t2 < 0 && t3 * t4 < 0) return true;
  return (t1 == 0 && within(a, b, c)) || (t2 == 0 && within(a, b, d)) || (t3 == 0 && within(c, d, a)) ||
         (t4 == 0 && within(c, d, b));
}

}  // namespace

// An outline of vertices given as triples (unused, x, y) as a polygon, closed from the last
// vertex to the first: -1 when it encloses no area (its vertices on one line),
// the vertex at which the first edge (in the card's order) that meets an
// earlier, non-adjacent edge begins when it crosses or touches itself, and
// -2 when it is a simple polygon. A vertex repeated at once (the first one
// written again to close the outline) adds no edge.
int64_t outline_breach(std::span<const double> triples) {
  Vec<Pt> p;
  Vec<int64_t> at;  // vertex of the card of each polygon vertex
  const int64_t nv = int64_t(triples.size() / 3);
  p.reserve(size_t(nv));
  at.reserve(size_t(nv));
  for (int64_t i = 0; i < nv; ++i) {
    const Pt q{triples[size_t(3 * i + 1)], triples[size_t(3 * i + 2)]};
    if (p.empty() || q.x != p.back().x || q.y != p.back().y) {
      p.push_back(q);
      at.push_back(i);
    }
  }
  while (p.size() > 1 && p.back().x == p.front().x && p.back().y == p.front().y) {
    p.pop_back();
    at.pop_back();
  }
  const size_t m = p.size();
  // Scaled by a power of two (exact) to a largest coordinate between 1/2 and 1,
  // so that the products of the tests hold for coordinates of 1e200 or 1e-300.
  double top = 0.0;
  for (const Pt& q : p) top = std::max({top, std::fabs(q.x), std::fabs(q.y)});
  if (top > 0.0) {
    int e = 0;
    std::frexp(top, &e);
    if (e > -1000 && e < 1000) {  // the factor itself a normal number: a product is as exact as ldexp
      const double f = std::ldexp(1.0, -e);
      for (Pt& q : p) q = {q.x * f, q.y * f};
    } else {
      for (Pt& q : p) q = {std::ldexp(q.x, -e), std::ldexp(q.y, -e)};
    }
  }
  // On one line: every vertex on the line through the first one and the one farthest from it.
  // Squares suffice: distinct vertices of coordinates scaled to 1 lie at least an ulp of the
  // largest apart, far above the square root of the least normal number.
  size_t far = 0;
  double dmax = 0.0;
  for (size_t i = 1; i < m; ++i) {
    const double dx = p[i].x - p[0].x, dy = p[i].y - p[0].y;
    if (const double d = dx * dx + dy * dy; d > dmax) dmax = d, far = i;
  }
  bool flat = true;
  for (size_t i = 1; i < m && flat; ++i) flat = turn(p[0], p[far], p[i]) == 0;
  if (m < 3 || flat) return -1;
  // Edge i runs from vertex i to vertex i + 1. Edges are compared only where
  // their boxes overlap, swept along the axis on which the edges overlap least
  // (a comb of long teeth along x is short along y).
  struct Box {
    double lo, hi, lo2, hi2;
    size_t e;
  };
  Vec<Box> box(m);
  double span[2] = {0.0, 0.0};
  auto next = [m](size_t i) { return i + 1 == m ? 0 : i + 1; };
  for (size_t i = 0; i < m; ++i) {
    const Pt a = p[i], b = p[next(i)];
    span[0] += std::fabs(a.x - b.x);
    span[1] += std::fabs(a.y - b.y);
  }
  const bool by_x = span[0] <= span[1];
  for (size_t i = 0; i < m; ++i) {
    const Pt a = p[i], b = p[next(i)];
    const double u0 = by_x ? a.x : a.y, u1 = by_x ? b.x : b.y, v0 = by_x ? a.y : a.x, v1 = by_x ? b.y : b.x;
    box[i] = {std::min(u0, u1), std::max(u0, u1), std::min(v0, v1), std::max(v0, v1), i};
  }
  std::sort(box.begin(), box.end(), [](const Box& a, const Box& b) { return a.lo < b.lo; });
  size_t first = m;  // the later edge of the earliest pair that meets
  for (size_t u = 0; u < m; ++u) {
    const Box& g = box[u];
    for (size_t w = u + 1; w < m && box[w].lo <= g.hi; ++w) {
      const Box& h = box[w];
      if (h.hi2 < g.lo2 || h.lo2 > g.hi2) continue;
      const size_t a = std::min(g.e, h.e), b = std::max(g.e, h.e);
      if (b >= first) continue;
      const Pt a0 = p[a], a1 = p[next(a)], b0 = p[b], b1 = p[next(b)];
      bool hit;
      if (b == a + 1 || (a == 0 && b == m - 1)) {
        // Neighbours share a vertex; they meet elsewhere only when one folds back over the other.
        const Pt s = b == a + 1 ? a1 : a0, x = b == a + 1 ? a0 : a1, y = b == a + 1 ? b1 : b0;
        hit = turn(s, x, y) == 0 && (x.x - s.x) * (y.x - s.x) + (x.y - s.y) * (y.y - s.y) > 0;
      } else {
        hit = meet(a0, a1, b0, b1);
      }
      if (hit) first = b;
    }
  }
  return first < m ? at[first] : -2;
}

const Item* Card::find(std::span<const Item> items, const KeyLine& k) {
  for (const Item& it : items) {
    if (!key_matches(it.key, k.key)) continue;
    switch (it.select) {
      case Select::whole:
        if (opt_is(k.opt, it.option)) return &it;
        break;
      case Select::contains:
        if (opt_has(k.opt, first_setting(it.option))) return &it;
        break;
      case Select::any:
        return &it;
      case Select::named: {  // a kind named anywhere in the option, with its case
        std::string_view alts = first_setting(it.option);
        alts.remove_prefix(alts.find('=') + 1);
        if (any_alternative(alts, [&](std::string_view a) { return k.opt.find(a) != std::string_view::npos; }))
          return &it;
        break;
      }
    }
  }
  return nullptr;
}

bool Card::take(const Item& it, const KeyLine& k, int sub) {
  if (it.place == Place::block && !open_) return false;
  item_line_ = line_;
  lines_.clear();
  // Every setting of the option part must be one of the declared settings, each once.
  const std::string_view decl(it.option);
  uint32_t used = 0;
  size_t from = 0;
  std::string_view p;
  while (setting(k.opt, from, p)) {
    if (p.empty()) continue;
    size_t dfrom = 0;
    std::string_view d;
    bool ok = false;
    for (uint32_t i = 0; setting(decl, dfrom, d); ++i)
      if (!d.empty() && !(used >> i & 1u) && setting_matches(d, p)) {
        used |= 1u << i;
        ok = true;
        break;
      }
    if (!ok) {
      const std::string_view shown_p = p.substr(0, 80);
      item_error(key_of(it), std::string(": unknown option ").append(shown_p).append("\n: unknown ").append(shown_p));
      break;
    }
  }
  const size_t s = size_t(it.slot);
  if (it.repeat == Repeat::once || it.repeat == Repeat::per_kind) {
    int32_t& at = at_[s * kinds + size_t(sub % kinds)];
    once(at, k.key);
  } else {
    at_[s * kinds] = line_;
  }
  return true;
}

void Card::set_line(int32_t line, int32_t n) {
  lines_.clear();
  if (n > 0) lines_.push_back({line, 0, false});
}

namespace {
// An item without values gives nothing: no report.
bool zero_ok(const Count& c) { return (c.mask & 1u) != 0 || (c.rule != Count::one_of && c.lo == 0); }
}  // namespace

namespace {
// A record may run on over lines, but a line holds whole records or part of
// one: the values first..next-1 of a line mix two records of r values when
// the line ends one record and starts the next.
bool mixes(int64_t first, int64_t next, int64_t r) {
  return first / r != (next - 1) / r && (first % r != 0 || next % r != 0);
}

// The first line of lines (values of an item, n in all) that mixes two records of r values, or null.
const ValueLine* mixed_line(const Vec<ValueLine>& lines, int64_t n, int64_t r) {
  for (size_t l = 0; l < lines.size(); ++l) {
    const int64_t first = lines[l].first, next = l + 1 < lines.size() ? lines[l + 1].first : n;
    if (next > first && mixes(first, next, r)) return &lines[l];
  }
  return nullptr;
}
}  // namespace

void Card::check_rows(const Item& it, const Vec<ValueLine>& lines, int64_t n, int64_t row) {
  if (row < 1) return;
  if (const ValueLine* l = mixed_line(lines, n, row))
    item_error(key_of(it), ": line mixes two rows\n: mixes rows", l->line);
}

void Card::check_count(const Item& it, int64_t n, int64_t ctx, int32_t line) {
  const std::string_view key = key_of(it);
  const Count& c = it.count;
  const std::string ns = std::to_string(n);
  // "<n> values<sep><rest>", then shorter: "<n><sep><rest>", and terse.
  auto say = [&](const char* sep, const std::string& rest, const std::string& terse) {
    item_error(key, ": " + values(n) + sep + rest + "\n: " + ns + sep + rest + "\n: " + terse, line);
  };
  if (n == 0) {
    if (!zero_ok(c)) item_error(key, "without values\n: no values", line);
    return;
  }
  switch (c.rule) {
    case Count::range: {
      const std::string lo = std::to_string(c.lo), hi = std::to_string(c.hi);
      if (n < c.lo) say(c.lo == c.hi ? ", expected " : ", at least ", lo, ns + (c.lo == c.hi ? " not " : " < ") + lo);
      else if (c.hi >= 0 && n > c.hi) say(c.lo == c.hi ? ", expected " : ", at most ", hi, ns + (c.lo == c.hi ? " not " : " > ") + hi);
      break;
    }
    case Count::one_of:
      if (n >= 32 || !(c.mask >> n & 1u)) {
        std::string set, terse;
        int seen = 0, total = std::popcount(c.mask);
        for (int b = 1; b < 32; ++b)
          if (c.mask >> b & 1u) {
            if (seen) set += seen + 1 == total ? " or " : ", ";
            if (seen) terse += '/';
            set += std::to_string(b);
            terse += std::to_string(b);
            ++seen;
          }
        say(", not ", set, ns + " not " + terse);
      }
      break;
    case Count::per_ply:
      if (ctx > 0 && n > 1 && n != ctx) say(" for ", std::to_string(ctx) + " plies", ns + " not " + std::to_string(ctx));
      break;
    case Count::per_step:
      if (ctx > 0 && n >= ctx && n % ctx != 0)
        say(" for ", std::to_string(ctx) + " steps", ns + " not " + std::to_string(ctx) + "n");
      break;
    case Count::per_temperature:
      if (ctx >= 0 && n != ctx) {
        const std::string want = std::to_string(ctx);
        item_error(key, ": " + ns + " factors, expected " + want + "\n: " + ns + ", expected " + want + "\n: " + ns + " not " + want, line);
      }
      break;
    case Count::marked_steps:
      if (ctx > 0 && n != ctx) {
        const std::string want = std::to_string(ctx);
        item_error(key, ": " + ns + (n == 1 ? " count" : " counts") + ", expected " + want + "\n: " + ns + ", expected " + want + "\n: " + ns + " not " + want, line);
      }
      break;
  }
  if (it.record > 1 && n % it.record != 0)
    say(", not ", record_name(it.record), ns + " not " + std::to_string(int(it.record)) + "n");
}

template <class T>
void Card::check_values(const Item& it, const Vec<T>& v, int64_t ctx) {
  if (errorhandling::errstat != 0) return;  // only the first error is kept
  const std::string_view key = key_of(it);
  const int64_t n = int64_t(v.size());
  const size_t sl = size_t(it.slot);
  count_[sl] = int32_t(std::min<int64_t>(n, INT32_MAX));
  // An empty item first: it is read as 0 and may make the count look wrong too.
  for (const ValueLine& l : lines_)
    if (l.gap) return item_error(key, ": empty value\n: empty", l.line);
  // An item without values in a block, and a count of one value per ply,
  // wait for the end line (close_items), so that a mistake inside the block
  // is the one reported.
  const bool at_end = (n == 0 && open_) || (n > 0 && it.count.rule == Count::per_ply && ctx < 0);
  if (!at_end) check_count(it, n, ctx, item_line_);
  if (it.per_line && it.record > 1)
    if (const ValueLine* l = mixed_line(lines_, n, it.record))
      return item_error(key, ": line mixes two records\n: mixes records\n: mixed", l->line);
  // Value k is wrong: what, in its wordings, with the reals it shows.
  auto bad = [&](int64_t k, const std::string& what, std::initializer_list<Shown> vals) {
    item_error(key, what, value_line(size_t(k)), vals);
  };
  auto at = [&](int64_t k) { return double(v[size_t(k)]); };
  auto shown = [&](int64_t k) { return as_written(lines_, size_t(k), at(k)); };
  switch (it.kind) {
    case Kind::real:
    case Kind::integer:
    case Kind::elastic:
    case Kind::ignored:
      break;
    case Kind::material_id:  // the largest integer marks a ply without material: no block can give it
      for (int64_t k = 0; k < n; ++k)
        if (at(k) == double(INT32_MAX)) return bad(k, ": 2147483647 marks no material\n: 2147483647 reserved\n: reserved id", {});
      break;
    case Kind::positive:
      for (int64_t k = 0; k < n; ++k)
        if (!(at(k) > 0)) return bad(k, ": {} is not positive\n: {} <= 0", {shown(k)});
      break;
    case Kind::nonnegative:
    case Kind::natural:
      for (int64_t k = 0; k < n; ++k)
        if (!(at(k) >= 0)) return bad(k, ": {} is negative\n: {} < 0", {shown(k)});
      break;
    case Kind::counting:
      for (int64_t k = 0; k < n; ++k)
        if (!(at(k) >= 1)) return bad(k, ": {} is below 1\n: {} < 1", {at(k)});
      break;
    case Kind::temperature:
      for (int64_t k = 1; k < n; ++k)
        if (!(at(k) > at(k - 1))) return bad(k, ": {} not above {}\n: {} <= {}", {shown(k), shown(k - 1)});
      break;
    case Kind::selector:
      for (int64_t k = 0; k < std::min<int64_t>(n, 5); ++k) {
        const double s = at(k);
        if (!(s >= 0 && s <= selector_max[k])) {
          const std::string mode(mode_name[k]), top = std::to_string(selector_max[k]);
          const std::string terse = s < 0 ? " {} < 0" : " {} > " + top;
          return bad(k, ": " + mode + " {} outside 0.." + top + "\n: " + mode + terse + "\n:" + terse, {s});
        }
      }
      break;
    case Kind::curve:  // the resin tables interpolate over strictly ascending abscissae
    case Kind::modulus_curve:
      for (int64_t r = 0; r + it.record <= n; r += it.record) {
        if (r > 0 && !(at(r) > at(r - it.record)))
          return bad(r, ": x {} not above {}\n: x {} <= {}\n: {} <= {}", {shown(r), shown(r - it.record)});
        // The ordinate of a secant curve is the modulus the resin routines interpolate.
        if (it.kind == Kind::modulus_curve && !(at(r + 1) > 0))
          return bad(r + 1, ": modulus {} not positive\n: modulus {} <= 0\n: E {} <= 0", {shown(r + 1)});
      }
      break;
    case Kind::damage_limit:  // -1 asks the damage routine for its own set
      for (int64_t k = 0; k < n; ++k) {
        const double x = at(k);
        if (x != -1.0 && !(x >= 0.0 && x <= 1.0)) {
          const char* terse = x < 0 ? " {} < 0" : " {} > 1";
          return bad(k, std::string(": limit {} outside 0..1\n: limit") + terse + "\n:" + terse, {shown(k)});
        }
      }
      break;
    case Kind::outline:
      if constexpr (std::is_same_v<T, double>) {  // outlines are real items
        if (n >= 3 * 3 && n % 3 == 0) {
          const int64_t breach = outline_breach(std::span<const double>(v.data(), size_t(n)));
          if (breach == -1) return item_error(key, ": outline encloses no area\n: no area", item_line_);
          if (breach >= 0) return bad(3 * breach, ": outline crosses itself\n: crosses itself", {});
        }
      }
      break;
    case Kind::ply_record:
    case Kind::gap_record: {
      const std::string what = it.kind == Kind::gap_record ? "interface" : "ply";
      // As many plies as records at most: the ply count may be far larger.
      HashSet<int64_t> seen;
      for (int64_t r = 0; r + it.record <= n; r += it.record) {
        const double ply = at(r);
        // Compared as reals: a ply number is never converted before it is known to fit.
        if (!(ply >= 1.0 && ply <= double(ctx)) || ply != std::floor(ply)) {
          const std::string top = std::to_string(ctx);
          if (ply >= 1.0 && ply <= double(ctx))  // in range, only not whole
            return bad(r, ": " + what + " {} not a whole number\n: " + what + " {} not whole\n: {} not whole", {shown(r)});
          const std::string terse = ply < 1.0 ? " {} < 1" : " {} > " + top;
          return bad(r, ": " + what + " {} outside 1.." + top + "\n: " + what + terse + "\n:" + terse, {shown(r)});
        }
        // A second record of the same ply would replace the first.
        if (!seen.insert(int64_t(ply)).second)
          return bad(r, ": " + what + " {} given twice\n: " + what + " {} twice\n: {} twice", {shown(r)});
        for (int q = 1; q <= 2; ++q)
          if (!(at(r + q) > 0))
            return bad(r, ": half-axis {} is not positive\n: half-axis {} <= 0\n: {} <= 0", {shown(r + q)});
      }
      break;
    }
  }
}

void Card::check(const Item& it, const Vec<double>& v, int64_t ctx) { check_values(it, v, ctx); }
void Card::check(const Item& it, const Vec<int32_t>& v, int64_t ctx) { check_values(it, v, ctx); }

void Card::later(std::string_view item, std::string_view what, int32_t line) {
  if (errorhandling::errstat != 0 || !later_.empty()) return;
  later_item_ = item;
  later_ = what;
  later_line_ = line;
}

void Card::close_items(std::span<const Item> items, int excused, int64_t plies, int plies_slot) {
  const std::string held = std::move(later_), held_item = std::move(later_item_);
  later_.clear();
  auto line_of_slot = [&](size_t sl) {
    int32_t at = 0;
    for (int s = 0; s < kinds; ++s) at = std::max(at, at_[sl * kinds + size_t(s)]);
    return at;
  };
  for (const Item& it : items) {
    const size_t sl = size_t(it.slot);
    const std::string_view key = key_of(it);
    const int32_t at = line_of_slot(sl);
    if (!at) {
      if (it.need && it.slot != excused) item_error(key, "missing");
      continue;
    }
    const Count& c = it.count;
    if (count_[sl] == 0 && !zero_ok(c)) {
      item_error(key, "without values\n: no values", at);
    } else if (c.rule == Count::per_ply && plies > 0 && count_[sl] > 1 && count_[sl] != plies) {
      // The item that sets the plies is the one that names their count, so
      // a mistake in it is not blamed on the item that is right.
      const Item* of = nullptr;
      for (const Item& o : items)
        if (o.slot == plies_slot) of = &o;
      const int32_t ply_line = of ? line_of_slot(size_t(plies_slot)) : 0;
      if (of && ply_line) {
        const std::string ply(key_of(*of)), other(key);
        const std::string np = std::to_string(plies), n = std::to_string(count_[sl]);
        const std::string plies_of = ply + ": " + np + (plies == 1 ? " ply, " : " plies, ") + other;
        // The count of the other item is the point: it stays when the words go.
        error(plies_of + " has " + n + "\n" + plies_of + " " + n + "\n" + ply + ": " + np + ", " + other + " " + n +
                  "\n" + ply + ": " + other + " " + n + "\n" + ply + ": " + other.substr(1) + " " + n,
              ply_line);
      } else {
        check_count(it, count_[sl], plies, at);
      }
    }
  }
  if (!held.empty()) item_error(held_item, held, later_line_);
}

}  // namespace vx::io
