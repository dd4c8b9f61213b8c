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
 * follows; keywords and options ignore letter case. Data lines follow a
 * keyword line up to the next line with "*" or "+" in column 1, or the end
 * of the file; they hold numbers (E or D exponents) separated by blanks,
 * tabs or commas, an empty item between two commas reading as 0. A line with
 * "*" in column 1 is a solver line or comment, so card blocks can stand in
 * the solver input deck. CR LF and CR line ends and a leading byte-order
 * mark are accepted. The card readers also end an item's data lines at a
 * keyword written after blanks (" +Thickness"), which they report; the
 * primitives below read such a line as a data line. docs/cards.md is the
 * guide to the card files and lists what the readers check.
 *
 * Texts are blank padded; their lengths follow all explicit arguments as
 * hidden size_t arguments, in argument order. Failures are recorded in the
 * error record (errorhandling), which keeps the first error since it was
 * last reset; nothing here ends the process. */
#ifndef VEXLAN_IOHANDLING_H
#define VEXLAN_IOHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- File units ------------------------------------------------------------ */

/* iohandling_open: connects a file to a unit. For reading, the file must be
 * a regular file and is read from its first line; for appending it is
 * created when missing. Nothing is recorded: the result says what happened.
 *   unit     (in)  unit number, 1 to 1023
 *   filename (in)  file name; trailing blanks are ignored
 *   mode     (in, optional) 0 (default) read an existing file; 1 append
 *   result   (ret) 0 on success; 1 when the unit is out of range or already
 *                  open; 2 when the file cannot be opened (the unit stays
 *                  free) */
int32_t iohandling_open(const int32_t* unit, const char* filename, const int32_t* mode,
                        size_t filename_len);

/* iohandling_close: disconnects a unit and releases what it holds; nothing
 * happens when it is not open.
 *   unit (in)  unit number */
void iohandling_close(const int32_t* unit);

/* GetFreeUnitNumber: the first unit in first..last that is not open. Only
 * units 1 to 1023 can be open, so the range is clipped to them. Nothing is
 * recorded.
 *   first, last (in)  range of unit numbers
 *   result      (ret) the unit, or -1 when none is free or first > last */
int32_t GetFreeUnitNumber(const int32_t* first, const int32_t* last);

/* getunitnumber: the unit on which the named file is open, comparing
 * canonical paths, else -1.
 *   filename (in)  file name; trailing blanks are ignored
 *   result   (ret) the unit, or -1 */
int32_t getunitnumber(const char* filename, size_t filename_len);

/* ---- Scanning ---------------------------------------------------------------- */

/* GetFileLength: number of lines from the current position to the end of
 * the file. A unit that is not open for reading records status -2 ("Error:
 * Error in GetFileLength Read operation exited with an error.") and gives
 * the count reached, without rewinding.
 *   fileid (in)  unit
 *   rwd    (in, optional) 1-byte flag: true (default) rewinds the unit to
 *                its first line afterwards; false leaves it at the end
 *   result (ret) the number of lines */
int32_t GetFileLength(const int32_t* fileid, const vx_l1* rwd);

/* getnumberofkeywords: number of lines from the current position to the end
 * of the file that begin with keyword: their first lkey characters, after
 * the line's leading blanks, equal the first lkey characters of keyword
 * (both blank padded) ignoring case. A unit that is not open for reading
 * records status -2 ("Error: Error in GetNumberOfKeywords Read operation
 * exited with an error.") and gives the count reached, without rewinding.
 *   fileid  (in)  unit
 *   keyword (in)  text to look for
 *   lkey    (in)  number of characters compared
 *   rwd     (in, optional) 1-byte flag: true (default) rewinds the unit to
 *                 its first line afterwards; false leaves it at the end
 *   result  (ret) the number of matching lines */
int32_t getnumberofkeywords(const int32_t* fileid, const char* keyword, const int32_t* lkey,
                            const vx_l1* rwd, size_t keyword_len);

/* get2nextkey: reads lines until one begins with keyword (the test of
 * getnumberofkeywords), at most ulimit of them. Forward it stops at the end
 * of the file. Backward each pass steps back two lines and reads one, so it
 * reads the line before the one read last (started at the end of the file,
 * the last line); the backward scan stops at the start of the file. The
 * unit is left after the line found, or before it with returnkey 1. A unit
 * that is not open for reading records status -2 ("Error: Error in
 * Get2NextKey Read operation exited with an error.") and gives false.
 *   fileid    (in)  unit
 *   dirflag   (in)  -1 backward; any other value forward
 *   keyword   (in)  text to look for
 *   lkey      (in)  number of characters compared
 *   ulimit    (in)  most lines read; below 1 nothing is read and the result
 *                   is false
 *   returnkey (in, optional) 1: step back one line at the end, so that the
 *                   line found is read next; otherwise (default 0) not
 *   result    (ret) 1-byte flag: true when a keyword line was found */
