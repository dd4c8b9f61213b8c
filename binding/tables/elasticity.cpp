// Python table of the component elasticity: stress laws, numerical tangent,
// tension/compression picker and the plasticity update.
#include "table.h"
#include "vexlan/elasticity.h"

#define LAW_ROW(SYM, PYNAME, NPROPS_MIN, NTENS_CHECK)                                                  \
  VX_ROUTINE(elasticity, SYM, "stress = " PYNAME "(strain,props,ndi,[ntens,nprops])",                  \
             "stress: f8(ntens) out",                                                                   \
             "strain: f8(ntens)",                                                                       \
             "props: f8(nprops)",                                                                       \
             "ntens: i4 = len(strain) check(len(strain)==ntens) " NTENS_CHECK,                          \
             "ndi: i4 check(ndi>=0 && ndi<=ntens)",                                                     \
             "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=" #NPROPS_MIN ")")

// Laws on the full three-dimensional state read six strain components.
#define FULL_STATE "check(ntens==6) check(ndi==3)"

LAW_ROW(GetStressFromOrthotropicElasticity, "getstressfromorthotropicelasticity", 2,
        "check(ntens==3 || ntens==4 || ntens==6)");
LAW_ROW(GetStressFromIsotropicViscoElasticity, "getstressfromisotropicviscoelasticity", 5, FULL_STATE);
// The normal strain norm always takes the first three components.
LAW_ROW(GetStressFromNonlinearIsotropic, "getstressfromnonlinearisotropic", 5, "check(ntens>=3) check(ntens>=ndi)");

// The anisotropic law reads a packed triangle (nprops < ntens^2) or a full matrix.
VX_ROUTINE(elasticity, cGetStressFromAnisotropicHyperelasticity,
           "stress = cmplx_getstressfromanisotropichyperelasticity(strain,props,ndi,[ntens,nprops])",
           "stress: c16(ntens) out",
           "strain: c16(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(strain) check(len(strain)==ntens)",
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=ntens*(ntens+1)/2)");

VX_ROUTINE(elasticity, fGetStressFromAnisotropicHyperelasticity,
           "stress = real_getstressfromanisotropichyperelasticity(strain,props,ndi,[ntens,nprops])",
           "stress: f8(ntens) out",
           "strain: f8(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(strain) check(len(strain)==ntens)",
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=ntens*(ntens+1)/2)");

// ---- numerical tangent

// A Python law writes the stress in place (or returns it). The complex step
// hands it complex vectors, central differences real ones.
VX_CALLBACK(getnumericaltangent_claw, vx_cstresslaw,
            "def getstressfromelasticity(stress,strain,props,ntens,ndi,[nprops])",
            "stress: c16(ntens) out",
            "strain: c16(ntens)",
            "props: f8(nprops)",
            "ntens: i4",
            "ndi: i4",
            "nprops: i4");
VX_CALLBACK(getnumericaltangent_law, vx_stresslaw,
            "def getstressfromelasticity(stress,strain,props,ntens,ndi,[nprops])",
            "stress: f8(ntens) out",
            "strain: f8(ntens)",
            "props: f8(nprops)",
            "ntens: i4",
            "ndi: i4",
            "nprops: i4");

VX_ROUTINE(elasticity, getnumericaltangent,
           "ddsdde = getnumericaltangent(getstressfromelasticity,props,stress1,stress0,dstrain,ndi,istensor,"
           "[ntens,nprops,tgref,h,nmflag,getstressfromelasticity_extra_args])",
           "ddsdde: f8(ntens,ntens) out",
           "getstressfromelasticity: cb(getnumericaltangent_claw if nmflag==1 else getnumericaltangent_law)",
           "props: f8(nprops)",
           "stress1: f8(ntens)",
           "stress0: f8(ntens)",
           "dstrain: f8(ntens)",
           "ntens: i4 = len(dstrain) check(len(dstrain)==ntens) check(len(stress1)==ntens) "
           "check(len(stress0)==ntens)",
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)==nprops)",
           "istensor: l1",
           "tgref: f8(ntens,ntens) absent \"zeros, always differentiate\"",
           "h: f8 absent \"the largest entry of dstrain times 2**-26, 1e-8 where that is 0\"",
           "nmflag: i4 absent \"0, central differences\"");

// ---- isotropic sub-laws (stresstens 3 x 3, its ndi x ndi block written)

