// Python table of the component elasticity: stress laws, numerical tangent,
// tension/compression picker and the plasticity update.
#include <complex>
#include <vector>
#include "table.h"
#include "vexlan/elasticity.h"

#define LAW_ROW(SYM, PYNAME, NPROPS_MIN, NTENS_CHECK)                                                  \
  VX_ROUTINE(elasticity, SYM, "stress = " PYNAME "(strain,props,ndi,[ntens,nprops])",                  \
             "stress: f8(ntens) out",                                                                   \
             "strain: f8(ntens)",                                                                       \
             "props: f8(nprops)",                                                                       \
             "ntens: i4 = len(strain) check(len(strain)>=ntens) " NTENS_CHECK,                          \
             "ndi: i4 check(ndi>=0 && ndi<=ntens)",                                                     \
             "nprops: i4 = len(props) check(len(props)>=nprops) check(nprops>=" #NPROPS_MIN ")")

// Laws on the full three-dimensional state read six strain components.
#define FULL_STATE "check(ntens==6) check(ndi==3)"

LAW_ROW(GetStressFromOrthotropicElasticity, "getstressfromorthotropicelasticity", 2,
        "check(ntens==3 || ntens==4 || ntens==6)");
LAW_ROW(GetStressFromIsotropicViscoElasticity, "getstressfromisotropicviscoelasticity", 5, FULL_STATE);
LAW_ROW(GetStressFromNonlinearIsotropic, "getstressfromnonlinearisotropic", 5, "check(ntens>=ndi)");

// The anisotropic law reads a packed triangle (nprops < ntens^2) or a full matrix.
VX_ROUTINE(elasticity, cGetStressFromAnisotropicHyperelasticity,
           "stress = cmplx_getstressfromanisotropichyperelasticity(strain,props,ndi,[ntens,nprops])",
           "stress: c16(ntens) out",
           "strain: c16(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(strain) check(len(strain)>=ntens)",
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)>=nprops) check(nprops>=ntens*(ntens+1)/2)");

VX_ROUTINE(elasticity, fGetStressFromAnisotropicHyperelasticity,
           "stress = real_getstressfromanisotropichyperelasticity(strain,props,ndi,[ntens,nprops])",
           "stress: f8(ntens) out",
           "strain: f8(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(strain) check(len(strain)>=ntens)",
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)>=nprops) check(nprops>=ntens*(ntens+1)/2)");

// ---- numerical tangent

// A Python law receives complex stress and strain vectors and writes the
// stress in place.
VX_CALLBACK(getnumericaltangent_law, vx_cstresslaw,
            "def getstressfromelasticity(stress,strain,props,ntens,ndi,[nprops]): return",
            "stress: c16(ntens) out",
            "strain: c16(ntens)",
            "props: f8(nprops)",
            "ntens: i4",
            "ndi: i4",
            "nprops: i4");

