// Python table of the dense linear algebra of the component math: inverse,
// determinants, eigen- and singular values, products and arithmetic, norms,
// nearest positive-definite and correlation matrices, iterative methods.
#include "table.h"
#include "vexlan/math_linalg.h"

// ---- inverse, determinants, factorisations ---------------------------------

VX_ROUTINE(math, MatrixInverse, "ainv = matrixinverse(a,[n])",
           "a: f8(n,n)", "ainv: f8(n,n) out", "n: i4");
VX_ROUTINE(math, LUFactDeterminant, "lud = lufactdeterminant(a,[n])",
           "lud: f8 out", "a: f8(n,n)", "n: i4");
VX_ROUTINE(math, Determinant, "pd = determinant(a,[n,pdflag])",
           "pd: f8 out", "a: f8(n,n)", "n: i4", "pdflag: i4 = -1");
VX_ROUTINE(math, GetPrincipleMinor, "getprincipleminor = getprincipleminor(sm,i,[k])",
           "getprincipleminor: f8 ret", "sm: f8(k,k)", "i: i4", "k: i4");
VX_ROUTINE(math, GetFirstMinor, "getfirstminor = getfirstminor(sm,i,j,[k])",
           "getfirstminor: f8 ret", "sm: f8(k,k)", "i: i4", "j: i4", "k: i4");
VX_ROUTINE(math, GetCofactor, "getcofactor = getcofactor(mij,i,j)",
           "getcofactor: f8 ret", "mij: f8", "i: i4", "j: i4");
VX_ROUTINE(math, MatrixEigenvalues, "d = matrixeigenvalues(a,[n])",
           "a: f8(n,n)", "d: f8(n) out", "n: i4");
VX_ROUTINE(math, MatrixEigenVectors, "z,eigvals = matrixeigenvectors(a,[n,eigvals,overwrite_eigvals])",
           "a: f8(n,n)", "z: f8(n,n) out", "n: i4", "eigvals: f8(n) io = -1");
VX_ROUTINE(math, VectorModalAssuranceCriterion,
           "vectormodalassurancecriterion = vectormodalassurancecriterion(a,b,[n])",
           "vectormodalassurancecriterion: f8 ret", "a: f8(n)", "b: f8(n)",
           "n: i4");
VX_ROUTINE(math, MatrixModalAssuranceCriterion, "mac = matrixmodalassurancecriterion(xs,ys,[n])",
           "xs: f8(n,n)", "ys: f8(n,n)", "mac: f8(n,n) out",
           "n: i4");
VX_ROUTINE(math, SingularValueDecomposition, "u,s,v = singularvaluedecomposition(a,[m,n])",
           "a: f8(m,n)", "u: f8(m,m) out", "s: f8(m,n) out", "v: f8(n,n) out",
           "m: i4", "n: i4");
VX_ROUTINE(math, CholeskyFactorization, "c = choleskyfactorization(a,[n])",
           "a: f8(n,n)", "c: f8(n,n) out", "n: i4");
// With the flag "T" (either case: a text is seen upper-cased) a is the k x m
// matrix itself and b the n x k one, as the routine reads them (leading
// dimension k and n); m, n and k default to the extents of op(a) and op(b).
VX_ROUTINE(math, GeneralMatrixProduct, "d = generalmatrixproduct(alpha,a,b,beta,c,sa,sb,[m,n,k])",
           "d: f8(m,n) out", "alpha: f8",
           "a: f8(sa=='T'?k:m,sa=='T'?m:k)",
           "b: f8(sb=='T'?n:k,sb=='T'?k:n)",
           "beta: f8", "c: f8(m,n)",
           "m: i4 = sa=='T'?shape(a,1):shape(a,0)",
           "n: i4 = sb=='T'?shape(b,0):shape(b,1)",
           "k: i4 = sa=='T'?shape(a,0):shape(a,1)",
           "sa: str(1)", "sb: str(1)");

// ---- products and arithmetic -------------------------------------------------

VX_ROUTINE(math, MatrixProduct, "c = matrixproduct(a,b,[l,n,m])",
           "a: f8(l,n)", "b: f8(n,m)", "c: f8(l,m) out", "l: i4",
           "n: i4", "m: i4");
VX_ROUTINE(math, MatrixVectorProduct, "c = matrixvectorproduct(a,b,[n,m])",
           "a: f8(n,m)", "b: f8(m)", "c: f8(n) out", "n: i4", "m: i4");
VX_ROUTINE(math, VectorMatrixProduct, "c = vectormatrixproduct(a,b,[n,m])",
           "a: f8(m)", "b: f8(m,n)", "c: f8(n) out", "n: i4",
           "m: i4");
