/* Error record (component errorhandling): the first failure since the last
 * reset is kept with its status, message and context values. A C caller
 * reads it after a call, as a Python caller reads _vexlan.errorhandling: the
 * same objects, one copy per process. */
#ifndef VEXLAN_ERRORHANDLING_H
#define VEXLAN_ERRORHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* The record: errstat 0 while none is kept, otherwise the status of the first
 * failure since the last reset (-1 warning or note, -2 error of the
 * computation or its input, -3 request that cannot be served); errstring its
 * message, blank-padded to 80 characters and not NUL-terminated (80 zero
 * bytes until the first record); the context arrays are allocated by the
 * first record after a reset and freed by rsxerr. */
extern int32_t errorhandling_errstat;
extern char errorhandling_errstring[80];
/* The library's own sources declare the arrays with their C++ types. */
#ifndef VEXLAN_BUILDING_LIBRARY
extern vx_array errorhandling_errintv;   /* int32_t (n) integer context values */
extern vx_array errorhandling_errrealv;  /* double (n) real context values */
extern vx_array errorhandling_errasciim; /* int32_t (rows, cols) character codes of context text */
#endif

/* xerr: records a failure in the error record, or ends the process.
 * Called from Python without pyerr, or with pyerr 0, it records nothing: it
 * prints the message as one line after a blank and ends the process with
 * exit status 0, whatever the record holds. With a nonzero pyerr, or a null
 * pyerr from C, it records: the first report since the last reset wins, so
 * while errstat is nonzero the call changes nothing; otherwise the status,
 * the message (cut or blank-padded to 80 characters) and the context values
 * are stored. The context arrays take the extents of the first report after
 * a reset and clip later context to them; at most 8 rows of asciim are kept.
 *   lop     (in)  status to record: -1 warning or note, -2 error of the
 *                 computation or its input, -3 request that cannot be served
 *   xerrmsg (in)  message of 80 characters
 *   intv    (in)  nintv integer context values
 *   nintv   (in)  number of integer context values (0 allowed)
 *   realv   (in)  nrealv real context values
 *   nrealv  (in)  number of real context values
 *   asciim  (in)  arows x acols character codes of context text
 *   arows   (in)  rows of asciim
 *   acols   (in)  columns of asciim
 *   pyerr   (in, optional) nonzero to record, and a Python call gets it back
 *                 unchanged; 0, the Python default, ends the process */
void xerr(const int32_t* lop, const char* xerrmsg, const int32_t* intv, const int32_t* nintv,
          const double* realv, const int32_t* nrealv, const int32_t* asciim, const int32_t* arows,
          const int32_t* acols, const int32_t* pyerr, size_t xerrmsg_len);

/* rsxerr: clears the error record on request: errstat becomes 0 and the
 * context arrays are freed; errstring keeps its last message. With a false
 * lop nothing changes.
 *   reset (out) 1 when the record was cleared, else 0
 *   lop   (in)  1-byte flag: true to clear */
void rsxerr(int32_t* reset, const vx_l1* lop);

/* A function the library calls before it writes to standard output. */
typedef void (*vx_flushfunc)(void);

/* errorhandling_setoutputflush: registers the function the library calls
 * before it writes to standard output (diagnostic prints and the message of a
 * condition that ends the process), so that text the host has buffered comes
 * out first; the Python module registers one that flushes sys.stdout when it
 * is imported. A null hook removes it.
 *   hook (in) a function of no arguments, or NULL */
void errorhandling_setoutputflush(vx_flushfunc hook);

#ifdef __cplusplus
}
#endif
#endif