vx_l1 get2nextkey(const int32_t* fileid, const int32_t* dirflag, const char* keyword,
                  const int32_t* lkey, const int32_t* ulimit, const int32_t* returnkey,
                  size_t keyword_len);

/* RewindFile: steps the unit back nrwd lines, not beyond its first line;
 * nothing for nrwd <= 0 or a unit that is not open for reading.
 *   fileid (in)  unit
 *   nrwd   (in)  number of lines */
void RewindFile(const int32_t* fileid, const int32_t* nrwd);

/* ---- Data blocks --------------------------------------------------------------- */

/* getsizeofdata: number of values in the data lines that follow the current
 * position, up to a line whose first character is one of the first ls
 * characters of skeys, or the end of the file; values are separated by
 * blanks, tabs or commas, an empty item between two commas counting as one.
 * Positions of skeys beyond its length count as blanks (a blank line or one
 * starting with a blank then stops too). The position is unchanged; a unit
 * that is not open for reading gives 0.
 *   fileid (in)  unit
 *   skeys  (in)  stop characters; the readers pass "*+"
 *   ls     (in)  number of stop characters used
 *   result (ret) the number of values */
int32_t getsizeofdata(const int32_t* fileid, const char* skeys, const int32_t* ls,
                      size_t skeys_len);

/* real_getdatapoints, int_getdatapoints: the values of the data lines that
 * follow the current position, up to a line starting with "*" or "+", or
 * the end of the file; the unit is left before the line that ended them.
 * Numbers in free format (E or D exponents for reals), an empty item between
 * two commas reading as 0. A line with an item that is not a complete
 * number records status -2 ("Error: Error in GetDataPoints Read operation
 * exited with an error.") and is skipped; more values than n record status
 * -2 ("Error in GetDataPoints: more values than the array holds.") and the
 * first n are kept. A unit that is not open for reading records the read
 * error and reads nothing.
 *   fileid  (in)  unit
 *   outdata (out) the values in file order (reals or 32-bit integers); entries
 *                 beyond the values read are left as they were
 *   n       (in, optional) length of outdata; absent: outdata must hold every
 *                 value (size it with getsizeofdata) */
void real_getdatapoints(const int32_t* fileid, double* outdata, const int32_t* n);
void int_getdatapoints(const int32_t* fileid, int32_t* outdata, const int32_t* n);

/* getxydatapoints: the data lines as an ndata x nrows matrix, filled row by
 * row: value k goes to xydata((k-1)/nrows + 1, mod(k-1, nrows) + 1). The
 * value count divided by ndata (integer division) must equal nrows, so up
 * to ndata - 1 surplus values are read and dropped; otherwise, or for ndata
 * below 1, status -2 is recorded ("Error: Error in GetXYDataPoints Read
 * operation exited with an error."), nothing is read and xydata is left as
 * it was (zeros from Python, where a negative ndata is a ValueError).
 *   fileid (in)  unit
 *   xydata (out) ndata x nrows matrix, column-major
 *   ndata  (in)  number of rows, at least 1
 *   nrows  (in)  number of columns */
void getxydatapoints(const int32_t* fileid, double* xydata, const int32_t* ndata,
                     const int32_t* nrows);

/* getddsfromfile: damage half-axes from the data lines, read as records of
 * four values (ply, a, b, unused) in file order: xdds(1, k) = a and xdds(2,
 * k) = b of record k; the ply value and row 3 are not used, and a trailing
 * incomplete record is ignored. More records than nplies record status -2
 * ("Error in GetDDSFromFile: more damage records than plies.") and the first
 * nplies are kept.
 *   fileid (in)  unit
 *   xdds   (out) 3 x nplies half-axes, column-major; row 3 not written
 *   nplies (in)  most records stored */
void getddsfromfile(const int32_t* fileid, double* xdds, const int32_t* nplies);

/* ---- Names ----------------------------------------------------------------------- */

