// Python table of the component interaction: impact contact laws.
#include "table.h"
#include "vexlan/interaction.h"

// The tabulated law needs a table of at least two points (ns = (numargs - 7) / 2).
VX_ROUTINE(interaction, ContactLaw, "fx,dfx = contactlaw(xold,args,clflag,[numargs])",
           "fx: f8 out",
           "dfx: f8 out",
           "xold: f8",
           "args: f8(numargs)",
           "numargs: i4 = len(args) check(len(args)==numargs) "
           "check(numargs>=7 || clflag<0 || clflag>2) check(clflag!=1 || numargs>=11)",
           "clflag: i4");

// Each law reads a different number of inputs: no law may read past args.
VX_ROUTINE(interaction, ContactStiffness, "k,eeff = contactstiffness(args,csflag,[numargs])",
           "k: f8 out",
           "eeff: f8 out",
           "args: f8(numargs)",
           "numargs: i4 = len(args) check(len(args)==numargs) "
           "check(numargs>=(csflag==0 ? 8 : csflag==1 ? 7 : csflag==2 || csflag==3 ? 12 : csflag==6 ? 13 : 0))",
           "csflag: i4");

VX_ROUTINE(interaction, ContactDepth, "indentation = contactdepth(args,cdflag,[numargs])",
           "indentation: f8 out",
           "args: f8(numargs)",
           "numargs: i4 = len(args) check(len(args)==numargs) "
           "check(numargs>=(cdflag==0 || cdflag==1 ? 3 : cdflag==2 ? 4 : 0))",
           "cdflag: i4");

VX_ROUTINE(interaction, ContactRadius, "radius = contactradius(args,cdflag,[numargs])",
           "radius: f8 out",
           "args: f8(numargs)",
           "numargs: i4 = len(args) check(len(args)==numargs) "
           "check(numargs>=(cdflag>=0 && cdflag<=4 ? 3 : cdflag==5 || cdflag==6 ? 4 : 0))",
           "cdflag: i4");

VX_ROUTINE(interaction, ContactArea, "dprops = contactarea(dprops,coord,noel,[nimp,elemlength,overwrite_dprops])",
           VX_IMPACT_LOAD " io",
           "coord: f8(3)",
           "noel: i4",
           "nimp: i4 = shape(dprops,1) check(shape(dprops,1)==nimp)",
           "elemlength: f8(3) = -1");

VX_ROUTINE(interaction, GetHugonoitElasticLimit, "gethugonoitelasticlimit = gethugonoitelasticlimit(yc,nu)",
           "gethugonoitelasticlimit: f8 ret",
           "yc: f8",
           "nu: f8");
