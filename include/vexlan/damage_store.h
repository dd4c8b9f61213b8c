/* Damage-region store (component damage): regions of damage per failure mode
 * (1 general, 2 fibre, 3 matrix, 4 delamination, 5 core), ply (for
 * delamination the interface above the ply) and damage, kept in damagedata
 * and bukdata. A region is an ellipse with half-axes a, b in the ply frame
 * around the damage's origin, turned by the damage's angle, or a polygon
 * outline. The queries take the origin from dmgplane(1..3, idmg) and the
 * angle from the last entry of dmgplane(:, idmg) before the first -huge
 * marker (the column's last entry when it holds none); without dmgplane
 * every damage sits at the global origin with angle 0. The ply frame is
 * the reference frame refcos (columns: reference x, y and normal, global
 * components) with x and y turned about the normal by the ply angle. Lengths
 * in the model's length unit, angles in degrees. */
#ifndef VEXLAN_DAMAGE_STORE_H
#define VEXLAN_DAMAGE_STORE_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* UpdateDDS: grows the regions of ply ilay, section isec and damage idmg so
 * that they cover an integration point at which a mode has failed. For each
 * mode 1 to 5 whose flag sdv(m) is 1.0 or more, the half-axes become at least
 * the absolute in-plane coordinates of gpcoords relative to refcoords in the
 * ply frame, not turned by the damage's angle (the delamination region is
 * that of the interface above the ply, none for the top ply). The store is
 * created first (all region arrays at once) when any of it is missing. A
 * region only grows, and a NaN coordinate never grows it. Status -2 in the
 * error record and nothing grown or created: for nplies or nsec below 0, or
 * plyorientation absent or smaller than nplies x nsec ("Section data
 * disagree with their counts in UpdateDDS"); for a ply or section outside
 * 1..nplies, 1..nsec ("Ply or section outside the section data in
 * UpdateDDS"); for ndmg below 0, or a region array smaller than the counts
 * (generaldds, fiberdds, matrixdds, coredds: rows a, b for nplies plies;
 * delamdds: rows a, b, angle for nplies - 1 interfaces; ndmg damages each),
 * before or after the store is created ("Damage data disagree with their
 * counts in UpdateDDS");
 * for idmg outside 1..ndmg ("Damage outside the damage store in UpdateDDS").
 * A NaN flag has no verdict and counts as failed: its region grows, with
 * status -2 "NaN failure flag in UpdateDDS".
 *   ierror    (out) status of the store's creation only, 0 when nothing was
 *                   created or creation succeeded; the refusals above go to
 *                   the error record
 *   sdv       (in)  5 failure flags of modes 1 to 5; 1.0 or more, or NaN:
 *                   failed
 *   gpcoords  (in)  3 global coordinates of the integration point
 *   refcoords (in)  3 global coordinates of the region's centre; the
 *                   queries use the origin in dmgplane, so pass that
 *   refcos    (in)  3 x 3 reference frame, columns x, y, normal
 *   ilay      (in)  ply number, 1..nplies
 *   isec      (in)  section number (position in the section card)
 *   idmg      (in)  damage number, 1..ndmg */
void UpdateDDS(int32_t* ierror, const double* sdv, const double* gpcoords, const double* refcoords,
               const double* refcos, const int32_t* ilay, const int32_t* isec, const int32_t* idmg);

/* GetDamageFromDDS: tests an integration point of ply ilay, section isec
 * against every stored region and raises its damage flags: entries 1 to 3
 * and 5 (general, fibre, matrix, core) when it lies in a region of that mode
 * of the ply, entry 4 when it lies in the delamination region of the
 * interface directly above the ply, entry 6 when it lies in the
 * delamination bounding a buckled sub-laminate that contains the ply. Flags
 * only rise. Where a delamination store and damages exist, entry 12 becomes
 * the knock-down factor of the last buckled sub-laminate found, or else
 * keeps its value, capped at 1.0 either way; the buckling lists are built on
 * the first query that finds them empty. ndmg 0 is no damage: sdv stays as
 * it is. Arrays larger than the counts serve; absent region arrays are modes
 * without damage, and without dmgplane every damage lies at the global
 * origin with angle 0.
 * The buckling lists bukintdatalist and bukrealdatalist hold records of 4
 * integers and 12 reals, the two lists alike, for ndmg damages and nsec
 * sections: one record per interface (nplies - 1), or more, such as the one
 * per ply that the damage card reader and allocatedamagedata give them. The
 * query walks every record a list holds. Building empty lists needs one
 * record per ply: the analysis writes one for each sub-laminate that buckles
 * and one for the sub-laminate that remains.
 * Data that disagree with the counts record status -2 and leave sdv as it
 * came: nplies or nsec below 0, or plyorientation absent or smaller than
 * nplies x nsec ("Section data disagree with their counts in
 * GetDamageFromDDS"); a ply or section outside 1..nplies, 1..nsec ("Ply or
 * section outside the section data in GetDamageFromDDS"); ndmg below 0, a
 * region array smaller than the counts (as for UpdateDDS), a dmgplane of
 * fewer than 3 rows (the origin) or ndmg columns, or a
 * dmgpoints smaller than nplies plies, 6 kinds and ndmg damages ("Damage
 * data disagree with their counts in GetDamageFromDDS").
 * A point is never answered undamaged on numbers that are not known: status
 * -2 is recorded and sdv left as it came for a point or frame that is not
 * finite ("Point gpcoords not finite in GetDamageFromDDS", "Frame refcos not
 * finite in GetDamageFromDDS"), and for a datum the answer reads that is not
 * a number:
 * - the ply angle of the ply, or of an interface bounding a buckled
 *   sub-laminate that holds the ply, not finite ("Ply angle in
 *   plyorientation not finite in GetDamageFromDDS");
 * - the origin or angle of a damage not finite ("Damage origin or angle in
 *   dmgplane not finite in GetDamageFromDDS");
 * - a NaN half-axis of a region tested as an ellipse ("NaN half-axis in
 *   fiberdds in GetDamageFromDDS", and so for generaldds, matrixdds,
 *   delamdds and coredds);
 * - a NaN vertex value of an outline tested ("NaN outline vertex in
 *   dmgpoints in GetDamageFromDDS");
 * - a NaN knock-down factor of a buckled sub-laminate that holds the point
 *   ("NaN knock-down factor in bukrealdatalist in GetDamageFromDDS").
 *
 * Where a delamination store, damages and an interface exist but the
 * buckling lists cannot serve, status -2 is recorded and all but the
 * buckling is answered (unless a datum above is not a number: then that is
 * recorded and sdv left as it came): flags 1 to 5 rise as usual, the
 * buckled flag stays as it came, entry 12 becomes the smaller of its value
 * and 1.0. So for:
 * - a list absent ("Buckling list bukintdatalist absent in
 *   GetDamageFromDDS", or bukrealdatalist);
 * - records other than 4 integers and 12 reals, or extents that differ
 *   between the two lists; the message gives both lists' extents, as in
 *   "Buckling lists (4,7,2,2) and (12,8,2,2) disagree in GetDamageFromDDS";
 * - lists with fewer records, damages or sections than the counts need;
 *   the message gives the extents held and needed (records x damages x
 *   sections), as in "Buckling lists of 6x2x2 records, 7x2x2 needed in
 *   GetDamageFromDDS", and for empty lists, which need a record per ply,
 *   "Buckling lists of 7x2x2 records, 8x2x2 needed to build in
 *   GetDamageFromDDS";
 * - a record of the ply that names no interface of the stack (that record
 *   is passed over; "Buckling lists disagree with their counts in
 *   GetDamageFromDDS");
 * - empty lists that cannot be built because plythickness, matidlist,
 *   xcstrength or peprops (9 rows) are absent or smaller than the counts
 *   ("Section or material data too short for the buckling lists in
 *   GetDamageFromDDS"), or because a datum the analysis reads is not a
 *   finite number: for a section it analyses (one with a material id) its
 *   xcstrength, and the 9 constants in peprops, plythickness and
 *   plyorientation of its plies; the half-axes in delamdds; the ply angles
 *   of section isec, which become the delamination angles ("Buckling lists
 *   not built from non-finite peprops in GetDamageFromDDS", and so for
 *   xcstrength, plythickness, plyorientation, delamdds). The lists stay
 *   empty.
 *
 * The first error since the last reset is the one kept.
 *   sdv      (in/out) 12 damage state values: 1 to 5 mode flags, 6 buckled
 *                     flag (set to 1.0 on a hit), 12 knock-down factor;
 *                     7 to 11 untouched
 *   gpcoords (in)     3 global coordinates of the integration point
 *   refcos   (in)     3 x 3 reference frame, columns x, y, normal
 *   ilay     (in)     ply number, 1..nplies
 *   isec     (in)     section number (position in the section card) */
void GetDamageFromDDS(double* sdv, const double* gpcoords, const double* refcos,
                      const int32_t* ilay, const int32_t* isec);

/* PointInDamage: whether a point lies in one damage region (inside or on its
 * boundary). The outline of (layid, modeid, dmgid) in dmgpoints serves when
 * it has two vertices or more (six values or more before the first largest
 * real, in triples whose last two values are a vertex; two vertices enclose
 * no point); otherwise the ellipse with half-axes a, b.
 * Both lie in the plane of dmgcos through dmgorigin, turned by dmgangle. A
 * zero half-axis contains no point. A NaN point or angle gives 0 (false),
 * and so does a NaN half-axis of the ellipse: no region can be said to hold
 * a point that is not known. Nothing is recorded.
 *   point     (in)  3 global coordinates of the point
 *   dmgcos    (in)  3 x 3 ply frame, columns x, y, normal
 *   dmgorigin (in)  3 global coordinates of the damage's origin
 *   dmgangle  (in)  angle of the damage in degrees
 *   plyangle  (in)  ply angle in degrees, not read (dmgcos holds it)
 *   a, b      (in)  half-axes of the ellipse
 *   modeid    (in)  mode of the outline, 1 to 6 (6 user)
 *   dmgid     (in)  damage of the outline
 *   layid     (in)  ply of the outline
 *   skip      (in)  1-byte flag: true gives false without a test
 *   result    (ret) 1-byte flag, true when the point lies in the region */
vx_l1 PointInDamage(const double* point, const double* dmgcos, const double* dmgorigin,
                    const double* dmgangle, const double* plyangle, const double* a,
                    const double* b, const int32_t* modeid, const int32_t* dmgid,
                    const int32_t* layid, const vx_l1* skip);

/* getextentofprojecteddamage: one growth step of a region. When mdmg is 1.0
 * or more, gpcoords is projected onto the plane of refcos through
 * refcoords, taken into that frame and turned back by theta about its
 * normal; each half-axis becomes at least the absolute value of its
 * coordinate. Otherwise (and for a NaN coordinate) nothing changes. A NaN
 * mdmg has no verdict and counts as failed: the region grows, and status -2
 * is recorded with "NaN failure flag in getextentofprojecteddamage". Nothing
 * else is recorded.
 *   halfaxis  (in/out) 2 half-axes a, b, never decreasing
 *   gpcoords  (in)     3 global coordinates of the failed point
 *   refcoords (in)     3 global coordinates of the region's centre
 *   refcos    (in)     3 x 3 frame, columns x, y, normal
 *   theta     (in)     angle of the region in degrees
 *   mdmg      (in)     failure flag of the mode; 1.0 or more, or NaN: failed */
void getextentofprojecteddamage(double* halfaxis, const double* gpcoords, const double* refcoords,
                                const double* refcos, const double* theta, const double* mdmg);

#ifdef __cplusplus
}
#endif
#endif
