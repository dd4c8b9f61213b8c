// Python table of the damage card reader (component iohandling).
#include "table.h"
#include "vexlan/iohandling_damagecard.h"

VX_ROUTINE(iohandling, getdamagedatafromfile, "getdamagedatafromfile(filepath,workspace,nplies,nsec)",
           "filepath: str(256)", "workspace: str(256)", "nplies: i4", "nsec: i4");
