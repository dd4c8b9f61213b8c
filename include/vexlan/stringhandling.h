/* Text helpers (component stringhandling): splitting, extracting, case,
 * comparison and search, replacing, counting items, integers to and from
 * text, trimming texts handed over by solver code. */
#ifndef VEXLAN_STRINGHANDLING_H
#define VEXLAN_STRINGHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Text helpers. Texts are blank padded; their lengths follow all explicit
 * arguments as hidden size_t arguments, in argument order. A routine whose
 * result is a text writes it to (res, res_len), its first two arguments; the
 * whole result buffer is written. An output text argument receives the first
 * min(n, its length) characters of the result; nothing is written past it.
 * Characters that a routine would read past the end of an input text count
 * as blanks. Arrays of single characters carry no hidden length. */

/* split: the parts of s before and after the first occurrence of the
 * delimiter (a blank is a valid delimiter); not found: a = s, b blank. The
 * parts are neither trimmed nor left-adjusted.
 *   a      (out) part before the delimiter, field of n characters; from
 *                Python bytes without the trailing blanks
 *   b      (out) part after the delimiter, field of n characters; from Python
 *                bytes without the trailing blanks
 *   s      (in)  text to split
 *   sdelim (in)  delimiter, one character
 *   n      (in)  length of the fields a and b */
void split(char* a, char* b, const char* s, const char* sdelim, const int32_t* n, size_t a_len,
           size_t b_len, size_t s_len, size_t sdelim_len);

/* extract: the text between the last occurrence of startkey and the next
 * occurrence of stopkey after it, left-adjusted (a stopkey of L characters
 * ends the piece L - 1 characters early). No stopkey after the start key
 * gives a blank text.
 *   res      (out) the piece, field of n characters; from Python bytes
 *                  without the trailing blanks
 *   s        (in)  text to search
 *   startkey (in)  key before the piece (trailing blanks part of the search)
 *   stopkey  (in)  key after the piece
 *   n        (in)  length of the result */
void extract(char* res, size_t res_len, const char* s, const char* startkey, const char* stopkey,
             const int32_t* n, size_t s_len, size_t startkey_len, size_t stopkey_len);

/* lowercase, uppercase: the first n characters of s with the ASCII letters
 * turned to lower case (lowercase) or to upper case (uppercase); every other
 * character is kept.
 *   res (out) field of n characters; from Python bytes without the trailing
 *             blanks, so fewer than n when s ends in blanks
 *   s   (in)  text of at least n characters; from Python a longer n is
 *             refused with ValueError (C reads blanks past the end)
 *   n   (in)  number of characters; below 1 writes nothing */
void lowercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);
void uppercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);

/* match: whether two texts are equal ignoring case and trailing blanks
 * (leading blanks count).
 *   a, b   (in)  texts
 *   result (ret) 1-byte logical: equal */
vx_l1 match(const char* a, const char* b, size_t a_len, size_t b_len);

/* translate: each of the first n characters of s0 replaced through a code
 * table: a character whose code is in column 1 of codes (first such row)
 * becomes the character of column 2; others are kept. Codes are taken
 * modulo 256.
 *   s0    (in)  text of at least n characters; from Python a longer n is
 *               refused with ValueError (C reads blanks past the end)
 *   sout  (out) translated text, field of n characters; from Python bytes
 *               without the trailing blanks
 *   codes (in)  nc x 2 character codes: column 1 from, column 2 to
 *   n     (in)  number of characters
 *   nc    (in)  number of code pairs */
void translate(const char* s0, char* sout, const int32_t* codes, const int32_t* n, const int32_t* nc,
               size_t s0_len, size_t sout_len);

/* replacetext: every occurrence of the trimmed text replaced by the trimmed
 * rep (a blank rep deletes it and closes the gap), also occurrences formed
 * by a replacement with the text before it. A blank text replaces nothing; a
 * rep holding text is not searched again.
 *   s    (in)  text to edit
 *   text (in)  text to replace
 *   rep  (in)  replacement
 *   sout (out) edited text, field of nout characters; from Python bytes
 *              without the trailing blanks
 *   nout (in)  length of the result */
void replacetext(const char* s, const char* text, const char* rep, char* sout, const int32_t* nout,
                 size_t s_len, size_t text_len, size_t rep_len, size_t sout_len);

/* reduceblanks: s trimmed, every run of blanks (a leading one too) reduced
 * to one blank.
 *   s    (in)  text
 *   sout (out) reduced text, field of nout characters; from Python bytes
 *              without the trailing blanks
 *   nout (in)  length of the result */
void reduceblanks(const char* s, char* sout, const int32_t* nout, size_t s_len, size_t sout_len);

/* int2aformat: the integers of jrray, column by column, each written with
 * the integer format aw (for example "(I0,',')"), left-adjusted and joined
 * without separators besides the format's own literals. A piece wider than
 * jmax is written as jmax asterisks. An invalid format records status -2 in
 * the error record and leaves j2s blank.
 *   j2s   (out) the joined text, field of sout characters; from Python bytes
 *               without the trailing blanks
 *   jrray (in)  n rows of at least m columns of integers; columns beyond m
 *               are not read (from Python, fewer than m columns is a
 *               ValueError)
 *   aw    (in)  integer format of up to 8 characters: I with a width (0 for
 *               the smallest), optionally .digits and quoted literals
 *   jmax  (in)  widest piece allowed
 *   sout  (in)  length of j2s
 *   n     (in)  rows of jrray
 *   m     (in)  columns of jrray written; 0 or below writes none (an
 *               empty text) */
