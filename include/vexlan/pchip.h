/* Monotone piecewise cubic Hermite library, its error-message package and
   self-checks. Every argument is passed by reference; a logical is a 4-byte
   integer (nonzero true); text arguments are followed, after all explicit
   arguments, by their lengths as size_t in argument order. Value and
   derivative arrays are column-major (INCFD, N). Status IERR: 0 normal,
   negative an error (outputs not set), positive a count. */
#ifndef VEXLAN_PCHIP_H
#define VEXLAN_PCHIP_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Double precision (64-bit reals). */
void dpchez_(const int32_t* n, const double* x, const double* f, double* d, const int32_t* spline, double* wk, const int32_t* lwk, int32_t* ierr);
void dpchim_(const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, int32_t* ierr);
void dpchsp_(const int32_t* ic, const double* vc, const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, double* wk, const int32_t* nwk, int32_t* ierr);
double dpchst_(const double* arg1, const double* arg2);
double dpchdf_(const int32_t* k, const double* x, double* s, int32_t* ierr);
void dpchic_(const int32_t* ic, const double* vc, const double* sw, const int32_t* n, const double* x, const double* f, double* d, const int32_t* incfd, double* wk, const int32_t* nwk, int32_t* ierr);
void dpchci_(const int32_t* n, const double* h, const double* slope, double* d, const int32_t* incfd);
void dpchcs_(const double* sw, const int32_t* n, const double* h, const double* slope, double* d, const int32_t* incfd, int32_t* ierr);
void dpchce_(const int32_t* ic, const double* vc, const int32_t* n, const double* x, const double* h, const double* slope, double* d, const int32_t* incfd, int32_t* ierr);
void dpchsw_(const double* dfmax, const int32_t* iextrm, double* d1, double* d2, const double* h, const double* slope, int32_t* ierr);
void dpchfe_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const double* xe, double* fe, int32_t* ierr);
void dpchfd_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const double* xe, double* fe, double* de, int32_t* ierr);
void dpchev_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* nval, const double* xval, double* fval, double* dval, int32_t* ierr);
void dchfev_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const int32_t* ne, const double* xe, double* fe, int32_t* next, int32_t* ierr);
void dchfdv_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const int32_t* ne, const double* xe, double* fe, double* de, int32_t* next, int32_t* ierr);
double dpchqa_(const int32_t* n, const double* x, const double* f, const double* d, const double* a, const double* b, int32_t* ierr);
double dpchia_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const double* a, const double* b, int32_t* ierr);
double dpchid_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, const int32_t* ia, const int32_t* ib, int32_t* ierr);
double dchfie_(const double* x1, const double* x2, const double* f1, const double* f2, const double* d1, const double* d2, const double* a, const double* b);
void dpchbs_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, const int32_t* knotyp, int32_t* nknots, double* t, double* bcoef, int32_t* ndim, int32_t* kord, int32_t* ierr);
void dpchkt_(const int32_t* n, const double* x, const int32_t* knotyp, double* t);
double dbvalu_(const double* t, const double* a, const int32_t* n, const int32_t* k, const int32_t* ideriv, const double* x, int32_t* inbv, double* work);
void dintrv_(const double* xt, const int32_t* lxt, const double* x, int32_t* ilo, int32_t* ileft, int32_t* mflag);
void dpchcm_(const int32_t* n, const double* x, const double* f, const double* d, const int32_t* incfd, int32_t* skip, int32_t* ismon, int32_t* ierr);
int32_t dchfcm_(const double* d1, const double* d2, const double* delta);
double d1mach_(const int32_t* i);

