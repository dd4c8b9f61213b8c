// Python table of the scalar functions and statistics of the component math.
#include "table.h"
#include "vexlan/math_scalar.h"

VX_ROUTINE(math, getpercentile, "event = getpercentile(array,percentile,classsize,[ndim])",
           "array: f8(ndim)",
           "ndim: i4",
           "percentile: f8",
           "event: f8 out",
           "classsize: i4");

VX_ROUTINE(math, RootMeanSquareError, "rootmeansquareerror = rootmeansquareerror(x,y,[n])",
           "rootmeansquareerror: f8 ret",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4");

VX_ROUTINE(math, MeanAbsoluteError, "meanabsoluteerror = meanabsoluteerror(x,y,[n])",
           "meanabsoluteerror: f8 ret",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4");

VX_ROUTINE(math, dacoth, "y = dacoth(x)", "y: f8 ret", "x: f8");
VX_ROUTINE(math, datanh, "y = datanh(x)", "y: f8 ret", "x: f8");
VX_ROUTINE(math, dacosh, "y = dacosh(x)", "y: f8 ret", "x: f8");
VX_ROUTINE(math, dasinh, "y = dasinh(x)", "y: f8 ret", "x: f8");

VX_ROUTINE(math, fishertransformation, "fishertransformation = fishertransformation(x,[iflag])",
           "fishertransformation: f8 ret",
           "x: f8",
           "iflag: i4 = -1");

VX_ROUTINE(math, droundsf, "droundsf = droundsf(a,[sig])",
           "droundsf: f8 ret",
           "a: f8",
           "sig: i4 = 8");

VX_ROUTINE(math, dceil, "dceil = dceil(a)", "dceil: f8 ret", "a: f8");
