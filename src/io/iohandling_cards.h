// What the four card readers share beyond the line services: the line loop
// with line numbers, the open block, and the reports of everything a reader
// would otherwise pass over in silence (unknown items, items outside a
// block, data lines that no item reads, blocks left open, malformed values).
//
// A card file is checked line by line. The solver input deck holds the same
// blocks among its own data, so there only the lines inside a block are
// checked, and data lines that follow a solver keyword line belong to the
// solver.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "iohandling_items.h"
#include "iohandling_units.h"

namespace vx::io {

// A value in a message: in its shortest exact form, or as written where the
// value read hides what was written (1e-400, too small for a double, reads
// as 0).
struct Shown {
  double v;
  std::string_view written{};
  Shown(double x) : v(x) {}  // a value shown as read
  Shown(double x, std::string_view w) : v(x), written(w) {}
};

class Card final : public BadLine {
 public:
  // name: the card's name in messages ("SectionCard"); block: the word for
  // one of its blocks ("section"); end_key: the line that closes a block.
  Card(int32_t unit, const char* name, const char* block, const char* end_key, bool deck)
      : unit_(unit), name_(name), block_(block), end_key_(end_key), deck_(deck) {}

  // Next line of the card; false at the end of the file, where a block still
  // open is reported.
  bool next(std::string_view& line);
  int32_t line_no() const { return line_; }
  bool deck() const { return deck_; }

  bool in_block() const { return open_; }
  // A begin line: reports the block it finds still open, then opens one
  // with this id (the unset marker when the begin line has no readable id,
  // no_id for blocks that carry none).
  static constexpr int32_t no_id = INT32_MIN;
  void begin(int32_t id);
  // A begin line that carries an id in its option ("SecID=7"): opens the
  // block with the id read as begin_id reads it, and reports an option that
  // has no readable id, one that is not a five-character key, "=" and one
  // integer (form shows the expected form), and an id an earlier block of
  // the card used. Returns the id.
  int32_t begin_with_id(std::string_view opt, const char* begin_key, const char* form);
  // An end line: reports it when no block is open (in a card file).
  void end();

  // A line that no item of the reader took.
  void unread(std::string_view line);

  // Records status -2: "Error in <card>[, <block> <id>][, line <n>]: <what>".
  // line 0 names no line. The integer context holds the line and the id.
  // Only the first error is kept, so later ones are not even composed.
  //
  // what may give the detail in several wordings, fullest first, separated
  // by '\n': the first that fits the 80 characters of the record after the
  // prefix is kept, so that long line numbers and ids cost wording, never the
  // point. Each "{}" of a wording stands for the next of vals, printed in its
  // shortest exact form (or as written, see Shown), or with fewer digits
  // (after a "~" where rounded) when no wording fits otherwise.
  void error(std::string_view what, int32_t line, std::initializer_list<Shown> vals = {});
  void error(std::string_view what) { error(what, line_); }
  // The same for an item: "<item>: <what>" in each wording of what (no
  // blank before a wording that starts with ':' or ',').
  void item_error(std::string_view item, std::string_view what, int32_t line, std::initializer_list<Shown> vals = {});
  void item_error(std::string_view item, std::string_view what) { item_error(item, what, line_); }
  // Records status -1, worded as error does: "Warning in <card>[, ...]: <what>".
  void warning(std::string_view what, int32_t line);
  // An item that a block takes once, met on the current line: at holds the
  // line of an earlier one (0: none), which is reported; at becomes the
  // current line.
  void once(int32_t& at, std::string_view item);

  // Values of the data lines after the current line; a malformed line is
  // reported with its number and skipped.
  template <class T>
  int32_t read(Vec<T>& out) {
    return read_card_data(unit_, out, this, &lines_);
  }

