// Python table of the effective stiffness of ply stacks (component laminate).
#include "table.h"
#include "vexlan/laminate_effective.h"

#define VX_STACK(SYM, SIG, RES)                                                              \
  VX_ROUTINE(laminate, SYM, SIG, RES ": f8(6,6) out", "volratios: f8(nvols)",                \
             "rotatedstiffnessmatrices: f8(6,6,nvols)",                                     \
             "nvols: i4 = len(volratios) check(len(volratios)==nvols) check(nvols>=0)")
VX_STACK(GetVoigtEffectiveStiffness, "cvoigt = getvoigteffectivestiffness(volratios,rotatedstiffnessmatrices,[nvols])", "cvoigt");
VX_STACK(GetReussEffectiveStiffness, "creuss = getreusseffectivestiffness(volratios,rotatedstiffnessmatrices,[nvols])", "creuss");
VX_STACK(GetSunEffectiveStiffness, "csun = getsuneffectivestiffness(volratios,rotatedstiffnessmatrices,[nvols])", "csun");
VX_STACK(GetChouEffectiveStiffness, "chou = getchoueffectivestiffness(volratios,rotatedstiffnessmatrices,[nvols])", "chou");
VX_STACK(GetHenryEffectiveStiffness, "chenry = gethenryeffectivestiffness(volratios,rotatedstiffnessmatrices,[nvols])", "chenry");
