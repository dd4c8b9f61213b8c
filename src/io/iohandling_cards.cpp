// Line loop and mistake reports shared by the card readers.
#include "iohandling_cards.h"

#include "../core/vx.h"

namespace vx::io {

int32_t begin_id(std::string_view opt) {
  int32_t id = vx::unset;
  if (opt.size() > 6) first_int(opt.substr(6), id);
  return id;
}

bool is_blank(std::string_view line) {
  for (char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

std::string_view shown(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

bool Card::next(std::string_view& line) {
  if (read_line(unit_, line) != Read::ok) {
    if (open_) error(std::string("block not closed by ") + end_key_, begin_line_);
    open_ = false;
    return false;
  }
  line_ = position(unit_);
  if (!line.empty() && line[0] == '+') solver_data_ = false;
  // "**" is a comment and leaves the data lines to whoever owned them.
  if (!line.empty() && line[0] == '*' && !(line.size() > 1 && line[1] == '*')) solver_data_ = deck_;
  return true;
}

void Card::begin(int32_t id) {
  if (open_) error(std::string("block not closed by ") + end_key_, begin_line_);
  open_ = true;
  id_ = id;
  begin_line_ = line_;
}

void Card::end() {
  if (!open_ && !deck_) error(std::string(end_key_) + " without a begin line");
  open_ = false;
}

void Card::unread(std::string_view line) {
  if (is_blank(line)) return;
  const char c = line[0];
  if (c == '*') return;  // comments, and the solver's keyword lines in a deck
  if (c == '+') {
    if (open_) error(std::string("unknown item ").append(shown(line)));
    else if (!deck_) error(std::string(shown(line)).append(" outside a block"));
    return;
  }
  if (open_ ? solver_data_ : deck_) return;
  size_t lead = 0;
  while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
  error(line[lead] == '+' || line[lead] == '*' ? "keyword not in column 1" : "line read by no item");
}

void Card::error(std::string_view what, int32_t line) {
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

void Card::skip_data() {
  std::vector<double> v;
  read(v);
}

void Card::malformed(int32_t line) { error("value that is not a number", line); }

}  // namespace vx::io