// a may hold more than the packed triangle, whose n(n + 1)/2 leading values
// alone are read; fewer are refused.
VX_ROUTINE(math, LUMatrixVectorProduct, "c = lumatrixvectorproduct(a,b,[m,n])",
           "a: f8(m)", "b: f8(n)", "c: f8(n) out",
           "m: i4 = len(a) check(len(a)==m) check(m>=n*(n+1)/2)", "n: i4");
VX_ROUTINE(math, HadamardProduct, "c = hadamardproduct(a,b,[l,n])",
           "a: f8(l,n)", "b: f8(l,n)", "c: f8(l,n) out", "l: i4",
           "n: i4");
VX_ROUTINE(math, HadamardDivision, "c = hadamarddivision(a,b,[l,n])",
           "a: f8(l,n)", "b: f8(l,n)", "c: f8(l,n) out", "l: i4",
           "n: i4");
VX_ROUTINE(math, KroneckerProduct, "ab = kroneckerproduct(a,b,[ma,na,pb,qb])",
           "a: f8(ma,na)", "b: f8(pb,qb)", "ab: f8(ma*pb,na*qb) out", "ma: i4", "na: i4",
           "pb: i4", "qb: i4");
VX_ROUTINE(math, DyadenProduct, "c = dyadenproduct(a,b,[m,n])",
           "a: f8(m)", "b: f8(n)", "c: f8(m,n) out", "m: i4", "n: i4");
VX_ROUTINE(math, GetHouseHolderTransformationMatrix, "thouse = gethouseholdertransformationmatrix(v,[n])",
           "thouse: f8(n,n) out", "v: f8(n)", "n: i4");
VX_ROUTINE(math, CrossProduct, "c = crossproduct(a,b)", "a: f8(3)", "b: f8(3)", "c: f8(3) out");
VX_ROUTINE(math, VectorTripleProduct, "d = vectortripleproduct(a,b,c)",
           "a: f8(3)", "b: f8(3)", "c: f8(3)", "d: f8(3) out");
VX_ROUTINE(math, DotProduct, "c = dotproduct(a,b,[l])",
           "a: f8(l)", "b: f8(l)", "c: f8 out", "l: i4");
VX_ROUTINE(math, ScalarTripleProduct, "d = scalartripleproduct(a,b,c)",
           "a: f8(3)", "b: f8(3)", "c: f8(3)", "d: f8 out");
VX_ROUTINE(math, MatrixSum, "a = matrixsum(a,b,[n,m,overwrite_a])",
           "a: f8(n,m) io", "b: f8(n,m)", "n: i4",
           "m: i4");
VX_ROUTINE(math, MatrixSub, "a = matrixsub(a,b,[n,m,overwrite_a])",
           "a: f8(n,m) io", "b: f8(n,m)", "n: i4",
           "m: i4");
VX_ROUTINE(math, MatrixScalarMultiplication, "a = matrixscalarmultiplication(a,b,c,[n,m,overwrite_a])",
           "a: f8(n,m) io", "b: f8(n,m)", "c: f8", "n: i4",
           "m: i4");
VX_ROUTINE(math, MatrixAmplify, "a = matrixamplify(a,c,[n,m,overwrite_a])",
           "a: f8(n,m) io", "c: f8", "n: i4", "m: i4");
VX_ROUTINE(math, VectorSum, "a = vectorsum(a,b,[n,overwrite_a])",
           "a: f8(n) io", "b: f8(n)", "n: i4");
VX_ROUTINE(math, VectorSub, "a = vectorsub(a,b,[n,overwrite_a])",
           "a: f8(n) io", "b: f8(n)", "n: i4");
VX_ROUTINE(math, VectorScalarMultiplication, "a = vectorscalarmultiplication(a,b,c,[n,overwrite_a])",
           "a: f8(n) io", "b: f8(n)", "c: f8", "n: i4");
VX_ROUTINE(math, VectorAmplify, "a = vectoramplify(a,c,[n,overwrite_a])",
           "a: f8(n) io", "c: f8", "n: i4");
VX_ROUTINE(math, MatrixShrinkage, "c = matrixshrinkage(a,b,alpha,[n,m])",
           "a: f8(n,m)", "b: f8(n,m)", "c: f8(n,m) out", "alpha: f8",
           "n: i4", "m: i4");
VX_ROUTINE(math, MatrixSymmetrize, "sym = matrixsymmetrize(a,[n])",
           "a: f8(n,n)", "sym: f8(n,n) out", "n: i4");
VX_ROUTINE(math, MatrixDiagonal, "diag = matrixdiagonal(a,k,[n])",
           "diag: f8(max(n-abs(k),0)) out", "a: f8(n,n)", "k: i4", "n: i4");
VX_ROUTINE(math, MatrixTranspose, "b = matrixtranspose(a,[n,m])",
           "a: f8(n,m)", "b: f8(m,n) out", "n: i4", "m: i4");
