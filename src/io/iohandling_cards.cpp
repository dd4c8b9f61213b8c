// Line loop and mistake reports shared by the card readers.
#include "iohandling_cards.h"

#include <algorithm>

#include "../core/data.h"
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

bool is_blank(std::string_view line) {
  for (char c : line)
    if (!blank(c)) return false;
  return true;
}

std::string_view shown(std::string_view line) {
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

std::string values(int64_t n) { return std::to_string(n) + (n == 1 ? " value" : " values"); }

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
  open_ = true;
  id_ = id;
  begin_line_ = line_;
}

int32_t Card::begin_with_id(std::string_view opt, const char* begin_key, const char* form) {
  const int32_t id = begin_id(opt);
  begin(id);
  if (id == vx::unset) {
    item_error(begin_key, ": no readable id");
  } else if (!id_option_well_formed(opt)) {
    error(std::string("id option is not ").append(form));
  } else {
    const auto [at, fresh] = ids_.try_emplace(id, line_);
    if (!fresh) error("id already used at line " + std::to_string(at->second));
  }
  return id;
}

void Card::end() {
  if (!open_ && !deck_) item_error(end_key_, "without a begin line");
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
    error("line read by no item");
}

void Card::error(std::string_view what, int32_t line) {
  if (vx::errorhandling::errstat != 0) return;  // the record keeps the first error
  std::string m = "Error in ";
  m += name_;
  if (open_) {
    m += ", ";
    m += block_;
    if (id_ == vx::unset) m += " ?";
    else if (id_ != no_id) m += ' ' + std::to_string(id_);
  }
  if (line > 0) m += ", line " + std::to_string(line);
  m += ": ";
  m += what;
  const int32_t ctx[2] = {line, open_ && id_ != no_id ? id_ : 0};
  const double none[1] = {0.0};
  vx::report(-2, m.c_str(), ctx, 2, none, 1);
}

void Card::item_error(std::string_view item, std::string_view what, int32_t line) {
  if (vx::errorhandling::errstat != 0) return;
  std::string m(item);
  m += what.empty() || what.front() == ':' || what.front() == ',' ? "" : " ";
  m += what;
  error(m, line);
}

void Card::once(int32_t& at, std::string_view item) {
  if (at) item_error(item, "given twice (line " + std::to_string(at) + ")");
  at = line_;
}

int32_t Card::value_line(size_t k) const {
  // The last line whose first value is at most k.
  auto it = std::upper_bound(lines_.begin(), lines_.end(), k,
                             [](size_t v, const ValueLine& l) { return v < size_t(l.first); });
  return it == lines_.begin() ? line_ : std::prev(it)->line;
}

void Card::skip_data() {
  std::vector<double> v;
  read(v);
}

void Card::malformed(int32_t line) {
  if (key_.empty()) error("value not a number", line);
  else item_error(key_, ": value not a number", line);
}

}  // namespace vx::io
