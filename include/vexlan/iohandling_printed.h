/* Reader of the solver's printed model data (component iohandling): the
 * element definition and node definition tables of the listing fill the
 * element data and the node data. */
#ifndef VEXLAN_IOHANDLING_PRINTED_H
#define VEXLAN_IOHANDLING_PRINTED_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* getabqdatafromfile: reads the element and node definition tables of the
 * solver's printed model listing into the element and node data. The element
 * table (after the heading "E L E M E N T   D E F I N I T I O N S") gives, for
 * its lines that start with a positive element number and name a shell (S...)
 * or continuum (C..., not CIN...) type, the element count nelem, the node and
 * degree-of-freedom extents nnodes and ndof (getelementdataextents), the
 * element numbers and kinds, and the node numbers of the conventional shells
 * (kinds 1 to 8). The node table (after "N O D E   D E F I N I T I O N S")
 * gives each node's first three coordinates, which are copied into every
 * element slot that holds the node; node numbers must not decrease (a smaller
 * one ends the table), and lines with two values or fewer are skipped. A file
 * already open is read from its unit, which is closed afterwards. A file
 * without element lines, or one that cannot be opened, changes nothing. Arrays
 * kept from an earlier, smaller model receive what fits, and status -2 is
 * recorded when elements or nodes are dropped.
 *   filepath (in)  path of the listing; trailing blanks ignored */
void getabqdatafromfile(const char* filepath, size_t filepath_len);

#ifdef __cplusplus
}
#endif
#endif
