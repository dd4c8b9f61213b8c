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

void split(char* a, char* b, const char* s, const char* sdelim, const int32_t* n, size_t a_len,
           size_t b_len, size_t s_len, size_t sdelim_len);
void extract(char* res, size_t res_len, const char* s, const char* startkey, const char* stopkey,
             const int32_t* n, size_t s_len, size_t startkey_len, size_t stopkey_len);
void lowercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);
void uppercase(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);
vx_l1 match(const char* a, const char* b, size_t a_len, size_t b_len);
/* codes: nc rows, 2 columns, column-major. */
void translate(const char* s0, char* sout, const int32_t* codes, const int32_t* n, const int32_t* nc,
               size_t s0_len, size_t sout_len);
void replacetext(const char* s, const char* text, const char* rep, char* sout, const int32_t* nout,
                 size_t s_len, size_t text_len, size_t rep_len, size_t sout_len);
void reduceblanks(const char* s, char* sout, const int32_t* nout, size_t s_len, size_t sout_len);
/* jrray: n rows, at least m columns, column-major. aw is a text of 8
 * characters (only the first 8 are read). A piece wider than jmax is written
 * as jmax asterisks. An invalid format records status -2 in the error record
 * and leaves j2s blank. */
void int2aformat(char* j2s, const int32_t* jrray, const char* aw, const int32_t* jmax,
                 const int32_t* sout, const int32_t* n, const int32_t* m, size_t j2s_len, size_t aw_len);
/* csflag may be NULL (counts as 1). */
int32_t tally(const char* s, const char* text, const int32_t* csflag, size_t s_len, size_t text_len);
vx_l1 occurs(const char* a, const char* b, size_t a_len, size_t b_len);
int32_t clen(const char* s, size_t s_len);
int32_t clen_trim(const char* s, size_t s_len);
int32_t countitems(const char* s0, size_t s0_len);
void ctrim(char* res, size_t res_len, const char* s, const int32_t* n, size_t s_len);
void copys2a(const char* s, char* ca, const int32_t* n, size_t s_len);
void spack(const char* s, const char* ex, char* sout, const int32_t* ns, const int32_t* nx, size_t s_len,
           size_t ex_len, size_t sout_len);
/* ca: n rows of single characters, read in column order. */
void copya2s(const char* ca, char* s, const int32_t* n, size_t s_len);
void str2ascii(int32_t* ia, const char* ca, const int32_t* n, size_t ca_len);
void int2str(const int32_t* integ, char* ca, int32_t* istat, const int32_t* n, size_t ca_len);
void str2int(const char* ca, int32_t* integ, int32_t* istat, size_t ca_len);
void inistringwithcharacter(char* res, size_t res_len, const char* ch, const int32_t* n, size_t ch_len);

#ifdef __cplusplus
}
#endif
#endif
