// Blank-padded text helpers for native code.
//
// Texts are fixed-length character fields padded with blanks; only the space
// character is a blank. Comparisons ignore trailing blanks, never leading ones.
// Character codes are treated as unsigned (0 to 255).
#pragma once
#include <cstddef>
#include <cstring>

namespace vx::text {

constexpr char blank = ' ';

inline unsigned char code(char c) { return static_cast<unsigned char>(c); }

inline char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
inline char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

// Length without trailing blanks (0 for an all-blank text).
inline size_t len_trim(const char* s, size_t n) {
  while (n > 0 && s[n - 1] == blank) --n;
  return n;
}

// Trimmed length, one less when the last non-blank character is a NUL: texts
// from solver code may carry a terminating NUL before their padding.
inline size_t len_trim_nul(const char* s, size_t n) {
  size_t k = len_trim(s, n);
  return (k > 0 && s[k - 1] == '\0') ? k - 1 : k;
}

// Number of leading blanks.
inline size_t len_lead(const char* s, size_t n) {
  size_t i = 0;
  while (i < n && s[i] == blank) ++i;
  return i;
}

inline void fill(char* dst, size_t n, char c = blank) {
  if (n) std::memset(dst, c, n);
}

// dst(1:dn) = src(1:sn), cut or padded with blanks. Overlap is allowed.
inline void copy_padded(char* dst, size_t dn, const char* src, size_t sn) {
  size_t k = sn < dn ? sn : dn;
  if (k) std::memmove(dst, src, k);
  fill(dst + k, dn - k);
}

// Left-adjusts in place: leading blanks move to the end.
inline void adjust_left(char* s, size_t n) {
  size_t lead = len_lead(s, n);
  if (lead == 0 || lead == n) return;
  std::memmove(s, s + lead, n - lead);
  fill(s + n - lead, lead);
}

// dst(1:dn) = case-folded src(1:sn), padded with blanks.
inline void lower_padded(char* dst, size_t dn, const char* src, size_t sn) {
  size_t k = sn < dn ? sn : dn;
  for (size_t i = 0; i < k; ++i) dst[i] = lower(src[i]);
  fill(dst + k, dn - k);
}
inline void upper_padded(char* dst, size_t dn, const char* src, size_t sn) {
  size_t k = sn < dn ? sn : dn;
  for (size_t i = 0; i < k; ++i) dst[i] = upper(src[i]);
  fill(dst + k, dn - k);
}

// Equality of two texts, the shorter one taken as padded with blanks.
inline bool equal(const char* a, size_t na, const char* b, size_t nb) {
  size_t ka = len_trim(a, na), kb = len_trim(b, nb);
  return ka == kb && (ka == 0 || std::memcmp(a, b, ka) == 0);
}

// Case-insensitive (ASCII) equality, trailing blanks ignored.
inline bool equal_nocase(const char* a, size_t na, const char* b, size_t nb) {
  size_t ka = len_trim(a, na), kb = len_trim(b, nb);
  if (ka != kb) return false;
  for (size_t i = 0; i < ka; ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// 1-based position of the first occurrence of key(1:nk) in s(1:n), 0 when
// absent; an empty key occurs at position 1.
inline size_t index(const char* s, size_t n, const char* key, size_t nk) {
  if (nk == 0) return 1;
  if (nk > n) return 0;
  const char first = key[0];
  for (size_t i = 0, last = n - nk; i <= last; ++i)
    if (s[i] == first && std::memcmp(s + i, key, nk) == 0) return i + 1;
  return 0;
}

// 1-based position of the last occurrence, 0 when absent; an empty key occurs
// at position n + 1.
inline size_t index_back(const char* s, size_t n, const char* key, size_t nk) {
  if (nk == 0) return n + 1;
  if (nk > n) return 0;
  for (size_t i = n - nk + 1; i-- > 0;)
    if (s[i] == key[0] && std::memcmp(s + i, key, nk) == 0) return i + 1;
  return 0;
}

}  // namespace vx::text