void int2aformat(char* j2s, const int32_t* jrray, const char* aw, const int32_t* jmax,
                 const int32_t* sout, const int32_t* n, const int32_t* m, size_t j2s_len, size_t aw_len);

/* tally: number of occurrences of the trimmed text in s, overlapping ones
 * included ("aa" occurs twice in "aaa"). Ignoring case, s is left-adjusted
 * first. A blank text counts len(s) + 1, a text longer than s counts 0.
 *   s      (in)  text to search
 *   text   (in)  text to count
 *   csflag (in, optional) 1 (default): case-sensitive; otherwise ignore case
 *   result (ret) the count */
int32_t tally(const char* s, const char* text, const int32_t* csflag, size_t s_len, size_t text_len);

/* occurs: whether b occurs in a, ignoring case (tally with csflag 0).
 *   a      (in)  text to search
 *   b      (in)  text to find
 *   result (ret) 1-byte logical: found */
vx_l1 occurs(const char* a, const char* b, size_t a_len, size_t b_len);

/* clen, clen_trim: the length of a text handed over by solver code: clen the
 * full length, clen_trim the trimmed length; either one less when the last
 * non-blank character is a NUL. An all-blank text gives its full length
 * (clen) or 0 (clen_trim).
 *   s      (in)  text
 *   result (ret) the length */
int32_t clen(const char* s, size_t s_len);
int32_t clen_trim(const char* s, size_t s_len);

/* countitems: number of items of a data line separated by blanks and/or
 * commas: leading blanks and runs of blanks count once, every comma counts
 * ("1,,2" has 3 items, "1 ,2" too); a TAB is a blank; a NUL after the last
 * item ends the line.
 *   s0     (in)  data line
 *   result (ret) the number of items, 0 for a blank line */
int32_t countitems(const char* s0, size_t s0_len);

/* ctrim: s without trailing blanks and a final NUL (see clen_trim).
 *   res (out) field of n characters; from Python bytes without the trailing
 *             blanks
 *   s   (in)  text
 *   n   (in)  length of the result */
void ctrim(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);

/* copys2a: the first n characters of a text into an array of single
 * characters.
 *   s  (in)  text of at least n characters
 *   ca (out) n single characters
 *   n  (in)  number of characters; below 1 writes nothing (from Python, a
 *            negative n is a ValueError) */
void copys2a(const char* s, char* ca, const int32_t* n, size_t s_len);

/* spack: the characters of s that occur among the first nx characters of ex,
 * in order; nx below 1 keeps none.
 *   s    (in)  text
 *   ex   (in)  characters to keep
 *   sout (out) kept characters, field of ns characters; from Python bytes
 *              without the trailing blanks
 *   ns   (in)  length of the result
 *   nx   (in)  number of characters of ex used */
void spack(const char* s, const char* ex, char* sout, const int32_t* ns, const int32_t* nx, size_t s_len,
           size_t ex_len, size_t sout_len);

/* copya2s: the first n single characters of ca, read in column order, as a
 * text.
 *   ca (in)  array of single characters, n rows
 *   s  (out) text; from Python bytes of n characters without the trailing
 *            blanks
 *   n  (in)  number of characters */
void copya2s(const char* ca, char* s, const int32_t* n, size_t s_len);

/* str2ascii: the character codes (0 to 255) of the first n characters.
 *   ia (out) n codes
 *   ca (in)  text of at least n characters
 *   n  (in)  number of characters; below 1 writes nothing (from Python, a
 *            negative n is a ValueError) */
void str2ascii(int32_t* ia, const char* ca, const int32_t* n, size_t ca_len);

/* int2str: an integer written with the fewest digits (and a minus sign),
 * left-aligned.
 *   integ (in)  integer
 *   ca    (out) text; blank when too short; from Python bytes without the
 *               trailing blanks
 *   istat (out) 0, or 1 when ca is too short for the digits
 *   n     (in)  not used */
void int2str(const int32_t* integ, char* ca, int32_t* istat, const int32_t* n, size_t ca_len);

/* str2int: the first item of a text read as an integer: leading blanks
 * skipped, the item ending at a blank, comma, slash or the end ("12 abc"
 * gives 12, a repeat form r*v gives v). An empty first item or a slash
 * leaves integ unchanged with istat 0.
 *   ca    (in)  text
 *   integ (out) the integer; unchanged on failure
 *   istat (out) 0; positive when the item is no 32-bit integer ("1.5",
 *               "abc"); negative when the text is blank */
void str2int(const char* ca, int32_t* integ, int32_t* istat, size_t ca_len);

/* inistringwithcharacter: a text of n copies of the first character of ch
 * (a blank when ch is empty).
 *   res (out) field of n characters; from Python bytes without the trailing
 *             blanks, so empty for a blank ch
 *   ch  (in)  the character
 *   n   (in)  length of the result */
void inistringwithcharacter(char* res, size_t res_len, const char* ch, const int32_t* n, size_t ch_len);

#ifdef __cplusplus
}
#endif
#endif
