// Python table of the root finders of the component math.
#include "table.h"
#include "vexlan/math_roots.h"

// ---- call-backs of the root finders
// A Python call-back returns its outputs (f, df or xnew) in this order.

VX_CALLBACK(bdsafe_dfunc, vx_rootfunc, "def dfunc(fa,d0,a,args,nfun,[na]): return",
            "f: f8 out",
            "df: f8 out",
            "x: f8",
            "args: f8(na)",
            "na: i4",
            "nfun: i4");

VX_CALLBACK(nrsafe_dfunc, vx_rootfunc, "def dfunc(fl,df,x1,args,nfun,[na]): return",
            "f: f8 out",
            "df: f8 out",
            "x: f8",
            "args: f8(na)",
            "na: i4",
            "nfun: i4");

VX_CALLBACK(fpsafe_dfunc, vx_fixpointfunc, "def dfunc(xnew,fargs,nfun,[na]): return",
            "xnew: f8 out",
            "fargs: f8(na) inout",
            "na: i4",
            "nfun: i4");

// ---- root finders

VX_ROUTINE(math, bdsafe, "root,istat = bdsafe(dfunc,x1,x2,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(bdsafe_dfunc)",
           "x1: f8",
           "x2: f8",
           "root: f8 out",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4",
           "nfun: i4",
           "istat: i4 out");

VX_ROUTINE(math, nrsafe, "root,istat = nrsafe(dfunc,x1,x2,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(nrsafe_dfunc)",
           "x1: f8",
           "x2: f8",
           "root: f8 out",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4",
           "nfun: i4",
           "istat: i4 out");

VX_ROUTINE(math, fpsafe, "xs,istat = fpsafe(dfunc,xs,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(fpsafe_dfunc)",
           "xs: f8 io",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4",
           "nfun: i4",
           "istat: i4 out");

