// Python table of the component fracture: mixed-mode energy release rate and
// crack status.
#include "table.h"
#include "vexlan/fracture.h"

VX_ROUTINE(fracture, GetEquivalentMixedModeERR, "geq = getequivalentmixedmodeerr(traction,gc,[n])",
           "geq: f8 out",
           "traction: f8(3)",
           "gc: f8(n)",
           "n: i4 = len(gc) check(len(gc)==n) check(n>=3)");

VX_ROUTINE(fracture, GetCrackStatus, "crckstatus = getcrackstatus(svoigt,nrot,phi,baseid)",
           "crckstatus: i4 out",
           VX_VOIGT_VECTOR(svoigt),
           "nrot: f8(3)",
           "phi: f8",
           "baseid: i4");