/* Single precision: the same routines on 32-bit reals, computed in 32 bits. */
void pchez_(const int32_t* n, const float* x, const float* f, float* d, const int32_t* spline, float* wk, const int32_t* lwk, int32_t* ierr);
void pchim_(const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, int32_t* ierr);
void pchsp_(const int32_t* ic, const float* vc, const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, float* wk, const int32_t* nwk, int32_t* ierr);
float pchst_(const float* arg1, const float* arg2);
float pchdf_(const int32_t* k, const float* x, float* s, int32_t* ierr);
void pchic_(const int32_t* ic, const float* vc, const float* sw, const int32_t* n, const float* x, const float* f, float* d, const int32_t* incfd, float* wk, const int32_t* nwk, int32_t* ierr);
void pchci_(const int32_t* n, const float* h, const float* slope, float* d, const int32_t* incfd);
void pchcs_(const float* sw, const int32_t* n, const float* h, const float* slope, float* d, const int32_t* incfd, int32_t* ierr);
void pchce_(const int32_t* ic, const float* vc, const int32_t* n, const float* x, const float* h, const float* slope, float* d, const int32_t* incfd, int32_t* ierr);
void pchsw_(const float* dfmax, const int32_t* iextrm, float* d1, float* d2, const float* h, const float* slope, int32_t* ierr);
void pchfe_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const float* xe, float* fe, int32_t* ierr);
void pchfd_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ne, const float* xe, float* fe, float* de, int32_t* ierr);
void pchev_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* nval, const float* xval, float* fval, float* dval, int32_t* ierr);
void chfev_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const int32_t* ne, const float* xe, float* fe, int32_t* next, int32_t* ierr);
void chfdv_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const int32_t* ne, const float* xe, float* fe, float* de, int32_t* next, int32_t* ierr);
float pchqa_(const int32_t* n, const float* x, const float* f, const float* d, const float* a, const float* b, int32_t* ierr);
float pchia_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const float* a, const float* b, int32_t* ierr);
float pchid_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, const int32_t* ia, const int32_t* ib, int32_t* ierr);
float chfie_(const float* x1, const float* x2, const float* f1, const float* f2, const float* d1, const float* d2, const float* a, const float* b);
void pchbs_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, const int32_t* knotyp, int32_t* nknots, float* t, float* bcoef, int32_t* ndim, int32_t* kord, int32_t* ierr);
void pchkt_(const int32_t* n, const float* x, const int32_t* knotyp, float* t);
float bvalu_(const float* t, const float* a, const int32_t* n, const int32_t* k, const int32_t* ideriv, const float* x, int32_t* inbv, float* work);
void intrv_(const float* xt, const int32_t* lxt, const float* x, int32_t* ilo, int32_t* ileft, int32_t* mflag);
void pchcm_(const int32_t* n, const float* x, const float* f, const float* d, const int32_t* incfd, int32_t* skip, int32_t* ismon, int32_t* ierr);
int32_t chfcm_(const float* d1, const float* d2, const float* delta);
float r1mach_(const int32_t* i);
/* Error-message package (process-wide control parameters and message table). */
void xermsg_(const char* librar, const char* subrou, const char* messg, const int32_t* nerr,
             const int32_t* level, size_t librar_len, size_t subrou_len, size_t messg_len);
void xerprn_(const char* prefix, const int32_t* npref, const char* messg, const int32_t* nwrap,
             size_t prefix_len, size_t messg_len);
void xersve_(const char* librar, const char* subrou, const char* messg, const int32_t* kflag,
             const int32_t* nerr, const int32_t* level, int32_t* icount, size_t librar_len,
             size_t subrou_len, size_t messg_len);
int32_t j4save_(const int32_t* iwhich, const int32_t* ivalue, const int32_t* iset);
void xgetua_(int32_t* iunita, int32_t* n);
void xsetf_(const int32_t* kontrl);
void xgetf_(int32_t* kontrl);
void xerdmp_(void);
void xerhlt_(const char* messg, size_t messg_len);
void xercnt_(const char* librar, const char* subrou, const char* messg, const int32_t* nerr,
             const int32_t* level, int32_t* kontrl, size_t librar_len, size_t subrou_len,
             size_t messg_len);
void fdump_(void);
int32_t i1mach_(const int32_t* i);

/* Self-checks: top level (IPASS 1 when all cases pass) and their parts. */
void dpchq1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void dpchq2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void dpchq3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void dpchq4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void dpchq5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk1_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk2_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk3_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk4_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void pchqk5_(const int32_t* lun, const int32_t* kprint, int32_t* ipass);
void devchk_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, double* xev,
             double* fev, double* dev, double* fev2, int32_t* fail);
void evchck_(const int32_t* lout, const int32_t* kprint, const int32_t* npts, float* xev,
             float* fev, float* dev, float* fev2, int32_t* fail);
void devpck_(const int32_t* lout, const int32_t* kprint, double* x, double* y, double* f,
             double* fx, double* fy, double* xe, double* ye, double* fe, double* de,
             double* fe2, int32_t* fail);
void evpcck_(const int32_t* lout, const int32_t* kprint, float* x, float* y, float* f,
             float* fx, float* fy, float* xe, float* ye, float* fe, float* de, float* fe2,
             int32_t* fail);
void deverk_(const int32_t* lout, const int32_t* kprint, int32_t* fail);
void everck_(const int32_t* lout, const int32_t* kprint, int32_t* fail);
int32_t comp_(const int32_t* ieract, const int32_t* ierexp, const int32_t* lout,
              const int32_t* kprint);
void dfdtru_(const double* x, double* f, double* d);
void fdtrue_(const float* x, float* f, float* d);
float pchip_rand_(const float* r);
void get_unit_(int32_t* iunit);
void pchip_timestamp_(void);

#ifdef __cplusplus
}
#endif
#endif
