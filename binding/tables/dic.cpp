// Python table of the compression failure evaluation and the strength factors
// of the component dic.
#include "table.h"
#include "vexlan/dic.h"

VX_ROUTINE(dic, GetComprFailurebyDIC,
           "fresult,fcomprstressdistribution = getcomprfailurebydic(avgcomprstress,coords,plythickness,alpha,comprstrength,load,displacement,length,width,[nplies,nstress])",
           "fresult: f8(4) out",
           "fcomprstressdistribution: f8(nstress,2) out",
           "avgcomprstress: f8(nstress)",
           "coords: f8(nstress)",
           "plythickness: f8(nplies)",
           "alpha: f8",
           "comprstrength: f8",
           "load: f8",
           "displacement: f8",
           "length: f8",
           "width: f8",
           "nplies: i4 = len(plythickness) check(len(plythickness)==nplies)",
           "nstress: i4 = len(avgcomprstress) check(len(avgcomprstress)==nstress) "
           "check(len(coords)==nstress)");

// The buckling lists may hold more records than the nplies - 1 read here.
VX_ROUTINE(dic, GetDmgInfluenceFactor,
           "getdmginfluencefactor = getdmginfluencefactor(plythickness,bukrealdatalist,bukintdatalist,[nplies])",
           "getdmginfluencefactor: f8 ret",
           "plythickness: f8(nplies)",
           "bukrealdatalist: f8(12,max(nplies-1,0)) check(shape(bukrealdatalist,0)==12) "
           "check(shape(bukrealdatalist,1)>=nplies-1)",
           "bukintdatalist: i4(4,max(nplies-1,0)) check(shape(bukintdatalist,0)==4) "
           "check(shape(bukintdatalist,1)>=nplies-1)",
           "nplies: i4 = len(plythickness) check(len(plythickness)==nplies)");

VX_ROUTINE(dic, GetCentralOpenHoleFactor,
           "getcentralopenholefactor = getcentralopenholefactor(plyelastic,plyorientation,plythickness,kt,radius,width,[nplies])",
           "getcentralopenholefactor: f8 ret",
           "plyelastic: f8(9,nplies)",
           "plyorientation: f8(nplies)",
           "plythickness: f8(nplies)",
           "kt: f8",
           "radius: f8",
           "width: f8",
           "nplies: i4 = shape(plyelastic,1) check(shape(plyelastic,1)==nplies) "
           "check(len(plyorientation)==nplies) check(len(plythickness)==nplies)");
