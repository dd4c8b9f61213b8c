// Rows that exercise grammar no routine of the library uses yet (arrays of
// texts, call-backs with array arguments, a call-back chosen per call, in/out
// scalars of every type) and rows planted wrong for the import check.
// Compiled only into development builds (VX_ENGINE_TESTS), as the component
// enginetest.
#ifdef VX_ENGINE_TESTS
#include <cctype>
#include <complex>
#include <cstdint>
#include <cstring>
#include "table.h"

namespace {

using law_r = void (*)(double* stress, const double* strain, const int32_t* n);
using law_c = void (*)(std::complex<double>* stress, const std::complex<double>* strain, const int32_t* n);

// out(i) = texts(n + 1 - i) in upper case.
void textreverse(char* out, const char* texts, const int32_t* n, size_t out_len, size_t texts_len) {
  for (int32_t i = 0; i < *n; ++i) {
    char* o = out + size_t(i) * out_len;
    const char* t = texts + size_t(*n - 1 - i) * texts_len;
    for (size_t k = 0; k < out_len; ++k)
      o[k] = k < texts_len ? static_cast<char>(std::toupper(static_cast<unsigned char>(t[k]))) : ' ';
  }
}

// Each text of t gets its first character replaced by c, in place.
void textstamp(char* t, const int32_t* n, const char* c, size_t t_len, size_t) {
  for (int32_t i = 0; i < *n; ++i) t[size_t(i) * t_len] = *c;
}

// stress = law(strain): the real law, or with mode 1 the complex law at
// strain + 0i, of which the real part is kept.
void applylaw(law_r law, double* stress, const double* strain, const int32_t* n, const int32_t* mode) {
  if (mode && *mode == 1) {
    std::complex<double> z[8], s[8];
    for (int32_t i = 0; i < *n && i < 8; ++i) z[i] = strain[i];
    reinterpret_cast<law_c>(law)(s, z, n);
    for (int32_t i = 0; i < *n && i < 8; ++i) stress[i] = s[i].real();
  } else {
    law(stress, strain, n);
  }
}

// f(a) + f(b) for a function call-back.
double sumof(double (*f)(const double*), const double* a, const double* b) { return f(a) + f(b); }
double square(const double* x) { return *x * *x; }

// A native law: stress = 2 strain.
void doublelaw(double* stress, const double* strain, const int32_t* n) {
  for (int32_t i = 0; i < *n; ++i) stress[i] = 2.0 * strain[i];
}

// Hands back every scalar as it arrived: the logical ones as 0/1, the
// absent optional value as given = 0, the in/out value doubled, the sum of
// the optional array or -1 without it.
double echo(const double* d, const float* f, const int32_t* i, const signed char* b, const int32_t* l,
            const std::complex<double>* z, const double* opt, double* io, const int32_t* k, const double* arr,
            double* rf, int32_t* ri, int32_t* rb, int32_t* rl, std::complex<double>* rz, int32_t* rk,
            int32_t* given, double* rarr) {
  *rarr = arr ? arr[0] + arr[1] : -1.0;
  *rf = *f;
  *ri = *i;
  *rb = *b != 0;
  *rl = *l != 0;
  *rz = *z;
  *rk = *k;
  *given = opt != nullptr;
  *io *= 2.0;
  return *d + (opt ? *opt : 0.0);
}

// Each in/out scalar changed so that its arrival shows: the reals doubled,
// the integer incremented (up to its largest value), the complex turned by i,
// the logicals negated.
void inoutscalars(double* d, float* f, int32_t* i, std::complex<double>* z, signed char* b, int32_t* l) {
  *d *= 2.0;
  *f *= 2.0f;
  if (*i < INT32_MAX) ++*i;
  *z *= std::complex<double>(0.0, 1.0);
  *b = !*b;
  *l = !*l;
}

// Planted: a row that declares this input an output, one that declares an
// integer a real, one that declares a real output an integer one, one whose
// optional argument says neither its default nor what stands for it, and one
// whose call-back writes what it returns by hand.
void planted(double* y, const double* x, const int32_t* n) { y[0] = x[0] + *n; }

}  // namespace

