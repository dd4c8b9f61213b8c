// Python table of the three-node line shape functions (component truss3).
#include "table.h"
#include "vexlan/truss3.h"

VX_ROUTINE(truss3, Truss3SF, "truss3sf = truss3sf(xi,inode)",
           "truss3sf: f8 ret", "xi: f8", "inode: i4");
VX_ROUTINE(truss3, Truss3FirstDerivSF, "truss3firstderivsf = truss3firstderivsf(xi,inode)",
           "truss3firstderivsf: f8 ret", "xi: f8", "inode: i4");