/* getxidfromstring: the id that a solver material name carries in a tag
 * "_" + letter + "@" + integer + "@" (letters d, i, l ply, m material, s
 * section, either case); the last tag of the letter counts. Example: in
 * PLY_s@2@_l@14@ the letter l gives 14 and s gives 2. Any other letter, a
 * missing tag, a tag without its closing "@" or a text that is not an
 * integer gives notfound. Nothing is recorded.
 *   s        (in)  the name; its first ls characters are used
 *   ls       (in)  number of characters used
 *   xind     (in)  tag letter, one character
 *   notfound (in, optional) result when there is no id; default -1
 *   result   (ret) the id, or notfound */
int32_t getxidfromstring(const char* s, const int32_t* ls, const char* xind, const int32_t* notfound,
                         size_t s_len, size_t xind_len);

/* getelementdataextents: counts one solver element type name (first 8
 * characters, letter case as written) into the element extents. Shell types
 * (first letter S) take the node count from position 2, else 5, else 3 (S4R 4,
 * S8R5 8, STRI65 6); continuum types (first letter C, but not CIN...) from the
 * integer in positions 4 to the last character, else to the one before it (C3D8
 * 8, C3D20R 20). Both add 1 to iele, raise inodes to the node count (left when
 * the name holds none) and idof to 5 when the name ends in "5", else 6. Any
 * other name changes nothing. Nothing is recorded.
 *   iele     (in/out) number of element definitions of supported types
 *   inodes   (in/out) largest node count of an element
 *   idof     (in/out) largest number of degrees of freedom per node
 *   elemtype (in)     element type name, 8 characters */
void getelementdataextents(int32_t* iele, int32_t* inodes, int32_t* idof, const char* elemtype,
                           size_t elemtype_len);

/* ---- Card readers ------------------------------------------------------------------ */

/* getsectiondatafromfile: reads "SectionCard.vxd" of the job output
 * directory workspace (else the file filepath; neither: nothing changes)
 * into the section data. The k-th "++Begin Section" block fills column k:
 * its id (the integer after the first six characters of the option part,
 * e.g. "SecID=3") into secidlist, "+Material" ids into matidlist (one id
 * per ply, or a single id for all plies), "+Orientation" ply angles in
 * degrees into plyorientation (their count is the section's ply count),
 * "+Thickness" into plythickness (one per ply, or a single value for all
 * plies; another count is reported), "+Extension" two integers
 * into seflags, "+Strength" (the first value of the next data line) into
 * xcstrength; the lines of "+Strength, TYPE=INSITU" are passed over unread,
 * whatever they hold; "++End Section" closes the block.
 * nsec and nplies are only raised, to the number of begin lines and the
 * longest "+Orientation": set both to 1 before reading a new model. The
 * section arrays are made anew unless they exist as one consistent set,
 * which is written into; a card needing more sections or plies than that
 * set holds records status -2 and is read as far as it fits. The ply
 * z-coordinates of every section are computed at the end. Every item is
 * read through its declaration (the item tables of docs/cards.md), and
 * what it does not allow records status -2 with a message naming the card,
 * the block, the line and the item ("Error in SectionCard, section 7, line
 * 6: +Thickness missing"); reading goes on with the values stored as
 * without the report: an unknown item or option setting ("+Orientation,
 * UNIT=RAD"), an item outside a block or given twice, "+Orientation" or
 * "+Thickness" missing or without values, "+Material" without values or
 * missing (except in a model of one section with one ply), "+Material" or
 * "+Thickness" counts that are neither 1 nor the ply count (checked at the
 * block's end line, after the block's unknown items, unread lines and
 * values that are not numbers; reported at the "+Orientation" line that sets
 * the ply count: "+Orientation: 3 plies, +Material has 4"), a thickness or
 * strength of 0 or below, "+Extension" without exactly 2 values, a
 * "+Strength" line without a readable value or with more than one, an
 * empty item (",45", read as 0), a keyword after a blank, a block left
 * open, data lines that no item reads, a value that is not a number (not
 * an integer, where "+Material" and "+Extension" take integers; "integer
 * out of range" beyond 32 bits, "value out of range" beyond the range of a
 * double), a begin line whose id is unreadable, is 2147483647 or is not
 * written as five characters, "=" and an integer ("SecID=7"; the five are
 * not compared with the key, so "MatID=7" opens section 7), a section id
 * used twice, and values that cannot be placed. Lines outside the
 * blocks of the solver input deck are not checked. The error record keeps
 * the first error only.
 *   filepath  (in)  the solver input deck that may hold the same blocks;
 *                   trailing blanks ignored
 *   workspace (in)  job output directory that holds the card file; trailing
 *                   blanks ignored */
