// Python table of the root finders of the component math.
#include "table.h"
#include "vexlan/math_roots.h"

// ---- call-backs of the root finders
// A Python call-back returns its outputs (f, df or xnew) in this order.

VX_CALLBACK(bdsafe_dfunc, vx_rootfunc, "def dfunc(fa,d0,a,args,nfun,[na])",
            "f: f8 out doc \"function value at a, to be set\"",
            "df: f8 out doc \"derivative at a (not used by the bisection), to be set\"",
            "x: f8 doc \"abscissa at which the function is evaluated\"",
            "args: f8(na) inout doc \"the caller's args, handed through; what the function writes stays "
            "for the next calls\"",
            "na: i4 doc \"length of args\"",
            "nfun: i4 doc \"the caller's nfun, handed through\"");

VX_CALLBACK(nrsafe_dfunc, vx_rootfunc, "def dfunc(fl,df,x1,args,nfun,[na])",
            "f: f8 out doc \"function value at x1, to be set\"",
            "df: f8 out doc \"derivative at x1, to be set\"",
            "x: f8 doc \"abscissa at which the function is evaluated\"",
            "args: f8(na) inout doc \"the caller's args, handed through; what the function writes stays "
            "for the next calls\"",
            "na: i4 doc \"length of args\"",
            "nfun: i4 doc \"the caller's nfun, handed through\"");

VX_CALLBACK(fpsafe_dfunc, vx_fixpointfunc, "def dfunc(xnew,fargs,nfun,[na])",
            "xnew: f8 out doc \"the next iterate g(fargs(1)), to be set\"",
            "fargs: f8(na) inout doc \"copy of the caller's args whose first element is the current iterate\"",
            "na: i4 doc \"length of fargs\"",
            "nfun: i4 doc \"the caller's nfun, handed through\"");

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

