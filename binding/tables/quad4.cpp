// Python table of the four-node quadrilateral shape functions (component quad4).
#include "table.h"
#include "vexlan/quad4.h"

VX_ROUTINE(quad4, Quad4SF, "quad4sf = quad4sf(xi,eta,inode)",
           "quad4sf: f8 ret", "xi: f8", "eta: f8", "inode: i4");
VX_ROUTINE(quad4, Quad4FirstDerivSF, "quad4firstderivsf = quad4firstderivsf(xi,eta,inode,idvar)",
           "quad4firstderivsf: f8 ret", "xi: f8", "eta: f8", "inode: i4", "idvar: i4");