void getsectiondatafromfile(const char* filepath, const char* workspace, size_t filepath_len,
                            size_t workspace_len);

/* getstepdatafromfile: reads "StepCard.vxd" of the job output directory
 * workspace (else the file filepath; neither: nothing changes, not even the
 * defaults) into the debug settings and the fatigue cycle tables. Opening
 * the card sets the defaults nupdate 1, edebug, ndebug, fdebug, verbose 0
 * and unitid -3. Inside a "++Begin Step" block, "+Debug, TYPE=ELEMENT",
 * "TYPE=NODAL" or "TYPE=FILE" give edebug, ndebug or fdebug (first value),
 * "+Verbose" gives verbose and unitid (-3 when only one value is given),
 * "+Update, TYPE=INC" gives nupdate; these take effect at the block's
 * "++End Step", so a block never closed changes nothing. "+Update" and
 * "+Cycle" without option count anywhere; an "+Update" outside the blocks
 * takes effect at the next "++End Step", and one that no end line follows
 * is never applied and records status -1 ("Warning in StepCard, line 7:
 * +Update: not applied, no ++End Step after it"), nupdate keeping the value
 * last applied. "+Cycle" (no option, an option
 * containing "TYPE=GENERAL", or "TYPE=DIRECT") makes cycleprops an m x
 * nsteps table of its values, m = count div nsteps, column by column (the
 * rest dropped); "TYPE=DIRECT" first makes cycles a 1 x nsteps table of
 * ones when it does not exist; "TYPE=INDIVIDUAL" reads the cycle counts of
 * the steps marked by cycleprops(3, j) >= 3 into cycles (rows: the largest
 * cycleprops(6, j)); the counts run on from the first marked step through
 * the following columns, ncyc for every step from the first marked step to
 * the last. Options are whole-text matches ignoring case. Every item is
 * read through its declaration (the item tables of docs/cards.md), and what
 * it does not allow records status -2 with a message naming the card, the
 * block and the line ("Error in StepCard, step, line 4: +Update: empty
 * value"); reading goes on with the values stored as without the report:
 * an unknown item or option setting, an item outside a block where it needs
 * one or given twice in a block, a count the item does not take ("+Debug"
 * and "+Update" one value, "+Verbose" one or two, cycle settings a multiple
 * of nsteps, individual counts ncyc per step from the first marked step to
 * the last), an empty item (read as 0), a debug selector below 0 or an
 * update interval below 1, cycle items that cannot be used (nsteps below
 * 1, fewer values than steps, individual cycles before any cycle settings,
 * after settings of fewer than six a step or too many for the table, a
 * marked step whose cycleprops(6, j) is not a whole number 1 or above), an
 * option on "++Begin Step", and the typing mistakes (a keyword after a
 * blank, a block left open, data lines that no item reads). The first
 * "+Debug" value is the one stored; the error record keeps the first error
 * only.
 *   filepath  (in)  the solver input deck that may hold the same blocks;
 *                   trailing blanks ignored
 *   workspace (in)  job output directory that holds the card file; trailing
 *                   blanks ignored
 *   nsteps    (in)  number of solver steps (columns of the cycle tables) */
void getstepdatafromfile(const char* filepath, const char* workspace, const int32_t* nsteps,
                         size_t filepath_len, size_t workspace_len);

