// Python table of the component isscollection.
#include "table.h"
#include "vexlan/isscollection.h"

VX_ROUTINE(isscollection, InSituLaRC04, "ys = insitularc04(elastic,gxc,xt22,x12,t,[tlim])",
           "ys: f8(2) out", "elastic: f8(4)", "gxc: f8(2)", "xt22: f8", "x12: f8", "t: f8",
           "tlim: f8 absent \"0.0007\"");

VX_ROUTINE(isscollection, InSituPuckPS, "xc = insitupuckps(xc11,xc22,x12,theta,[gp])",
           "xc: f8 out", "xc11: f8", "xc22: f8", "x12: f8", "theta: f8", VX_PUCK_PARAMETERS);

VX_ROUTINE(isscollection, InSituChangLessard,
           "ys = insituchanglessard(xt22,ilss,tratio,dtmin_d,[atod])",
           "ys: f8(2) out", "xt22: f8", "ilss: f8", "tratio: f8", "dtmin_d: f8",
           "atod: f8(4) absent \"(1.3, 0.7, 0.0, 1.0)\"");
