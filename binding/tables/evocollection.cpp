// Python table of the component evocollection: damage evolution laws.
#include "table.h"
#include "vexlan/evocollection.h"

VX_ROUTINE(evocollection, TimeRegularization, "d_reg = timeregularization(d_old,d_new,dt_inc,reg_factor,[num])",
           "d_old: f8(num)",
           "d_new: f8(num)",
           "d_reg: f8(num) out",
           "dt_inc: f8",
           "reg_factor: f8",
           "num: i4 = len(d_old) check(len(d_old)==num) check(len(d_new)==num)");

VX_ROUTINE(evocollection, EquivalentQuadStressStrain, "scaleq = equivalentquadstressstrain(tens,nn)",
           VX_VOIGT_VECTOR(tens),
           "nn: i4 check(nn>=1 && nn<=3)",
           "scaleq: f8 out");

VX_ROUTINE(evocollection, BiLinearEvolution, "d,eps1 = bilinearevolution(eps,eps0,sig_f,gc,lc,eps1)",
           "eps: f8",
           "eps0: f8",
           "sig_f: f8",
           "gc: f8",
           "lc: f8",
           "d: f8 out",
           "eps1: f8 io");

VX_ROUTINE(evocollection, DGStrainRhead, "dgstrainrhead = dgstrainrhead(eps_c,gic,a11,[r_stiff])",
           "dgstrainrhead: f8 ret",
           "eps_c: f8",
           "gic: f8",
           "a11: f8",
           "r_stiff: f8 absent \"0.0\"");
