// Python table of the component nlcollection.
#include "table.h"
#include "vexlan/nlcollection.h"

VX_ROUTINE(nlcollection, NLKaestner, "dnl = nlkaestner(beta,eps)",
           "dnl: f8 out", "beta: f8", "eps: f8");

VX_ROUTINE(nlcollection, NLKrause, "dnl = nlkrause(beta,eps)",
           "dnl: f8 out", "beta: f8", "eps: f8");

VX_ROUTINE(nlcollection, NLHahnTsai, "dnl = pure_nlhahntsai(tg,beta,sig,eps)",
           "dnl: f8 out", "tg: f8", "beta: f8", "sig: f8", "eps: f8");

VX_ROUTINE(nlcollection, FPHahnTsai, "dout = recu_nlhahntsai(args,[na,ns])",
           "dout: f8 out",
           "args: f8(na)",
           "na: i4 = len(args) check(len(args)==na)",
           "ns: i4 absent \"0, the plain secant reduction\"");

VX_ROUTINE(nlcollection, NLAdam, "dnl = nladam(l,x,n,nf,alpha,beta,[lg])",
           "dnl: f8 out", "l: f8", "x: f8", "n: f8", "nf: f8", "alpha: f8", "beta: f8",
           "lg: f8(2) absent \"(0.25, 0.25)\"");

VX_ROUTINE(nlcollection, NLMahieux, "nlmahieux = nlmahieux(t,props,m,[ntrans])",
           "nlmahieux: f8 ret",
           "t: f8",
           "props: f8(2*ntrans+1)",
           "m: f8(ntrans)",
           "ntrans: i4 = len(m) check(ntrans>=0) check(len(m)==ntrans)");

VX_ROUTINE(nlcollection, NLGibson, "nlgibson = nlgibson(t,props,xi,[ntrans])",
           "nlgibson: f8 ret",
           "t: f8",
           "props: f8(2*ntrans+1)",
           "xi: f8(ntrans)",
           "ntrans: i4 = len(xi) check(ntrans>=0) check(len(xi)==ntrans)");