namespace {

// Central differences call the law with real vectors; a Python law is reached
// through the complex call-back, so the real vectors go through complex copies.
void python_law_on_reals(double* stress, const double* strain, const double* props, const int32_t* ntens,
                         const int32_t* ndi, const int32_t* nprops) {
  const int32_t n = *ntens > 0 ? *ntens : 0;
  std::complex<double> zs_local[16], ze_local[16];
  std::vector<std::complex<double>> heap;
  std::complex<double>*zs = zs_local, *ze = ze_local;
  if (n > 16) {
    heap.resize(2 * size_t(n));
    zs = heap.data();
    ze = zs + n;
  }
  for (int32_t i = 0; i < n; ++i) {
    zs[i] = stress[i];
    ze[i] = strain[i];
  }
  reinterpret_cast<vx_cstresslaw>(vxcb_getnumericaltangent_law.trampoline)(zs, ze, props, ntens, ndi, nprops);
  for (int32_t i = 0; i < n; ++i) stress[i] = zs[i].real();
}

void tangent_entry(double* ddsdde, vx_stresslaw law, const double* props, const double* stress1,
                   const double* stress0, const double* dstrain, const int32_t* ntens, const int32_t* ndi,
                   const int32_t* nprops, const vx_l1* istensor, const double* tgref, const double* h,
                   const int32_t* nmflag) {
  const bool complex_step = nmflag && *nmflag == 1;
  if (!complex_step && reinterpret_cast<void*>(law) == vxcb_getnumericaltangent_law.trampoline)
    law = &python_law_on_reals;
  getnumericaltangent(ddsdde, law, props, stress1, stress0, dstrain, ntens, ndi, nprops, istensor, tgref, h,
                      nmflag);
}

const char* const tangent_args[] = {
    "ddsdde: f8(ntens,ntens) out",
    "getstressfromelasticity: cb(getnumericaltangent_law)",
    "props: f8(nprops)",
    "stress1: f8(ntens)",
    "stress0: f8(ntens)",
    "dstrain: f8(ntens)",
    "ntens: i4 = len(dstrain) check(len(dstrain)>=ntens) check(len(stress1)>=ntens) check(len(stress0)>=ntens)",
    "ndi: i4",
    "nprops: i4 = len(props) check(len(props)>=nprops)",
    "istensor: l1",
    "tgref: f8(ntens,ntens)",
    "h: f8",
    "nmflag: i4",
};
// The row names the library routine; the entry adapts a Python law first.
const ::vxb::RoutineDef tangent_def = {
    "elasticity",
    "ddsdde = getnumericaltangent(getstressfromelasticity,props,stress1,stress0,dstrain,ndi,istensor,"
    "[ntens,nprops,tgref,h,nmflag,getstressfromelasticity_extra_args])",
    tangent_args,
    int(sizeof(tangent_args) / sizeof(char*)),
    reinterpret_cast<void*>(&tangent_entry),
    &::vxb::Caller<decltype(&tangent_entry)>::thunk,
    ::vxb::Caller<decltype(&tangent_entry)>::arity,
    "getnumericaltangent"};
const ::vxb::Registrar tangent_reg(&tangent_def);

}  // namespace

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
           "ntens: i4 = len(strain) check(len(strain)>=ntens) " FULL_STATE,
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)>=nprops) check(nprops>=5)",
           "ddsdde: f8(ntens,ntens) out");

VX_ROUTINE(elasticity, GetStressFromCubicElasticity,
           "stress = getstressfromcubicelasticity(endstran,props,ndi,c,noel,[ntens,nprops])",
           "stress: f8(ntens) out",
           "endstran: f8(ntens)",
           "props: f8(nprops)",
           "ntens: i4 = len(endstran) check(len(endstran)>=ntens) " FULL_STATE,
           "ndi: i4",
           "nprops: i4 = len(props) check(len(props)>=nprops) check(nprops>=2)",
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
           "dstran: f8(ntens) check(len(dstran)>=ntens)",
           "props: f8(nprops) check(len(props)>=nprops) check(nprops>=8)",
           "ntens: i4 = len(stran) check(len(stran)>=ntens) check(ntens==6)",
           "ndi: i4 check(ndi>=0 && ndi<=3)",
           "nprops: i4",
           "temp: f8");

VX_ROUTINE(elasticity, getderivatef, "getderivatef = getderivatef(stressvector,a0,a1,[nstress])",
           "getderivatef: f8(6) out",
           "stressvector: f8(nstress)",
           "nstress: i4 = len(stressvector) check(len(stressvector)>=nstress) "
           "check(nstress==3 || nstress==4 || nstress>=6)",
           "a0: f8",
           "a1: f8");

VX_ROUTINE(elasticity, getderivateg, "getderivateg = getderivateg(stressvector,alpha,[nstress])",
           "getderivateg: f8(6) out",
           "stressvector: f8(nstress)",
           "nstress: i4 = len(stressvector) check(len(stressvector)>=nstress) "
           "check(nstress==3 || nstress==4 || nstress>=6)",
           "alpha: f8");
