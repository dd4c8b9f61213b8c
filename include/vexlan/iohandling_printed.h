/* Reader of the solver's printed model data (component iohandling): the
 * element definition and node definition tables of the listing fill the
 * element data and the node data. */
#ifndef VEXLAN_IOHANDLING_PRINTED_H
#define VEXLAN_IOHANDLING_PRINTED_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Reads element ids, kinds and connectivity, and the coordinates of every
 * element's nodes, into elementdata and nodaldata.
 *   filepath     (in) path of the listing; trailing blanks ignored
 *   filepath_len (in) length of filepath */
void getabqdatafromfile(const char* filepath, size_t filepath_len);

#ifdef __cplusplus
}
#endif
#endif
