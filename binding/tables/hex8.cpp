// Python table of the eight-node brick shape functions (component hex8).
#include "table.h"
#include "vexlan/hex8.h"

VX_ROUTINE(hex8, Hex8SF, "hex8sf = hex8sf(xi,eta,zeta,inode)",
           "hex8sf: f8 ret", "xi: f8", "eta: f8", "zeta: f8", "inode: i4");
VX_ROUTINE(hex8, Hex8FirstDerivSF, "hex8firstderivsf = hex8firstderivsf(xi,eta,zeta,inode,idvar)",
           "hex8firstderivsf: f8 ret", "xi: f8", "eta: f8", "zeta: f8", "inode: i4", "idvar: i4");
VX_ROUTINE(hex8, Hex8SecondDerivSF, "hex8secondderivsf = hex8secondderivsf(xi,eta,zeta,inode,idvar,iidvar)",
           "hex8secondderivsf: f8 ret", "xi: f8", "eta: f8", "zeta: f8", "inode: i4", "idvar: i4",
           "iidvar: i4");
