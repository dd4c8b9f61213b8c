// Python table of the continuum damage degradation schemes (component degradation).
#include "table.h"
#include "vexlan/degradation_cdm.h"

VX_ROUTINE(degradation, MatzenmillerDegradation, "c_deg = matzenmillerdegradation(propvec,dnorm,d23,d13,d12)",
           "propvec: f8(9)",
           VX_VOIGT_MATRIX(c_deg) " out",
           "dnorm: f8(3)",
           "d23: f8",
           "d13: f8",
           "d12: f8");

VX_ROUTINE(degradation, DegradationFromModes, "w_stat,c_deg = degradationfrommodes(accumulation,[d_modes,moduli,vnu,effort])",
           "d_modes: f8(9) = 0",
           "w_stat: f8(9) out",
           "accumulation: l1",
           VX_VOIGT_MATRIX(c_deg) " out",
           "moduli: f8(9) = 1",
           "vnu: f8(3) = 0.3",
           "effort: f8(3) = 1");

VX_ROUTINE(degradation, FalzonDegradationParameters,
           "falzondegradationparameters(stressela,strain,phirad,dsix,epsi,epsu,sigi,gmix,w_matrixmode,gc,charelemlength)",
           VX_NYE_VECTOR(stressela),
           VX_NYE_VECTOR(strain),
           "phirad: f8",
           "dsix: f8(6) inout",
           "epsi: f8 inout",
           "epsu: f8 inout",
           "sigi: f8 inout",
           "gmix: f8 inout",
           "w_matrixmode: f8 inout",
           "gc: f8(4)",
           "charelemlength: f8(3)");

VX_ROUTINE(degradation, BogenfeldDegradation,
           "d,sdv = bogenfelddegradation(sdv,svoigt,evoigt,charelemlength,props,mode,[nsdv,nprops,overwrite_sdv])",
           "d: f8 out",
           "sdv: f8(nsdv) io",
           VX_VOIGT_VECTOR(svoigt),
           VX_VOIGT_VECTOR(evoigt),
           "charelemlength: f8(3)",
           "props: f8(nprops)",
           "mode: i4",
           "nsdv: i4 = len(sdv) check(len(sdv)==nsdv) check(nsdv>=4)",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=5 || mode!=3)");

VX_ROUTINE(degradation, TensorDegradation, "cdeg = tensordegradation(csix,angle_r,d,baseid,nn)",
           VX_VOIGT_MATRIX(csix),
           VX_VOIGT_MATRIX(cdeg) " out",
           "angle_r: f8",
           "d: f8",
           "baseid: i4",
           "nn: i4");
