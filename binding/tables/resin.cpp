// Python table of the component resin: resin property models.
#include "table.h"
#include "vexlan/resin.h"

#define RESIN_OUT(N) #N ": f8 out"

VX_ROUTINE(resin, GetResinProperties,
           "e,nu,num,gamma,degr,xt,xc,np,a_woehler,exp_woehler = getresinproperties(props,temp,noel,[nprops])",
           "props: f8(nprops)",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=20) check(nprops<=28 || nprops>=32)",
           "temp: f8",
           RESIN_OUT(e), RESIN_OUT(nu), RESIN_OUT(num), RESIN_OUT(gamma), RESIN_OUT(degr), RESIN_OUT(xt),
           RESIN_OUT(xc), RESIN_OUT(np), RESIN_OUT(a_woehler), RESIN_OUT(exp_woehler),
           "noel: i4");

VX_ROUTINE(resin, GetResinPlasticProperties,
           "et,ec,g,nut,nuc,a0,a1,alpha,degr,xt,xc,np,a_woehler,exp_woehler = "
           "getresinplasticproperties(props,temp,eqplaststrain,[nprops])",
           "props: f8(nprops)",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=24) check(nprops<=25 || nprops>=36)",
           "temp: f8",
           "eqplaststrain: f8",
           RESIN_OUT(et), RESIN_OUT(ec), RESIN_OUT(g), RESIN_OUT(nut), RESIN_OUT(nuc), RESIN_OUT(a0),
           RESIN_OUT(a1), RESIN_OUT(alpha), RESIN_OUT(degr), RESIN_OUT(xt), RESIN_OUT(xc), RESIN_OUT(np),
           RESIN_OUT(a_woehler), RESIN_OUT(exp_woehler));

VX_ROUTINE(resin, GetResinOrthotropicProperties,
           "e1,e2,e3,nu12,nu13,nu23,nu21,nu31,nu32,g12,g13,g23,xt,xc,np,a_woehler,exp_woehler,degr = "
           "getresinorthotropicproperties(props,temp,dt,stran,endstran,noel,d,[nprops])",
           "props: f8(nprops)",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=20) check(nprops<=28 || nprops>=32)",
           "temp: f8",
           "dt: f8",
           "stran: f8(6)",
           "endstran: f8(6)",
           RESIN_OUT(e1), RESIN_OUT(e2), RESIN_OUT(e3), RESIN_OUT(nu12), RESIN_OUT(nu13), RESIN_OUT(nu23),
           RESIN_OUT(nu21), RESIN_OUT(nu31), RESIN_OUT(nu32), RESIN_OUT(g12), RESIN_OUT(g13), RESIN_OUT(g23),
           RESIN_OUT(xt), RESIN_OUT(xc), RESIN_OUT(np), RESIN_OUT(a_woehler), RESIN_OUT(exp_woehler),
           RESIN_OUT(degr),
           "noel: i4",
           "d: f8");

VX_ROUTINE(resin, GetExternalData, "rvalue = getexternaldata(datafield,ndata,x0,temp,stype)",
           "datafield: view_f8(*,*,*) check(shape(datafield,1)>=ndata)",
           "ndata: i4",
           "x0: f8",
           "temp: f8",
           "rvalue: f8 out",
           "stype: str(1)");

VX_ROUTINE(resin, GetFlowParameters, "a0,a1 = getflowparameters(eqplaststrain,temp)",
           "eqplaststrain: f8", "a0: f8 out", "a1: f8 out", "temp: f8");

VX_ROUTINE(resin, GetModulusFromTable, "e = getmodulusfromtable(eqstrain,temp)",
           "eqstrain: f8", "e: f8 out", "temp: f8");

VX_ROUTINE(resin, EquivalentStrain, "eqstrain = equivalentstrain(strain,ndi,[ntens])",
           "strain: f8(ntens)",
           "eqstrain: f8 out",
           "ndi: i4",
           "ntens: i4 = len(strain) check(len(strain)==ntens) check(ntens==3 || ntens==4 || ntens>=6)");

VX_ROUTINE(resin, EndochroneViscoPlasticity,
           "stress,statev = endochroneviscoplasticity(stran,dstrain,props,stress,statev,dtime,writesdv,matstate,"
           "[nprops,nstatev,overwrite_stress,overwrite_statev])",
           "stran: f8(6)",
           "dstrain: f8(6)",
           "props: f8(nprops)",
           "stress: f8(6) io",
           "statev: f8(nstatev) io",
           "dtime: f8",
           "nprops: i4 = len(props) check(len(props)==nprops) check(nprops>=(matstate ? 11 : 3))",
           "nstatev: i4 = len(statev) check(len(statev)==nstatev) check(nstatev>=42)",
           "writesdv: l1",
           "matstate: l1");