VX_ROUTINE(math, MatrixNormalize, "z = matrixnormalize(x,[n,m])",
           "x: f8(n,m)", "z: f8(n,m) out", "n: i4", "m: i4");
VX_ROUTINE(math, VectorNormalize, "z = vectornormalize(x,[n])",
           "x: f8(n)", "z: f8(n) out", "n: i4");
VX_ROUTINE(math, CumulativeSum, "csum = cumulativesum(a,[n,seed])",
           "csum: f8(n) out", "a: f8(n)", "n: i4", "seed: f8 = 0.0");
VX_ROUTINE(math, CumulativeProduct, "cprod = cumulativeproduct(a,[n,seed])",
           "cprod: f8(n) out", "a: f8(n)", "n: i4", "seed: f8 = 1.0");
VX_ROUTINE(math, Monoticity, "monoticity = monoticity(x,[n])",
           "monoticity: i4 ret", "x: f8(n)", "n: i4");
VX_ROUTINE(math, Trace, "trace = trace(x,[n])", "trace: f8 ret", "x: f8(n,n)", "n: i4");
VX_ROUTINE(math, EuclideanDistance, "euclideandistance = euclideandistance(x,y,[n])",
           "euclideandistance: f8 ret", "x: f8(n)", "y: f8(n)", "n: i4");

// ---- norms, nearest matrices, iterative methods --------------------------------

VX_ROUTINE(math, VectorNorm, "vectornorm = vectornorm(x,[n])",
           "vectornorm: f8 ret", "x: f8(n)", "n: i4");
VX_ROUTINE(math, MatrixNorm, "matrixnorm = matrixnorm(x,[n,m])",
           "matrixnorm: f8 ret", "x: f8(n,m)", "n: i4", "m: i4");
VX_ROUTINE(math, LpVectorNorm, "lpvectornorm = lpvectornorm(x,p,[n])",
           "lpvectornorm: f8 ret", "x: f8(n)", "p: f8", "n: i4");
VX_ROUTINE(math, LpMatrixNorm, "lpmatrixnorm = lpmatrixnorm(x,p,[n,m])",
           "lpmatrixnorm: f8 ret", "x: f8(n,m)", "p: f8", "n: i4", "m: i4");
VX_ROUTINE(math, SpectralNorm, "spectralnorm = spectralnorm(x,[m,n])",
           "spectralnorm: f8 ret", "x: f8(m,n)", "m: i4", "n: i4");
VX_ROUTINE(math, NuclearNorm, "nuclearnorm = nuclearnorm(x,[m,n])",
           "nuclearnorm: f8 ret", "x: f8(m,n)", "m: i4", "n: i4");
VX_ROUTINE(math, SchattenNorm, "schattennorm = schattennorm(x,p,[m,n])",
           "schattennorm: f8 ret", "x: f8(m,n)", "p: f8", "m: i4", "n: i4");
VX_ROUTINE(math, IsPositiveDefinite, "ispositivedefinite = ispositivedefinite(x,[n,tolerance])",
           "ispositivedefinite: l1 ret", "x: f8(n,n)", "n: i4",
           "tolerance: f8 absent \"n eps max|eigenvalue|, relative to the matrix's scale\"");
VX_ROUTINE(math, GetProjectedSPD, "ppd = getprojectedspd(a,[n])",
           "ppd: f8(n,n) out", "a: f8(n,n)", "n: i4");
VX_ROUTINE(math, GetNearestSPD, "pd = getnearestspd(a,[n])",
           "pd: f8(n,n) out", "a: f8(n,n)", "n: i4");
VX_ROUTINE(math, GetNearestPDNorm, "getnearestpdnorm = getnearestpdnorm(x,[n])",
           "getnearestpdnorm: f8 ret", "x: f8(n,n)", "n: i4");
VX_ROUTINE(math, GetNearestCorrelationMatrix,
           "corr = getnearestcorrelationmatrix(a,[n,weights,tol,maxiter,cflag])",
           "corr: f8(n,n) out", "a: f8(n,n)", "n: i4", "weights: f8(n) = -1.0",
           "tol: f8 = -1.0", "maxiter: i4 = 100", "cflag: i4 = 0");
VX_ROUTINE(math, PowerIteration, "eigenval,eigenvec = poweriteration(a,[n,maxiter,startvec,abstol])",
           "eigenval: f8 out", "eigenvec: f8(n) out", "a: f8(n,n)", "n: i4",
           "maxiter: i4 = 2000",
           "startvec: f8(n) absent \"1 + frac((i - 1) 0.6180339887498949), distinct entries\"",
           "abstol: f8 = 1e-10");
VX_ROUTINE(math, ConjugateGradient, "xgrad = conjucategradient(a,b,x0,[n,m])",
           "xgrad: f8(m) out", "a: f8(n,m)", "b: f8(m)", "x0: f8(m)", "n: i4",
           "m: i4");
