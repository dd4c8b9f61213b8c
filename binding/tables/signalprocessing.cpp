// Python table of the component signalprocessing.
#include "table.h"
#include "vexlan/signalprocessing.h"

VX_ROUTINE(signalprocessing, GetPeaks, "maxtab,mintab,nmaxpeaks,nminpeaks = getpeaks(v,delta,[n,x])",
           "maxtab: f8(n,2) out",
           "mintab: f8(n,2) out",
           "nmaxpeaks: i4 out",
           "nminpeaks: i4 out",
           "v: f8(n)",
           "delta: f8",
           "n: i4",
           "x: f8(n) = 0");

VX_ROUTINE(signalprocessing, WeightedMovingAverage,
           "sma,a,denom = weightedmovingaverage(rval,a,denom,[wb,wi,overwrite_a])",
           "sma: f8 out",
           "rval: f8",
           "a: f8(wb) io",
           "denom: i4 io",
           "wb: i4",
           "wi: f8(wb) absent \"all 1.0\"");

VX_ROUTINE(signalprocessing, CumulativeMovingAverage, "cma = cumulativemovingaverage(cma,x,n)",
           "cma: f8 io",
           "x: f8",
           "n: i4");

VX_ROUTINE(signalprocessing, GeneralSigmoidal, "generalsigmoidal = generalsigmoidal(x,k)",
           "generalsigmoidal: f8 ret",
           "x: f8",
           "k: f8");

VX_ROUTINE(signalprocessing, generallogistic, "y = generallogistic(x,a,k,b,q,v,[c])",
           "y: f8 ret",
           "x: f8", "a: f8", "k: f8", "b: f8", "q: f8", "v: f8",
           "c: f8 absent \"1.0\"");

VX_ROUTINE(signalprocessing, logistic, "y = logistic(x,k,x0,[l])",
           "y: f8 ret",
           "x: f8", "k: f8", "x0: f8",
           "l: f8 absent \"1.0\"");

VX_ROUTINE(signalprocessing, GeneralizedMean, "generalizedmean = generalizedmean(x,p,[n,wi])",
           "generalizedmean: f8 ret",
           "x: f8(n)",
           "p: f8",
           "n: i4",
           "wi: f8(n) absent \"1/n each\"");

VX_ROUTINE(signalprocessing, LogarithmicBarrier, "logarithmicbarrier = logarithmicbarrier(x,b)",
           "logarithmicbarrier: f8 ret",
           "x: f8",
           "b: f8");

VX_ROUTINE(signalprocessing, fLimit, "real_limit = real_limit(x,xlow,xup)",
           "real_limit: f8 ret",
           "x: f8", "xlow: f8", "xup: f8");

VX_ROUTINE(signalprocessing, GeneralSmoothStep, "generalsmoothstep = generalsmoothstep(x,n)",
           "generalsmoothstep: f8 ret",
           "x: f8",
           "n: i4");

VX_ROUTINE(signalprocessing, iLimit, "int_limit = int_limit(x,xlow,xup)",
           "int_limit: i4 ret",
           "x: i4", "xlow: i4", "xup: i4");

VX_ROUTINE(signalprocessing, mLimit, "mod_limit = mod_limit(x,xmod)",
           "mod_limit: i4 ret",
           "x: i4",
           "xmod: i4");
