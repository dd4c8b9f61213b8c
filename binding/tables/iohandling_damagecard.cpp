// Python table of the damage card reader (component iohandling).
#include "table.h"
#include "vexlan/iohandling_damagecard.h"

VX_ROUTINE(iohandling, getdamagedatafromfile, "getdamagedatafromfile(filepath,workspace,nplies,nsec)",
           "filepath: str(*)", "workspace: str(*)", "nplies: i4", "nsec: i4");