VX_ROUTINE(enginetest, textreverse, "out = textreverse(texts,[n])",
           "out: str(6)(n) out",
           "texts: str(4)(n)",
           "n: i4 = len(texts) check(len(texts)==n)");
VX_ROUTINE(enginetest, textstamp, "t = textstamp(t,c,[n])",
           "t: str(*)(n) inout",
           "n: i4 = len(t) check(len(t)==n)",
           "c: str(1)");

VX_CALLBACK(enginetest_law_r, law_r, "def law(stress,strain,n)",
            "stress: f8(n) out doc \"stress from the law\"",
            "strain: f8(n) doc \"strain given to the law\"",
            "n: i4 doc \"number of components\"");
VX_CALLBACK(enginetest_law_c, law_c, "def law(stress,strain,n)",
            "stress: c16(n) out",
            "strain: c16(n)",
            "n: i4");
VX_ROUTINE(enginetest, applylaw, "stress = applylaw(law,strain,[n,mode,law_extra_args])",
           "law: cb(enginetest_law_c if mode==1 else enginetest_law_r)",
           "stress: f8(n) out",
           "strain: f8(n)",
           "n: i4 = len(strain) check(len(strain)==n && n<=8)",
           "mode: i4 absent \"0, the real law\"");
VX_ROUTINE(enginetest, doublelaw, "stress = doublelaw(strain,[n])",
           "stress: f8(n) out",
           "strain: f8(n)",
           "n: i4 = len(strain)");

VX_CALLBACK(enginetest_fun, double (*)(const double*), "def f(x)",
            "r: f8 ret doc \"the function value\"",
            "x: f8 doc \"the abscissa\"");
VX_ROUTINE(enginetest, sumof, "s = sumof(f,a,b)",
           "s: f8 ret",
           "f: cb(enginetest_fun)",
           "a: f8",
           "b: f8");
VX_ROUTINE(enginetest, square, "y = square(x)",
           "y: f8 ret",
           "x: f8");

VX_ROUTINE(enginetest, echo, "r,rf,ri,rb,rl,rz,rk,given,io,rarr = echo(d,f,i,b,l,z,[opt,io,k,arr])",
           "r: f8 ret",
           "d: f8", "f: f4", "i: i4", "b: l1", "l: l4", "z: c16",
           "opt: f8 absent \"none, given = 0\"",
           "io: f8 io = 3",
           "k: i4 = -3 check(k<10)",
           "arr: f8(2) absent \"none, rarr = -1\"",
           "rf: f8 out", "ri: i4 out", "rb: i4 out", "rl: i4 out", "rz: c16 out", "rk: i4 out", "given: i4 out",
           "rarr: f8 out");

VX_ROUTINE(enginetest, inoutscalars, "inoutscalars(d,f,i,z,b,l)",
           "d: f8 inout", "f: f4 inout", "i: i4 inout", "z: c16 inout", "b: l1 inout", "l: l4 inout");

VX_PLANTED_ROW(enginetest, planted, "y = planted_intent(x,[n])",
               "y: f8(1) out",
               "x: f8(1) out",
               "n: i4 = 1");
VX_PLANTED_ROW(enginetest, planted, "y = planted_type(x,[n])",
               "y: f8(1) out",
               "x: f8(1)",
               "n: f8 = 1");
VX_PLANTED_ROW(enginetest, planted, "y = planted_output(x,[n])",
               "y: i4(1) out",
               "x: f8(1)",
               "n: i4 = 1");
VX_PLANTED_ROW(enginetest, planted, "y = planted_default(x,[n])",
               "y: f8(1) out",
               "x: f8(1)",
               "n: i4 check(n==1)");
VX_CALLBACK(enginetest_handwritten, double (*)(const double*), "def f(x): return r",
            "r: f8 ret",
            "x: f8");
VX_PLANTED_ROW(enginetest, planted, "y = planted_callback(f,[n])",
               "y: f8(1) out",
               "f: cb(enginetest_handwritten)",
               "n: i4 = 1");
#endif
