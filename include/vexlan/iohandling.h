/* Card files and solver text files (component iohandling): file units, the
 * scanning and data-block primitives every reader shares, the section, step
 * and material card readers, and the integration-point report.
 *
 * Files are addressed by unit numbers, as in the solver code that calls
 * these routines: a unit is a small positive integer naming an open file; the
 * readers take the first free unit in 1..120, and -1 means none. Units are
 * read line by line and can be stepped back one line at a time.
 *
 * Card syntax: a line with "+" in column 1 is a keyword line ("++" for block
 * keywords); its keyword part runs to the first comma, its option part
 * follows. Data lines follow a keyword line up to the next line with "*" or
 * "+" in column 1, or the end of the file; they hold numbers (E or D
 * exponents) separated by blanks, tabs or commas, an empty item between two
 * commas reading as 0. CR line ends and a leading byte-order mark are ignored.
 *
 * Texts are blank padded; their lengths follow all explicit arguments as
 * hidden size_t arguments, in argument order. Failures are recorded in the
 * error record (errorhandling); nothing here ends the process. */
#ifndef VEXLAN_IOHANDLING_H
#define VEXLAN_IOHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- File units ------------------------------------------------------------ */

/* iohandling_open: connects a file to a unit.
 *   unit      in   unit number, 1 to 1023
 *   filename  in   file name (trailing blanks ignored)
 *   mode      in   0 read an existing file, from its first line;
 *                  1 append to a file, creating it when missing
 * Returns 0 on success; 1 when the unit is out of range or already open;
 * 2 when the file cannot be opened (then the unit stays free). */
int32_t iohandling_open(const int32_t* unit, const char* filename, const int32_t* mode,
                        size_t filename_len);

/* iohandling_close: disconnects a unit; nothing when it is not open. */
void iohandling_close(const int32_t* unit);

/* GetFreeUnitNumber: first unit in first..last that is not open (only units
 * 1 to 1023 can be opened, so no other number is handed out).
 *   first, last  in   range of unit numbers
 * Returns the unit, or -1 (none free, or first > last). */
int32_t GetFreeUnitNumber(const int32_t* first, const int32_t* last);

/* getunitnumber: unit on which the file named filename is open, else -1.
 *   filename  in   file name (trailing blanks ignored) */
int32_t getunitnumber(const char* filename, size_t filename_len);

/* ---- Scanning ---------------------------------------------------------------- */

/* GetFileLength: number of lines from the current position to the end.
 *   fileid  in   unit
 *   rwd     in   rewind afterwards (NULL: true); else the unit stays at the end */
int32_t GetFileLength(const int32_t* fileid, const vx_l1* rwd);

/* getnumberofkeywords: number of lines from the current position to the end
 * whose first lkey characters, after their leading blanks, equal the first
 * lkey characters of keyword ignoring case.
 *   fileid   in   unit
 *   keyword  in   text
 *   lkey     in   number of characters compared
 *   rwd      in   rewind afterwards (NULL: true) */
int32_t getnumberofkeywords(const int32_t* fileid, const char* keyword, const int32_t* lkey,
                            const vx_l1* rwd, size_t keyword_len);

/* get2nextkey: reads lines until one begins with keyword (test as above).
 *   fileid     in   unit
 *   dirflag    in   -1 backward (each pass reads the line before the last one
 *                   read), anything else forward
 *   keyword    in   text
 *   lkey       in   number of characters compared
 *   ulimit     in   most lines read; below 1 nothing is read
 *   returnkey  in   1: step back so that the line found is read next
 *                   (NULL: 0)
 * Returns true when the keyword line was found within ulimit lines. */
vx_l1 get2nextkey(const int32_t* fileid, const int32_t* dirflag, const char* keyword,
                  const int32_t* lkey, const int32_t* ulimit, const int32_t* returnkey,
                  size_t keyword_len);

/* RewindFile: steps the unit back nrwd lines (nothing when nrwd <= 0). */
void RewindFile(const int32_t* fileid, const int32_t* nrwd);

/* ---- Data blocks --------------------------------------------------------------- */

/* getsizeofdata: number of values in the data lines that follow the current
 * position, up to a line whose first character is one of skeys(1:ls) or the
 * end of the file. The position is unchanged.
 *   fileid  in   unit
 *   skeys   in   stop characters
 *   ls      in   number of stop characters used */
int32_t getsizeofdata(const int32_t* fileid, const char* skeys, const int32_t* ls,
                      size_t skeys_len);

