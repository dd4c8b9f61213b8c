/* Damage card reader (component iohandling): fills the damage-region store
 * from "DamageCard.vxd" in the workspace, else from the solver input deck.
 *   filepath, workspace (in) texts of 256 characters (lengths hidden, appended)
 *   nplies, nsec (in) the section data's counts */
#ifndef VEXLAN_IOHANDLING_DAMAGECARD_H
#define VEXLAN_IOHANDLING_DAMAGECARD_H
#include <stddef.h>
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

void getdamagedatafromfile(const char* filepath, const char* workspace, const int32_t* nplies,
                           const int32_t* nsec, size_t filepath_len, size_t workspace_len);

#ifdef __cplusplus
}
#endif
#endif
