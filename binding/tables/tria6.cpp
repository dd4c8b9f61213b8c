// Python table of the six-node triangle shape functions (component tria6).
#include "table.h"
#include "vexlan/tria6.h"

VX_ROUTINE(tria6, Tria6SF, "tria6sf = tria6sf(xi,eta,inode)",
           "tria6sf: f8 ret", "xi: f8", "eta: f8", "inode: i4");
VX_ROUTINE(tria6, Tria6FirstDerivSF, "tria6firstderivsf = tria6firstderivsf(xi,eta,inode,idvar)",
           "tria6firstderivsf: f8 ret", "xi: f8", "eta: f8", "inode: i4", "idvar: i4");
VX_ROUTINE(tria6, Tria6SecondDerivSF, "tria6secondderivsf = tria6secondderivsf(xi,eta,inode,idvar,iidvar)",
           "tria6secondderivsf: f8 ret", "xi: f8", "eta: f8", "inode: i4", "idvar: i4", "iidvar: i4");
