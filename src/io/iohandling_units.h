// File units and card-line services shared by the readers of src/io.
//
// A unit holds its whole file in memory as lines, with a line position that
// can be stepped back, so the scans can count ahead and return. Lines are
// kept whole (no cut at 80 or 256 characters); LF, CR LF and CR alone end a
// line, and a leading byte-order mark is removed when the file is loaded.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "../core/array.h"
#include "../core/scratch.h"

namespace vx::io {

// Text whose length follows a file or a caller (paths, copies of lines):
// taken through FatalAlloc like every data-sized buffer of the readers.
using Text = std::basic_string<char, std::char_traits<char>, FatalAlloc<char>>;

constexpr int32_t max_unit = 1023;

enum class Mode : int32_t { read = 0, append = 1 };
enum class Read { ok, eof, error };  // error: the unit is not open for reading

// 0 on success; 1 unit out of range or already open; 2 the file cannot be opened.
int32_t open(int32_t unit, std::string_view path, Mode mode);
void close(int32_t unit);
bool is_open(int32_t unit);
int32_t free_unit(int32_t first, int32_t last);  // -1 when none
int32_t unit_of(std::string_view path);          // unit on which the file is open, -1 when none

// Next line of a read unit; the view stays valid until the unit is closed.
Read read_line(int32_t unit, std::string_view& line);
// Lines read so far: the number of the line last read (0 before the first;
// one past the last line once the end of the file was met).
int32_t position(int32_t unit);
void backspace(int32_t unit, int32_t n = 1);
void rewind(int32_t unit);
// Appends text to a unit opened for appending; false on a write error.
bool write(int32_t unit, std::string_view text);

// Opens a card file: workspace/<name>.vxd, else filepath. Returns the unit,
// or -1 when neither opens. deck tells whether filepath was opened and is
// not itself a ".vxd" file (a solver input deck, which holds other data too).
int32_t open_card(const char* filepath, size_t filepath_len, const char* workspace,
                  size_t workspace_len, const char* name, bool* deck = nullptr);

// Keyword line of a card: keyword part before the first comma (leading
// blanks kept, trailing ones dropped), option part after it (left-adjusted
// when asked, trailing blanks dropped).
struct KeyLine {
  std::string_view key, opt;
};
KeyLine split_key(std::string_view line, bool left_adjust_option = true);
// Keyword part equals word ignoring case (trailing blanks ignored).
bool is_key(std::string_view key, std::string_view word);
// Option part equals text ignoring case; option part contains text ignoring case.
bool opt_is(std::string_view opt, std::string_view text);
bool opt_has(std::string_view opt, std::string_view text);

// Values of one data line, strictly parsed: numbers separated by blanks,
// tabs or commas, E or D exponents, an empty item between commas is 0.
// Appends to out and returns true; on a malformed item appends nothing and
// returns false.
bool parse_values(std::string_view line, Vec<double>& out);
bool parse_values(std::string_view line, Vec<int32_t>& out);
int32_t count_values(std::string_view line);
// First value of a line read in free format (the rest of the line is not
// looked at); false when the line holds no readable first value, too_large
// then telling whether it is a number beyond the range of a double.
bool first_value(std::string_view line, double& v, bool* too_large = nullptr);
// Line n (from 1) of a read unit, as it stands in the file; empty when there is none.
std::string_view line_text(int32_t unit, int32_t n);
// Item index (from 0) of a data line as written, an empty item between
// commas empty; empty when the line has fewer items.
std::string_view item_text(std::string_view line, int32_t index);
// Integer read in free format from the first item of a text; false when absent or malformed.
bool first_int(std::string_view text, int32_t& v);

// The data lines that follow the position (up to a line starting with "*" or
// "+", or the end), appended to out; the unit is left before the line that
// ended them. A malformed line records status -2 with the read-error
// message of `label` and is skipped. Returns the number of values appended.
int32_t read_data(int32_t unit, Vec<double>& out, const char* label = "GetDataPoints");
int32_t read_data(int32_t unit, Vec<int32_t>& out, const char* label = "GetDataPoints");
// A line that ends the data lines of a card item: "*" or "+" in column 1,
// or a keyword written after blanks ("  +Thickness", not read as values of
// the item before it). A signed number after blanks ("  +45") does not.
bool ends_card_data(std::string_view line);

// What is wrong with the first bad item of a data line: not a number at
// all, a real where the item takes integers only (3.0, 1e3), an integer
// beyond 32 bits (4294967296), or a number beyond the range of a double
// (1e400).
enum class Bad : uint8_t { not_number, not_integer, out_of_range, beyond_double };
// Where a malformed data line of a card goes: its number and its first bad
// item, for the reader's report.
struct BadLine {
  virtual void malformed(int32_t line, Bad what) = 0;

 protected:
  ~BadLine() = default;
};
// A data line that holds values: its number, the index of its first value,
// and whether it holds an empty item (read as 0).
struct ValueLine {
  int32_t line;
  int32_t first;
  bool gap = false;
};
// The values of a card item's data lines, up to a line that ends them
// (ends_card_data); the unit is left before that line. A malformed line
// appends nothing and goes to bad when given. lines, when given, is filled
// with the lines that held values. Returns the number of values appended.
int32_t read_card_data(int32_t unit, Vec<double>& out, BadLine* bad = nullptr,
                       Vec<ValueLine>* lines = nullptr);
int32_t read_card_data(int32_t unit, Vec<int32_t>& out, BadLine* bad = nullptr,
                       Vec<ValueLine>* lines = nullptr);
// Number of values of those data lines; position unchanged.
int32_t size_of_card_data(int32_t unit);
// Number of values of the lines that follow the position, up to one whose
// first character is in stops (an empty line's counts as a blank); position
// unchanged.
int32_t size_of_data(int32_t unit, std::string_view stops = "*+");

// Records status -2 with "Error: Error in <label> Read operation exited with an error."
void report_read_error(const char* label);

// True when the array exists with exactly these extents (a card read again
// then writes into the arrays as they are).
inline bool has_extents(const ArrayBase& a, std::initializer_list<int64_t> e) {
  if (!a.allocated() || a.rank != int(e.size())) return false;
  int d = 0;
  for (int64_t x : e)
    if (a.extents[d++] != x) return false;
  return true;
}

// Closes a unit when the scope ends.
struct UnitGuard {
  int32_t unit;
  explicit UnitGuard(int32_t u) : unit(u) {}
  UnitGuard(const UnitGuard&) = delete;
  UnitGuard& operator=(const UnitGuard&) = delete;
  ~UnitGuard() { close(unit); }
};

}  // namespace vx::io