VX_ROUTINE(elasticity, GetLameStress, "stresstens = getlamestress(spureps,endstrandev,g,komp,[ndi])",
           "spureps: f8",
           "endstrandev: f8(ndi,ndi)",
           "g: f8",
           "komp: f8",
           "stresstens: f8(3,3) out",
           "ndi: i4 = shape(endstrandev,0) check(shape(endstrandev,0)==ndi) check(shape(endstrandev,1)==ndi) "
           "check(ndi<=3)");

#define REDUCED_ROW(SYM, PYNAME)                                                                          \
  VX_ROUTINE(elasticity, SYM,                                                                             \
             "stresstens = " PYNAME "(normdev,normvol,spureps,endstrandev,g,gammag,gammak,komp,[ndi])",  \
             "normdev: f8", "normvol: f8", "spureps: f8", "endstrandev: f8(ndi,ndi)", "g: f8",            \
             "gammag: f8", "gammak: f8", "komp: f8", "stresstens: f8(3,3) out",                           \
             "ndi: i4 = shape(endstrandev,0) check(shape(endstrandev,0)==ndi) "                           \
             "check(shape(endstrandev,1)==ndi) check(ndi<=3)")
REDUCED_ROW(GetKaestnerStress, "getkaestnerstress");
REDUCED_ROW(GetKrauseStress, "getkrausestress");

VX_ROUTINE(elasticity, GetStressFromNonConstPoisson,
           "stresstens = getstressfromnonconstpoisson(normdev,normvol,spureps,endstrandev,e,g,nu,num,gamma,[ndi])",
           "normdev: f8", "normvol: f8", "spureps: f8", "endstrandev: f8(ndi,ndi)", "e: f8", "g: f8", "nu: f8",
           "num: f8", "gamma: f8", "stresstens: f8(3,3) out",
           "ndi: i4 = shape(endstrandev,0) check(shape(endstrandev,0)==ndi) check(shape(endstrandev,1)==ndi) "
           "check(ndi<=3)");

VX_ROUTINE(elasticity, GetStressFromDevVolDecomposition,
           "stress,ddsdde = getstressfromdevvoldecomposition(strain,props,ndi,[ntens,nprops])",
           "stress: f8(ntens) out",
           "strain: f8(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(strain) check(len(strain)==ntens) " FULL_STATE,
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=5)",
           "ddsdde: f8(ntens,ntens) out");

VX_ROUTINE(elasticity, GetStressFromCubicElasticity,
           "stress = getstressfromcubicelasticity(endstran,props,ndi,c,noel,[ntens,nprops])",
           "stress: f8(ntens) out",
           "endstran: f8(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(endstran) check(len(endstran)==ntens) " FULL_STATE,
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=2)",
           "c: f8(*)",
           "noel: i4");

VX_ROUTINE(elasticity, GetComponentsTensionCompression,
           "reduced_set = getcomponentstensioncompression(full_set,criterion)",
           "full_set: f8(9)",
           "reduced_set: f8(6) out",
           "criterion: f8(6)");

// ---- plasticity

VX_ROUTINE(elasticity, getstressfromplastitcity,
           "stress,ddsdde = getstressfromplastitcity(neweqplasticstrain,stran,dstran,props,ndi,nprops,temp,[ntens])",
           "stress: f8(ntens) out",
           "neweqplasticstrain: f8",
           "ddsdde: f8(ntens,ntens) out",
           "stran: f8(ntens)",
           "dstran: f8(ntens) check(len(dstran)==ntens)",
           "props: f8(nprops) check(len(props)==nprops) check(nprops>=8)",
           "ntens: i4 = len(stran) check(len(stran)==ntens) check(ntens==6)",
           "ndi: i4 check(ndi>=0 && ndi<=3)",
           "nprops: i4",
           "temp: f8");

VX_ROUTINE(elasticity, getderivatef, "getderivatef = getderivatef(stressvector,a0,a1,[nstress])",
           "getderivatef: f8(6) out",
           "stressvector: f8(nstress)",
           "nstress: i4 = len(stressvector) check(len(stressvector)==nstress) "
           "check(nstress==3 || nstress==4 || nstress>=6)",
           "a0: f8",
           "a1: f8");

VX_ROUTINE(elasticity, getderivateg, "getderivateg = getderivateg(stressvector,alpha,[nstress])",
           "getderivateg: f8(6) out",
           "stressvector: f8(nstress)",
           "nstress: i4 = len(stressvector) check(len(stressvector)==nstress) "
           "check(nstress==3 || nstress==4 || nstress>=6)",
           "alpha: f8");
