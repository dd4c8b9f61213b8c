// Python table of the eight-node quadrilateral shape functions (component quad8).
#include "table.h"
#include "vexlan/quad8.h"

VX_ROUTINE(quad8, Quad8SF, "quad8sf = quad8sf(xi,eta,inode)",
           "quad8sf: f8 ret", "xi: f8", "eta: f8", "inode: i4");
VX_ROUTINE(quad8, Quad8FirstDerivSF, "quad8firstderivsf = quad8firstderivsf(xi,eta,inode,idvar)",
           "quad8firstderivsf: f8 ret", "xi: f8", "eta: f8", "inode: i4", "idvar: i4");
VX_ROUTINE(quad8, Quad8SecondDerivSF, "quad8secondderivsf = quad8secondderivsf(xi,eta,inode,idvar,iidvar)",
           "quad8secondderivsf: f8 ret", "xi: f8", "eta: f8", "inode: i4", "idvar: i4", "iidvar: i4");
