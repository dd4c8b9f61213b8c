// Python table of the gradual fatigue degradation (component degradation).
// Results come back in the in/out arguments: pass 0-d float64 arrays for them.
#include "table.h"
#include "vexlan/degradation_fatigue.h"

VX_ROUTINE(degradation, GradualDegradation,
           "gradualdegradation(speak_t,sbottom_t,speak_c,sbottom_c,xctratio,a,b,u,v,nm,n,cjimp,alpha_t,alpha_c,"
           "beta_t,beta_c,gamma,lambda,de,df_t,df_c,degr_fac,dmgflag,isshear,noel,cjump_nf,lim)",
           "speak_t: f8 inout",
           "sbottom_t: f8 inout",
           "speak_c: f8 inout",
           "sbottom_c: f8 inout",
           "xctratio: f8",
           "a: f8", "b: f8", "u: f8", "v: f8",
           "nm: f8 inout",
           "n: f8",
           "cjimp: f8",
           "alpha_t: f8", "alpha_c: f8", "beta_t: f8", "beta_c: f8",
           "gamma: f8", "lambda: f8",
           "de: f8 inout",
           "df_t: f8 inout",
           "df_c: f8 inout",
           "degr_fac: f8",
           "dmgflag: i4",
           "isshear: l4",
           "noel: i4",
           "cjump_nf: f8 inout",
           "lim: f8");
