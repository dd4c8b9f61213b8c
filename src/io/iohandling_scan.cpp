// Exported scanning and data-block primitives: unit numbers, keyword scans
// forward and backward, value counts and reads of the data lines after a
// keyword, shaped reads, material-name tags and element-type extents. The
// position of a unit is the only state they share with their callers.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../core/text.h"
#include "../core/vx.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"
#include "vexlan/stringhandling.h"

using namespace vx;

namespace {

// Keyword test of the scans: the line without its leading blanks and the
// keyword, both taken as lkey characters (blank padded), equal ignoring case.
// Past the longer of the two texts both are blanks, so the comparison ends
// there whatever lkey says.
bool key_prefix(std::string_view line, const char* key, size_t key_len, int32_t lkey) {
  size_t lead = 0;
  while (lead < line.size() && line[lead] == ' ') ++lead;
  line.remove_prefix(lead);
  key_len = text::len_trim(key, key_len);
  const int64_t n = std::min<int64_t>(lkey, int64_t(std::max(line.size(), key_len)));
  for (int64_t i = 0; i < n; ++i) {
    const char a = size_t(i) < line.size() ? line[i] : ' ';
    const char b = size_t(i) < key_len ? key[i] : ' ';
    if (text::lower(a) != text::lower(b)) return false;
  }
  return true;
}

template <class T>
void get_points(const int32_t* fileid, T* outdata, const int32_t* n) {
  Vec<T> v;
  io::read_data(*fileid, v);
  size_t k = v.size();
  if (n && size_t(std::max(*n, 0)) < k) {
    k = size_t(std::max(*n, 0));
    vx::report(-2, "Error in GetDataPoints: more values than the array holds.");
  }
  std::copy(v.begin(), v.begin() + k, outdata);
}

// Lines from the position to the end that pass the test, rewinding after
// unless rwd is false; a read error is reported and ends the count.
template <class Test>
int32_t count_lines(int32_t unit, const vx_l1* rwd, const char* label, Test counts) {
  std::string_view line;
  int32_t n = 0;
  for (;;) {
    io::Read r = io::read_line(unit, line);
    if (r == io::Read::error) {
      io::report_read_error(label);
      return n;
    }
    if (r == io::Read::eof) break;
    if (counts(line)) ++n;
  }
  if (!rwd || *rwd) io::rewind(unit);
  return n;
}

}  // namespace

VX_API int32_t iohandling_open(const int32_t* unit, const char* filename, const int32_t* mode,
                               size_t filename_len) {
  const io::Mode m = (mode && *mode == 1) ? io::Mode::append : io::Mode::read;
  return io::open(*unit, std::string_view(filename, filename_len), m);
}

VX_API void iohandling_close(const int32_t* unit) { io::close(*unit); }

VX_API int32_t GetFreeUnitNumber(const int32_t* first, const int32_t* last) {
  return io::free_unit(*first, *last);
}

VX_API int32_t getunitnumber(const char* filename, size_t filename_len) {
  return io::unit_of(std::string_view(filename, filename_len));
}

VX_API int32_t GetFileLength(const int32_t* fileid, const vx_l1* rwd) {
  return count_lines(*fileid, rwd, "GetFileLength", [](std::string_view) { return true; });
}

VX_API int32_t getnumberofkeywords(const int32_t* fileid, const char* keyword, const int32_t* lkey,
                                   const vx_l1* rwd, size_t keyword_len) {
  return count_lines(*fileid, rwd, "GetNumberOfKeywords",
                     [&](std::string_view line) { return key_prefix(line, keyword, keyword_len, *lkey); });
}

VX_API vx_l1 get2nextkey(const int32_t* fileid, const int32_t* dirflag, const char* keyword,
                         const int32_t* lkey, const int32_t* ulimit, const int32_t* returnkey,
                         size_t keyword_len) {
  if (*ulimit < 1) return 0;
  const bool back = *dirflag == -1;
  bool found = false;
  std::string_view line;
  for (int64_t i = 1; i <= *ulimit; ++i) {
    if (back) {
      // The first line has no line before it: the backward scan ends there
      // instead of reading it again and again.
      if (io::position(*fileid) == 1) break;
      io::backspace(*fileid, 2);
    }
    io::Read r = io::read_line(*fileid, line);
    if (r == io::Read::error) {
      io::report_read_error("Get2NextKey");
      return 0;
    }
    if (r == io::Read::eof) break;
    if (key_prefix(line, keyword, keyword_len, *lkey)) {
      found = true;
      break;
    }
  }
  if (returnkey && *returnkey == 1) io::backspace(*fileid);
  return found ? 1 : 0;
}

VX_API void RewindFile(const int32_t* fileid, const int32_t* nrwd) {
  if (*nrwd > 0) io::backspace(*fileid, *nrwd);
}