/* getmaterialdatafromfile: reads "MaterialCard.vxd" of the job output
 * directory workspace (else the file filepath; neither: nothing changes)
 * into the material data. Each "++Begin Material" block (id after the first
 * six characters of the option part) is copied at its "++End Material" to
 * every ply and section whose matidlist entry equals its id: "+Elastic" (2,
 * 5 or 9 values, expanded by GetNyeProperties into peprops), "+Strength" (up
 * to 10 into psprops), "+Hygrothermal", "+Fracture" (up to 5 into phprops,
 * pfprops), "+Failure" selectors (no option or TYPE=INITIATION: pfflags;
 * TYPE=EVOLUTION: peflags; up to 5), "+Failure, TYPE=DEGRADATION" (6 or 12
 * into pelimits, 6 given twice), "+Failure, TYPE=PROPERTIES" (up to 8 into
 * pdprops: the longest parameter list the matrix driver reads), the eight
 * curing items (all eight or none) into cuprops, and
 * "+ModelID". "+Temperature" lists of all blocks merge into the ascending
 * list temperatures; with a "+Table, TYPE=TEMPERATURE" of (elastic +
 * strength count) x nt factors, peprops and psprops hold one block per
 * temperature. "+Regularization, TYPE=VISCOUS", "+I10" and the
 * "+Calibration" curves (one "T=" per curve, temperature rows filled in
 * turn) fill the global resin tables, the last material replacing them.
 * Arrays whose extents do not fit the card are made anew; nothing is read
 * before a section card has made matidlist. The value rows of peprops,
 * psprops, phprops, pfprops and pdprops are sized by each item's longest
 * list up to the most its declaration takes (a longer list, reported and
 * never stored, sizes nothing). Every item is read through its
 * declaration (the item tables of docs/cards.md), and what it does not
 * allow records status -2 with a message naming the card, the material,
 * the line and the item ("Error in MaterialCard, material 3, line 12:
 * +Elastic: 8 values, not 2, 5 or 9"); reading goes on with the values
 * stored as without the report: an unknown item or option setting, an item
 * given twice in a block (calibration curves: more than one per merged
 * temperature and type), counts the format does not allow, surplus values,
 * curves not in whole pairs or triples or a line that ends one point and
 * starts the next (a point may run on over lines), an
 * empty item (read as 0), temperatures not strictly ascending, elastic
 * constants that do not give a positive definite stiffness, strengths or
 * factors of 0 or below, failure selectors outside the table of their mode
 * (general 0 to 8, fibre 0 to 13, matrix 0 to 15, delamination 0 to 7,
 * core 0 to 2), negative evolution selectors, an incomplete curing set, a
 * temperature table of the wrong size, without "+Temperature" in its block,
 * with a line that ends one row and starts the next (a row may run on over
 * lines), or with factors that make the stiffness
 * of a temperature not positive definite, a curve without exactly one
 * "T=", a curve type given for fewer temperatures than the model has, a
 * secant modulus of 0 or below, degradation limits outside 0 to 1 (-1
 * asks the damage routine for its own set), a matrix parameter list of a
 * count its criterion does not read, with a value of a kind it does not
 * allow (a shear strength of SPC3D of 0 or below), or whose plane search
 * step the search would not take (0 or below, finer than a millionth of
 * the searched range, or in golden mode wider than that range), a begin
 * line whose id is unreadable, is 2147483647 or is not written as "MatID=1"
 * (five characters, "=" and an integer), a material id used twice (the
 * later block replaces the items it gives), and the typing mistakes (a
 * keyword after a blank, a block left open, data lines that no item
 * reads, an integer beyond 32 bits, a real beyond the range of a double). Mismatches between items (curves for
 * the temperatures of the card) wait for the block's end line, after the
 * mistakes of its lines. A ply whose material id has no block records
 * "Warning: no material block for material id ..." (status -2). Plies and
 * sections of the section data beyond nplies and nsec have no place in the
 * per-ply arrays: a material that has plies there is reported at its end
 * line ("ply 5 beyond nplies = 4", "section 3 beyond nsec = 2") and its
 * plies within the counts receive their data. The error record keeps the
 * first error only.
 *   filepath  (in)  the solver input deck that may hold the same blocks;
 *                   trailing blanks ignored
 *   workspace (in)  job output directory that holds the card file; trailing
 *                   blanks ignored
 *   nplies    (in)  plies per section of the section data
 *   nsec      (in)  number of sections of the section data */
void getmaterialdatafromfile(const char* filepath, const char* workspace, const int32_t* nplies,
                             const int32_t* nsec, size_t filepath_len, size_t workspace_len);

/* ---- Integration-point report -------------------------------------------------------- */

/* getgausspointreport: appends one line to the integration-point report:
 * element and point number right-aligned in 8 characters each, then the
 * three coordinates with 8 decimals right-aligned in 25 characters each. A
 * file that this call creates first gets the header line NOEL, NPT, x, y, z
 * in the same fields. The file is closed again at once. When it can be
 * neither opened nor created (no free unit, no such directory) nothing is
 * written and nothing is recorded.
 *   filepath (in)  file name; trailing blanks ignored
 *   coord    (in)  3 coordinates of the integration point
 *   noel     (in)  element number
 *   npt      (in)  integration point number */
void getgausspointreport(const char* filepath, const double* coord, const int32_t* noel,
                         const int32_t* npt, size_t filepath_len);

#ifdef __cplusplus
}
#endif
#endif