  // ---- Items read through their declarations (iohandling_items.h) ----
  // The declaration that a keyword line selects, the first in items order;
  // null when none does (an unknown item, for unread).
  static const Item* find(std::span<const Item> items, const KeyLine& k);
  // Takes the item of the current line: false when it stands outside a
  // block and must stand in one (the caller passes the line to unread).
  // Reports an option setting that the declaration does not take and a second
  // item of the slot in one block where the declaration allows none (sub
  // tells apart the kinds of an item that repeats per kind).
  bool take(const Item& it, const KeyLine& k, int sub = 0);
  // Reads the item's values and checks them (check).
  template <class T>
  int32_t read(const Item& it, Vec<T>& out, int64_t ctx = -1) {
    const int32_t n = read(out);
    check(it, out, ctx);
    return n;
  }
  // Checks the values of the item taken last against its declaration and
  // reports the first breach: empty items (read as 0), their count (ctx:
  // the steps, factors or counts that the rule needs), records not whole on
  // a line, and each value's kind and range (ctx: the plies or interfaces
  // for damage records). An item without values that needs some, and a
  // count of one value per ply, are left to close_items at the end line,
  // after the mistakes inside the block.
  void check(const Item& it, const Vec<double>& v, int64_t ctx = -1);
  void check(const Item& it, const Vec<int32_t>& v, int64_t ctx = -1);
  // The count rule alone, for a count known at the end line: n values of
  // the item at line.
  void check_count(const Item& it, int64_t n, int64_t ctx, int32_t line);
  // A mismatch between items of the open block (a count that another item
  // sets): held to the end line, so that the block's own line-level mistakes
  // (an unknown item, a line no item reads, a value that is not a number),
  // met before or after it, are reported first. The first one is kept.
  void later(std::string_view item, std::string_view what, int32_t line);
  // At an end line: items the block needs but lacks (except slot excused),
  // items given without values, and counts of one value per ply that do not
  // match the block's plies (reported at the item of slot plies_slot, which
  // sets them, naming the other item), in declaration order; then the
  // mismatch held by later.
  void close_items(std::span<const Item> items, int excused = -1, int64_t plies = -1, int plies_slot = -1);
  // Lines that check reads the values from, for an item that reads its own
  // (one line of n values).
  void set_line(int32_t line, int32_t n);
  // Line of value k (from 0) of the last read.
  int32_t value_line(size_t k) const { return line_of(lines_, k, line_); }
  // Value k (v) of a read whose data lines are lines, for a message: as
  // written where it reads as 0 but is not written as 0.
  Shown as_written(const Vec<ValueLine>& lines, size_t k, double v) const;
  // Line of value k of the data lines of a read (otherwise: the line when none holds it).
  static int32_t line_of(const Vec<ValueLine>& lines, size_t k, int32_t otherwise);
  // The data lines of the last read, for a check that waits for the end line.
  const Vec<ValueLine>& value_lines() const { return lines_; }
  // Rows of row values whole on each of lines (the item's values, n of
  // them): the first line that splits one is reported.
  void check_rows(const Item& it, const Vec<ValueLine>& lines, int64_t n, int64_t row);
  // The data lines after the current line, read and dropped (a malformed
  // one reported).
  void skip_data();
  // The lines after the current line up to one that would end its data
  // lines, passed over unread (an item ignored on purpose, whose lines may
  // hold anything).
  void skip_lines();

  void malformed(int32_t line, Bad bad) override;

 private:
  int32_t unit_;
  const char* name_;
  const char* block_;
  const char* end_key_;
  bool deck_;
  int32_t line_ = 0;
  bool open_ = false;
  int32_t id_ = 0;
  int32_t begin_line_ = 0;
  bool solver_data_ = false;  // the last keyword line was one of the solver's
  std::string_view key_;      // keyword part of the last item line
  Vec<ValueLine> lines_;
  HashMap<int32_t, int32_t> ids_;  // id -> line of its begin line
  // Items of the open block (or of the lines outside blocks): line of each
  // slot and kind (0: not given), and the value count of each slot.
  static constexpr int kinds = 8;
  std::array<int32_t, slot::max_slots * kinds> at_{};
  std::array<int32_t, slot::max_slots> count_{};
  int32_t item_line_ = 0;
  std::string later_item_, later_;  // the mismatch held to the end line: item, wordings, line
  int32_t later_line_ = 0;
  void clear_items() {
    at_.fill(0);
    count_.fill(0);
    later_.clear();
  }
  template <class T>
  void check_values(const Item& it, const Vec<T>& v, int64_t ctx);
  // "[, <block> <id>][, line <n>]: ", what follows the card's name in every report.
  std::string location(int32_t line) const;
  void record(int32_t status, const char* kind, std::string_view what, int32_t line,
              std::initializer_list<Shown> vals);
};

// An outline of vertices given as triples (unused, x, y), closed from the
// last vertex to the first: -1 when it encloses no area, the vertex (from 0)
// that begins the first edge meeting an earlier one when it is no simple
// polygon, else -2.
int64_t outline_breach(std::span<const double> triples);
// Id of a begin line: the integer after the first six characters of its
// option ("MatID=3"), the unset marker when none is readable there.
int32_t begin_id(std::string_view opt);
// A line without any character but blanks and tabs.
bool is_blank(std::string_view line);
// The line without trailing blanks, for messages: at most what a record can
// show of it, so that no message grows with the line.
std::string_view shown(std::string_view line);
// A count for messages: "1 value", "3 values".
std::string values(int64_t n);
// A real for messages in its shortest form that reads back exactly (digits
// 0), or with that many significant digits.
std::string number(double v, int digits = 0);

}  // namespace vx::io
