// Python table of the tabulated-data routines of the component math.
#include "table.h"
#include "vexlan/math_tables.h"

VX_ROUTINE(math, polynomialfitting, "polynomialfitting = polynomialfitting(vx,vy,d)",
           "polynomialfitting: f8(d+1) out",
           "vx: f8(m)",
           "m: i4 = len(vx)",
           "vy: f8(my)",
           "my: i4 = len(vy) check(len(vy)==len(vx))",
           "d: i4 check(d>=0)");

VX_ROUTINE(math, nearestinterpolation, "nearestinterpolation = nearestinterpolation(x,y,p)",
           "nearestinterpolation: f8(k) out",
           "x: f8(n)",
           "n: i4 = len(x) check(len(x)>=1)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))",
           "p: f8(k)",
           "k: i4 = len(p)");

VX_ROUTINE(math, linearinterpolation, "linearinterpolation = linearinterpolation(x,y,p)",
           "linearinterpolation: f8(k) out",
           "x: f8(n)",
           "n: i4 = len(x) check(len(x)>=2)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))",
           "p: f8(k)",
           "k: i4 = len(p)");

VX_ROUTINE(math, trapezoidintegration, "r = trapezoidintegration(x,y)",
           "r: f8 ret",
           "x: f8(n)",
           "n: i4 = len(x)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))");

VX_ROUTINE(math, Gradient, "jac = gradient(dy,dx,[a,b])",
           "jac: f8(a,b) out",
           "dy: f8(a,b)",
           "dx: f8(b)",
           "a: i4",
           "b: i4");

VX_ROUTINE(math, ComplexStepDerivative, "derivative = complexstepderivative(y,x,[n])",
           "derivative: f8(n) out",
           "y: c16(n)",
           "x: c16(n)",
           "n: i4");

VX_ROUTINE(math, CentralStepDerivative, "derivative = centralstepderivative(y,x,[n])",
           "derivative: f8(n) out",
           "y: f8(n)",
           "x: f8(n)",
           "n: i4");

VX_ROUTINE(math, ShoelaceMethod, "shoelacemethod = shoelacemethod(x,y,[n])",
           "shoelacemethod: f8 ret",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4");

VX_ROUTINE(math, PascalTriangle, "pascaltriangle = pascaltriangle(n,k)",
           "pascaltriangle: f8 ret",
           "n: i4",
           "k: i4");

VX_ROUTINE(math, cubichermitianinterpolation,
           "cubichermitianinterpolation = cubichermitianinterpolation(x,y,p)",
           "cubichermitianinterpolation: f8(k) out",
           "x: f8(n)",
           "n: i4 = len(x)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))",
           "p: f8(k)",
           "k: i4 = len(p)");

VX_ROUTINE(math, cubichermitianintegration, "r = cubichermitianintegration(x,y,a,b)",
           "r: f8 ret",
           "x: f8(n)",
           "n: i4 = len(x)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))",
           "a: f8",
           "b: f8");

VX_ROUTINE(math, cubichermitianarclength, "s = cubichermitianarclength(x,y,a,b)",
           "s: f8 ret",
           "x: f8(n)",
           "n: i4 = len(x)",
           "y: f8(ny)",
           "ny: i4 = len(y) check(len(y)==len(x))",
           "a: f8",
           "b: f8");