VX_API int32_t getsizeofdata(const int32_t* fileid, const char* skeys, const int32_t* ls, size_t skeys_len) {
  io::Text stops;
  for (int32_t i = 0; i < *ls; ++i) {
    stops += size_t(i) < skeys_len ? skeys[i] : ' ';
    if (size_t(i) >= skeys_len) break;  // the rest are blanks as well
  }
  return io::size_of_data(*fileid, stops);
}

VX_API void real_getdatapoints(const int32_t* fileid, double* outdata, const int32_t* n) {
  get_points(fileid, outdata, n);
}

VX_API void int_getdatapoints(const int32_t* fileid, int32_t* outdata, const int32_t* n) {
  get_points(fileid, outdata, n);
}

VX_API void getxydatapoints(const int32_t* fileid, double* xydata, const int32_t* ndata, const int32_t* nrows) {
  const int32_t count = io::size_of_data(*fileid);
  if (*ndata < 1 || count / *ndata != *nrows) {
    io::report_read_error("GetXYDataPoints");
    return;
  }
  Vec<double> v;
  io::read_data(*fileid, v);
  const int64_t nr = *nrows;
  const int64_t k = std::min<int64_t>(int64_t(v.size()), int64_t(*ndata) * nr);
  for (int64_t q = 0; q < k; ++q) xydata[(q / nr) + (q % nr) * int64_t(*ndata)] = v[size_t(q)];
}

VX_API void getddsfromfile(const int32_t* fileid, double* xdds, const int32_t* nplies) {
  Vec<double> v;
  io::read_data(*fileid, v);
  int64_t nrec = int64_t(v.size()) / 4;
  if (nrec > std::max(*nplies, 0)) {
    vx::report(-2, "Error in GetDDSFromFile: more damage records than plies.");
    nrec = std::max(*nplies, 0);
  }
  for (int64_t k = 0; k < nrec; ++k) {
    xdds[3 * k] = v[size_t(4 * k + 1)];
    xdds[3 * k + 1] = v[size_t(4 * k + 2)];
  }
}

VX_API int32_t getxidfromstring(const char* s, const int32_t* ls, const char* xind, const int32_t* notfound,
                                size_t s_len, size_t xind_len) {
  const int32_t nf = notfound ? *notfound : -1;
  const char letter = xind_len > 0 ? text::lower(xind[0]) : ' ';
  if (letter != 'd' && letter != 'i' && letter != 'l' && letter != 'm' && letter != 's') return nf;
  const size_t n = std::min(size_t(std::max(*ls, 0)), s_len);
  io::Text low(n, ' ');
  for (size_t i = 0; i < n; ++i) low[i] = text::lower(s[i]);
  const char marker[3] = {'_', letter, '@'};
  size_t at = text::index_back(low.data(), n, marker, 3);
  if (at == 0) return nf;
  size_t from = at - 1 + 3;
  size_t close = low.find('@', from);
  if (close == io::Text::npos) return nf;  // no closing "@": no id
  std::string_view id(low.data() + from, close - from);
  int32_t v = nf, st = 0;
  ::str2int(id.data(), &v, &st, id.size());
  return st == 0 ? v : nf;
}

VX_API void getelementdataextents(int32_t* iele, int32_t* inodes, int32_t* idof, const char* elemtype,
                                  size_t elemtype_len) {
  char t[8];
  text::copy_padded(t, 8, elemtype, elemtype_len);
  auto digit = [&](int p) { return t[p - 1] >= '0' && t[p - 1] <= '9' ? t[p - 1] - '0' : -1; };
  const int last = int(text::len_trim(t, 8));  // position of the last non-blank character
  auto integer = [&](int a, int b) {           // positions a..b as a plain integer, else -1
    if (b < a) return -1;
    int v = 0;
    for (int p = a; p <= b; ++p) {
      if (t[p - 1] < '0' || t[p - 1] > '9') return -1;
      v = v * 10 + (t[p - 1] - '0');
    }
    return v;
  };
  int nodes = -1;
  // The count stops at the integer limit instead of wrapping.
  const auto count = [&] { if (*iele < INT32_MAX) ++*iele; };
  if (t[0] == 'S') {
    count();
    nodes = digit(2);
    if (nodes < 0) nodes = digit(5);
    if (nodes < 0) nodes = digit(3);
  } else if (t[0] == 'C' && !(t[1] == 'I' && t[2] == 'N')) {
    count();
    nodes = integer(4, last);
    if (nodes < 0) nodes = integer(4, last - 1);
  } else {
    return;
  }
  // A name without a node count leaves the node maximum as it is.
  if (nodes >= 0) *inodes = std::max(*inodes, nodes);
  *idof = std::max(*idof, (last > 0 && t[last - 1] == '5') ? 5 : 6);
}