/* real_getdatapoints, int_getdatapoints: the values of the data lines that
 * follow (stop characters "*" and "+"); the unit is left before the line that
 * ended them.
 *   fileid   in    unit
 *   outdata  out   values in file order; at most n are written
 *   n        in    length of outdata (NULL: as many as the lines hold)
 * A malformed value records status -2 and skips its line; more values than n
 * record status -2 and the first n are kept. */
void real_getdatapoints(const int32_t* fileid, double* outdata, const int32_t* n);
void int_getdatapoints(const int32_t* fileid, int32_t* outdata, const int32_t* n);

/* getxydatapoints: the data lines as an ndata x nrows matrix, filled row by
 * row (value k to xydata((k-1)/nrows + 1, mod(k-1, nrows) + 1)), when the
 * value count divided by ndata equals nrows; else status -2 and nothing read.
 *   fileid  in    unit
 *   xydata  out   ndata x nrows, column-major
 *   ndata   in    rows (at least 1)
 *   nrows   in    columns */
void getxydatapoints(const int32_t* fileid, double* xydata, const int32_t* ndata,
                     const int32_t* nrows);

/* getddsfromfile: damage half-axes from records of four values (ply, a, b,
 * unused): xdds(1,k) = a, xdds(2,k) = b of record k; row 3 is not written.
 *   fileid  in    unit
 *   xdds    out   3 x nplies, column-major
 *   nplies  in    most records stored; more record status -2 */
void getddsfromfile(const int32_t* fileid, double* xdds, const int32_t* nplies);

/* ---- Names ----------------------------------------------------------------------- */

/* getxidfromstring: the id that the last tag "_" + xind + "@" + integer + "@"
 * of s carries (letters d, i, l, m, s, any case), else notfound.
 *   s         in   name; its first ls characters are used
 *   ls        in   length used
 *   xind      in   tag letter (one character)
 *   notfound  in   result when absent (NULL: -1) */
int32_t getxidfromstring(const char* s, const int32_t* ls, const char* xind, const int32_t* notfound,
                         size_t s_len, size_t xind_len);

/* getelementdataextents: counts one solver element type.
 *   iele      in/out   number of supported element definitions
 *   inodes    in/out   largest node count
 *   idof      in/out   largest number of degrees of freedom per node
 *   elemtype  in       element type name (8 characters) */
void getelementdataextents(int32_t* iele, int32_t* inodes, int32_t* idof, const char* elemtype,
                           size_t elemtype_len);

/* ---- Card readers ------------------------------------------------------------------ */
/* filepath: the solver input deck that may hold the same blocks; workspace:
 * the job output directory that holds the card file (256-character texts).
 * A card file that opens under neither name changes nothing. */

/* getsectiondatafromfile: "SectionCard.vxd" into the section data and the
 * ply material ids; ends with the ply z-coordinates of every section. Column k
 * of every section array is the k-th block of the card. Section arrays that
 * exist already are written into; a card that needs more sections or plies
 * than they hold records status -2 and is read as far as it fits. */
void getsectiondatafromfile(const char* filepath, const char* workspace, size_t filepath_len,
                            size_t workspace_len);

/* getstepdatafromfile: "StepCard.vxd" into the debug settings and the cycle
 * tables.
 *   nsteps  in   number of solver steps (columns of the cycle tables) */
void getstepdatafromfile(const char* filepath, const char* workspace, const int32_t* nsteps,
                         size_t filepath_len, size_t workspace_len);

/* getmaterialdatafromfile: "MaterialCard.vxd" into the material data of
 * every ply whose material id matches a block, the merged temperature list
 * and the resin calibration tables. Arrays whose extents do not match the
 * card are made anew. Value counts the card format does not allow record
 * status -2 naming the item and the material; a ply whose material has no
 * block records a warning (status -2).
 *   nplies, nsec  in   extents of the section data */
void getmaterialdatafromfile(const char* filepath, const char* workspace, const int32_t* nplies,
                             const int32_t* nsec, size_t filepath_len, size_t workspace_len);

/* ---- Integration-point report -------------------------------------------------------- */

/* getgausspointreport: appends one line (element, point, three coordinates)
 * to the file, writing the header first when this call created it.
 *   filepath  in   file name (trailing blanks ignored)
 *   coord     in   3 coordinates
 *   noel      in   element number
 *   npt       in   integration point number */
void getgausspointreport(const char* filepath, const double* coord, const int32_t* noel,
                         const int32_t* npt, size_t filepath_len);

#ifdef __cplusplus
}
#endif
#endif
