/* Damage card reader (component iohandling): fills the damage-region store
 * (damage_store.h) with the damages that exist before an analysis starts.
 * Card syntax as in iohandling.h. */
#ifndef VEXLAN_IOHANDLING_DAMAGECARD_H
#define VEXLAN_IOHANDLING_DAMAGECARD_H
#include <stddef.h>
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* getdamagedatafromfile: reads "DamageCard.vxd" of the job output directory
 * workspace (else the file filepath; neither: nothing changes) into the
 * damage-region store. ndmg becomes the number of "++Begin Damage" lines;
 * each block's damage index is the integer after the first six characters
 * of its option part (e.g. "DmgID=2"), 1..ndmg. In a block, "+Position"
 * gives the origin x, y, z and, as its last value, the damage angle in
 * degrees (dmgplane); "+Abstraction" with an option naming General, Fiber,
 * Matrix, Core, Delamination or User (the first found, in that order, case
 * as written) gives records of four values (ply or interface, half-axis a,
 * half-axis b, unused) placed by their ply number; "+Table" with a kind
 * entry "TYPE=<kind>" and a layer entry "LayID=<ply>" (either order) gives
 * an outline as triples (unused, x, y) in the damage plane (dmgpoints,
 * whose first extent is the longest outline of a kind and a ply 1..nplies:
 * one that cannot be stored sizes nothing).
 * Store arrays are created on first use and kept otherwise; the
 * delamination regions come with empty buckling lists, which the first
 * damage query builds; a single-ply model stores no delamination records
 * (they are reported). A damage block needs its "+Position". Every item
 * is read through its declaration (the item tables of docs/cards.md), and
 * what it does not
 * allow records status -2 with a message naming the card, the damage, the
 * line and the item ("Error in DamageCard, damage 1, line 5: +Abstraction:
 * ply 3 outside 1..2"). A record for a ply or interface the section does
 * not have, or with a negative half-axis, and an item naming a damage,
 * ply, kind or size the store does not hold are skipped. Reported and
 * stored as without the report: an unknown item or option setting, an item
 * given twice in a block ("+Abstraction" of another kind and "+Table" of
 * another ply or kind may repeat), a missing "+Position" or one of fewer
 * than four values, records not whole (fours, triples) or a line that ends
 * one record and starts the next (a record may run on over lines), the
 * same ply or interface twice in one "+Abstraction" (the later record
 * wins), a half-axis of 0, an outline that is no simple polygon enclosing
 * an area (fewer than three vertices, vertices on one line, edges that
 * cross or touch), a "TYPE=Delamination" outline of the top ply (there is
 * no interface above it), an empty item (read as 0), a damage id
 * used twice (the later block writes over the earlier item by item), a
 * begin line whose id is 2147483647 or is not written as "DmgID=1" (five
 * characters, "=" and an integer), and the typing mistakes (a keyword
 * after a blank, a block left open, data lines that no item reads, a real
 * beyond the range of a double). The error record keeps the first error only. Paths of any
 * length are read.
 *   filepath  (in)  the solver input deck that may hold the same blocks;
 *                   trailing blanks ignored
 *   workspace (in)  job output directory that holds the card file; trailing
 *                   blanks ignored
 *   nplies    (in)  plies per section of the section data
 *   nsec      (in)  number of sections of the section data */
void getdamagedatafromfile(const char* filepath, const char* workspace, const int32_t* nplies,
                           const int32_t* nsec, size_t filepath_len, size_t workspace_len);

#ifdef __cplusplus
}
#endif
#endif
