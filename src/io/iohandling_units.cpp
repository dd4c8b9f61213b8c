// File units and card-line services. A unit opened for reading loads its
// whole file once and serves lines from memory, so stepping back a line is
// an index change and no scan can run past the buffer; a unit opened for
// appending keeps a stdio stream. Values are parsed strictly: a token that is
// not a complete number is a read error, never a partial value.
//
// Every buffer whose size follows a file or a caller's text (the file, its
// lines, paths, values) is taken through FatalAlloc: memory that cannot be
// had ends the process with the library's message, never with an exception.
#include "iohandling_units.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "../core/text.h"
#include "../core/vx.h"

namespace vx::io {

namespace {

struct UnitRec {
  bool open = false;
  Mode mode = Mode::read;
  Text canon;  // canonical path, for look-up by name
  Vec<char> text;  // whole file (read mode)
  Vec<std::string_view> lines;
  size_t pos = 0;  // next line; lines.size() + 1 after the end of the file was met
  FILE* fp = nullptr;
};

UnitRec units[max_unit + 1];

UnitRec* get(int32_t unit) {
  if (unit < 1 || unit > max_unit || !units[unit].open) return nullptr;
  return &units[unit];
}

// realpath into a Text; false when the path does not resolve.
bool resolve(const char* p, Text& out) {
  errno = 0;
  char* c = ::realpath(p, nullptr);
  if (!c) {
    if (errno == ENOMEM) fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(PATH_MAX));
    return false;
  }
  out = c;
  std::free(c);
  return true;
}

// The path with its links and "." and ".." resolved; for a file that is gone
// (removed while open), its folder resolved and its name appended; else the
// path as given.
Text canonical(const Text& p) {
  Text r;
  if (resolve(p.c_str(), r)) return r;
  const size_t slash = p.rfind('/');
  const Text dir = slash == Text::npos ? Text(".") : slash == 0 ? Text("/") : p.substr(0, slash);
  if (!resolve(dir.c_str(), r)) return p;
  if (r.empty() || r.back() != '/') r += '/';
  r.append(p, slash == Text::npos ? 0 : slash + 1);
  return r;
}

// The whole of a regular file into u.text; false when it is no regular file
// or cannot be read. Only regular files: a device or pipe could block or
// never end.
bool load(UnitRec& u, const Text& path) {
  // Not blocking: opening a pipe for reading would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  u.text.clear();
  u.text.resize(size_t(st.st_size));
  size_t got = 0;
  ssize_t r = 1;
  while (got < u.text.size()) {
    r = ::read(fd, u.text.data() + got, u.text.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += size_t(r);
  }
  u.text.resize(got);
  // A file that grew since its size was taken: the rest as well.
  char more[4096];
  while (r > 0) {
    r = ::read(fd, more, sizeof more);
    if (r < 0 && errno == EINTR) r = 1;
    else if (r > 0) u.text.insert(u.text.end(), more, more + r);
  }
  ::close(fd);
  return r == 0;
}

void split_lines(UnitRec& u) {
  u.lines.clear();
  // An empty file has no lines; its buffer may hold no storage at all (a null
  // pointer, which the byte scans below must not be handed).
  if (u.text.empty()) return;
  std::string_view t(u.text.data(), u.text.size());
  if (t.size() >= 3 && t.substr(0, 3) == "\xEF\xBB\xBF") t.remove_prefix(3);
  // One entry per line, counted first: a file of many short lines would
  // otherwise hold its line table twice while it grows.
  size_t count = 0;
  if (!std::memchr(t.data(), '\r', t.size())) {
    // The usual file: LF alone, counted without a branch per byte.
    for (const char c : t) count += c == '\n';
  } else {
    for (size_t i = 0; i < t.size(); ++i)
      if (t[i] == '\n' || (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n'))) ++count;
  }
  u.lines.reserve(count + 1);
  // LF, CR LF and a lone CR (old Mac files) all end a line.
  size_t start = 0;
  while (start < t.size()) {
    const size_t e = t.find_first_of("\r\n", start);
    if (e == std::string_view::npos) {
      u.lines.push_back(t.substr(start));
      break;
    }
    u.lines.push_back(t.substr(start, e - start));
    start = e + 1;
    if (t[e] == '\r' && start < t.size() && t[start] == '\n') ++start;
  }
}

inline bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// Scans the items of a data line; f(token) per item, an empty token for an
// empty item between commas. Returns false when f rejects an item.
template <class F>
bool scan_items(std::string_view s, F&& f) {
  const size_t n = s.size();
  auto skip = [&](size_t i) {
    while (i < n && blank(s[i])) ++i;
    return i;
  };
  size_t i = skip(0);
  if (i == n) return true;
  for (;;) {
    if (s[i] == ',') {
      if (!f(std::string_view())) return false;
    } else {
      size_t j = i;
      while (j < n && !blank(s[j]) && s[j] != ',') ++j;
      if (!f(s.substr(i, j - i))) return false;
      i = j;
    }
    i = skip(i);
    if (i == n) break;
    if (s[i] == ',') {
      i = skip(i + 1);
      if (i == n) break;  // a trailing comma adds no item
    }
  }
  return true;
}

bool digits(std::string_view t, size_t& i) {
  size_t s = i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
  return i > s;
}

// A number in free format: sign, digits with a point, E or D exponent.
bool real_syntax(std::string_view t) {
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') ++i;
  bool d1 = digits(t, i), d2 = false;
  if (i < t.size() && t[i] == '.') {
    ++i;
    d2 = digits(t, i);
  }
  if (!d1 && !d2) return false;
  if (i < t.size()) {
    char e = t[i];
    if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return false;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (!digits(t, i) || i != t.size()) return false;
  }
  return true;
}

// false for a text that is no number, and for a number beyond the range of a
// double (1e400), which would read as an infinity.
bool to_real(std::string_view t, double& v) {
  if (t.empty()) {
    v = 0.0;
    return true;
  }
  if (!real_syntax(t)) return false;
  char small[64];
  Text big;
  char* buf = small;
  if (t.size() >= sizeof small) {
    big.assign(t);
    buf = big.data();
  } else {
    std::memcpy(small, t.data(), t.size());
    small[t.size()] = '\0';
  }
  for (size_t k = 0; k < t.size(); ++k)
    if (buf[k] == 'd' || buf[k] == 'D') buf[k] = 'e';
  errno = 0;
  v = std::strtod(buf, nullptr);
  return std::isfinite(v);
}

bool to_int(std::string_view t, int32_t& v) {
  if (t.empty()) {
    v = 0;
    return true;
  }
  size_t i = 0;
  bool neg = false;
  if (t[i] == '+' || t[i] == '-') neg = t[i++] == '-';
  if (i == t.size()) return false;
  int64_t x = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    x = x * 10 + (t[i] - '0');
    if (x > int64_t(INT32_MAX) + 1) return false;
  }
  if (neg) x = -x;
  if (x > INT32_MAX || x < INT32_MIN) return false;
  v = static_cast<int32_t>(x);
  return true;
}

template <class T>
bool parse_any(std::string_view line, Vec<T>& out, bool* gap = nullptr) {
  const size_t n0 = out.size();
  bool ok = scan_items(line, [&](std::string_view t) {
    T v;
    bool good;
    if (gap && t.empty()) *gap = true;
    if constexpr (std::is_same_v<T, double>) good = to_real(t, v);
    else good = to_int(t, v);
    if (good) out.push_back(v);
    return good;
  });
  if (!ok) out.resize(n0);
  return ok;
}

// Told apart only for the report: an integer item that does not read is an
// integer beyond 32 bits when it is digits alone (with a sign at most), and
// a line of reals where integers are read is not an integer; a number that
// does not read as a real lies beyond the range of a double.
template <class T>
Bad first_bad(std::string_view line) {
  std::string_view bad;  // the first item that does not read
  bool whole = false;
  scan_items(line, [&](std::string_view t) {
    T v;
    bool good;
    if constexpr (std::is_same_v<T, double>) good = to_real(t, v);
    else good = to_int(t, v);
    if (good) return true;
    bad = t;
    size_t i = t[0] == '+' || t[0] == '-' ? 1 : 0;
    whole = digits(t, i) && i == t.size();
    return false;
  });
  if (bad.empty()) return Bad::not_number;
  double x;
  const bool too_large = real_syntax(bad) && !to_real(bad, x);
  if constexpr (std::is_same_v<T, int32_t>) {
    if (whole) return Bad::out_of_range;
    // A real where an integer is read: the line is numbers. Checked item by
    // item, so that no buffer grows with the line.
    bool numbers = true;
    scan_items(line, [&](std::string_view t) { return numbers = t.empty() || real_syntax(t); });
    if (numbers) return too_large ? Bad::beyond_double : Bad::not_integer;
    return Bad::not_number;
  }
  return too_large ? Bad::beyond_double : Bad::not_number;
}

inline bool stops_line(std::string_view line) {
  return !line.empty() && (line[0] == '*' || line[0] == '+');
}

template <class T>
int32_t read_any(int32_t unit, Vec<T>& out, const char* label) {
  const size_t n0 = out.size();
  std::string_view line;
  for (;;) {
    Read r = read_line(unit, line);
    if (r == Read::error) {
      report_read_error(label);
      return static_cast<int32_t>(out.size() - n0);
    }
    if (r == Read::eof || stops_line(line)) {
      backspace(unit);
      break;
    }
    if (!parse_any(line, out)) report_read_error(label);
  }
  return static_cast<int32_t>(out.size() - n0);
}

template <class T>
int32_t read_card_any(int32_t unit, Vec<T>& out, BadLine* bad, Vec<ValueLine>* lines) {
  const size_t n0 = out.size();
  if (lines) lines->clear();
  std::string_view line;
  for (;;) {
    if (read_line(unit, line) != Read::ok || ends_card_data(line)) {
      backspace(unit);
      break;
    }
    const size_t before = out.size();
    bool gap = false;
    if (!parse_any(line, out, &gap)) {
      if (bad) bad->malformed(position(unit), first_bad<T>(line));
    } else if (lines && out.size() > before) {
      lines->push_back({position(unit), static_cast<int32_t>(before - n0), gap});
    }
  }
  return static_cast<int32_t>(out.size() - n0);
}

// Values of the lines from the position on, up to a line that stop() ends.
template <class Stop>
int32_t count_ahead(int32_t unit, Stop stop) {
  UnitRec* u = get(unit);
  if (!u || u->mode != Mode::read) return 0;
  int64_t count = 0;
  for (size_t p = u->pos; p < u->lines.size() && !stop(u->lines[p]); ++p) count += count_values(u->lines[p]);
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

}  // namespace

int32_t open(int32_t unit, std::string_view path, Mode mode) {
  if (unit < 1 || unit > max_unit || units[unit].open) return 1;
  size_t nul = path.find('\0');
  if (nul != std::string_view::npos) path = path.substr(0, nul);
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  if (path.empty()) return 2;
  const Text p(path);
  UnitRec& u = units[unit];
  if (mode == Mode::read) {
    if (!load(u, p)) {
      u.text = {};
      return 2;
    }
    split_lines(u);
    u.pos = 0;
  } else {
    struct stat st;
    if (::stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return 2;
    u.fp = std::fopen(p.c_str(), "ab");
    if (!u.fp) return 2;
  }
  u.open = true;
  u.mode = mode;
  u.canon = canonical(p);
  return 0;
}

void close(int32_t unit) {
  UnitRec* u = get(unit);
  if (!u) return;
  if (u->fp) std::fclose(u->fp);
  u->fp = nullptr;
  u->open = false;
  u->lines = {};
  u->text = {};
  u->canon.clear();
  u->pos = 0;
}

bool is_open(int32_t unit) { return get(unit) != nullptr; }

int32_t free_unit(int32_t first, int32_t last) {
  if (first > last) return -1;
  int32_t lo = first < 1 ? 1 : first;
  int32_t hi = last > max_unit ? max_unit : last;
  for (int32_t k = lo; k <= hi; ++k)
    if (!units[k].open) return k;
  return -1;
}

int32_t unit_of(std::string_view path) {
  while (!path.empty() && (path.back() == ' ' || path.back() == '\0')) path.remove_suffix(1);
  if (path.empty()) return -1;
  const Text c = canonical(Text(path));
  for (int32_t k = 1; k <= max_unit; ++k)
    if (units[k].open && units[k].canon == c) return k;
  return -1;
}

Read read_line(int32_t unit, std::string_view& line) {
  UnitRec* u = get(unit);
  if (!u || u->mode != Mode::read) return Read::error;
  if (u->pos < u->lines.size()) {
    line = u->lines[u->pos++];
    return Read::ok;
  }
  u->pos = u->lines.size() + 1;
  line = {};
  return Read::eof;
}

int32_t position(int32_t unit) {
  UnitRec* u = get(unit);
  if (!u || u->mode != Mode::read) return 0;
  return u->pos > size_t(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(u->pos);
}

void backspace(int32_t unit, int32_t n) {
  UnitRec* u = get(unit);
  if (!u || u->mode != Mode::read || n <= 0) return;
  u->pos = u->pos > size_t(n) ? u->pos - size_t(n) : 0;
}

void rewind(int32_t unit) {
  UnitRec* u = get(unit);
  if (u) u->pos = 0;
}

bool write(int32_t unit, std::string_view t) {
  UnitRec* u = get(unit);
  if (!u || !u->fp) return false;
  return std::fwrite(t.data(), 1, t.size(), u->fp) == t.size() && std::fflush(u->fp) == 0;
}

int32_t open_card(const char* filepath, size_t filepath_len, const char* workspace, size_t workspace_len,
                  const char* name, bool* deck) {
  if (deck) *deck = false;
  int32_t unit = free_unit(1, 120);
  if (unit < 0) return -1;
  Text card(workspace, text::len_trim(workspace, workspace_len));
  card += '/';
  card += name;
  card += ".vxd";
  if (open(unit, card, Mode::read) == 0) return unit;
  const std::string_view alt(filepath, text::len_trim(filepath, filepath_len));
  if (open(unit, alt, Mode::read) == 0) {
    // A card file handed over directly is checked as a card, not as a deck.
    if (deck) *deck = !(alt.size() >= 4 && text::equal_nocase(alt.data() + alt.size() - 4, 4, ".vxd", 4));
    return unit;
  }
  return -1;
}

KeyLine split_key(std::string_view line, bool left_adjust_option) {
  KeyLine k;
  size_t c = line.find(',');
  k.key = line.substr(0, c);
  k.opt = c == std::string_view::npos ? std::string_view() : line.substr(c + 1);
  while (!k.key.empty() && blank(k.key.back())) k.key.remove_suffix(1);
  if (left_adjust_option)
    while (!k.opt.empty() && blank(k.opt.front())) k.opt.remove_prefix(1);
  while (!k.opt.empty() && blank(k.opt.back())) k.opt.remove_suffix(1);
  return k;
}

bool is_key(std::string_view key, std::string_view word) {
  return text::equal_nocase(key.data(), key.size(), word.data(), word.size());
}

bool opt_is(std::string_view opt, std::string_view t) { return is_key(opt, t); }

bool opt_has(std::string_view opt, std::string_view t) {
  if (t.size() > opt.size()) return false;
  for (size_t i = 0; i + t.size() <= opt.size(); ++i) {
    size_t k = 0;
    while (k < t.size() && text::lower(opt[i + k]) == text::lower(t[k])) ++k;
    if (k == t.size()) return true;
  }
  return false;
}

bool parse_values(std::string_view line, Vec<double>& out) { return parse_any(line, out); }
bool parse_values(std::string_view line, Vec<int32_t>& out) { return parse_any(line, out); }

int32_t count_values(std::string_view line) {
  int64_t n = 0;
  scan_items(line, [&](std::string_view) {
    ++n;
    return true;
  });
  return n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n);
}

bool first_value(std::string_view line, double& v, bool* too_large) {
  bool got = false, ok = false;
  scan_items(line, [&](std::string_view t) {
    got = true;
    ok = !t.empty() && to_real(t, v);
    if (too_large) *too_large = !ok && !t.empty() && real_syntax(t);
    return false;  // only the first item
  });
  return got && ok;
}

std::string_view line_text(int32_t unit, int32_t n) {
  UnitRec* u = get(unit);
  if (!u || u->mode != Mode::read || n < 1 || size_t(n) > u->lines.size()) return {};
  return u->lines[size_t(n) - 1];
}

std::string_view item_text(std::string_view line, int32_t index) {
  std::string_view out;
  int32_t k = 0;
  scan_items(line, [&](std::string_view t) {
    if (k++ < index) return true;
    out = t;
    return false;
  });
  return out;
}

bool first_int(std::string_view t, int32_t& v) {
  bool got = false, ok = false;
  scan_items(t, [&](std::string_view tok) {
    got = true;
    ok = !tok.empty() && to_int(tok, v);
    return false;
  });
  return got && ok;
}

int32_t read_data(int32_t unit, Vec<double>& out, const char* label) { return read_any(unit, out, label); }
int32_t read_data(int32_t unit, Vec<int32_t>& out, const char* label) { return read_any(unit, out, label); }

bool ends_card_data(std::string_view line) {
  if (stops_line(line)) return true;
  size_t i = 0;
  while (i < line.size() && blank(line[i])) ++i;
  if (i + 1 >= line.size() || line[i] != '+') return false;
  const char c = text::lower(line[i + 1]);
  return c == '+' || (c >= 'a' && c <= 'z');
}

int32_t read_card_data(int32_t unit, Vec<double>& out, BadLine* bad, Vec<ValueLine>* lines) {
  return read_card_any(unit, out, bad, lines);
}
int32_t read_card_data(int32_t unit, Vec<int32_t>& out, BadLine* bad, Vec<ValueLine>* lines) {
  return read_card_any(unit, out, bad, lines);
}

int32_t size_of_data(int32_t unit, std::string_view stops) {
  return count_ahead(unit, [&](std::string_view l) {
    return stops.find(l.empty() ? ' ' : l[0]) != std::string_view::npos;
  });
}

int32_t size_of_card_data(int32_t unit) { return count_ahead(unit, ends_card_data); }

void report_read_error(const char* label) {
  std::string m = "Error: Error in ";  // a label of the library: short
  m += label;
  m += " Read operation exited with an error.";
  vx::report(-2, m.c_str());
}

}  // namespace vx::io
