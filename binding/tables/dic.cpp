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
           VX_PLY_THICKNESS,
           "alpha: f8",
           "comprstrength: f8",
           "load: f8",
           "displacement: f8",
           "length: f8",
           "width: f8",
           "nplies: i4",
           "nstress: i4");

// The buckling lists may hold more records than the nplies - 1 read here
// (the lists of a job are sized for its largest stack): at least that many.
VX_ROUTINE(dic, GetDmgInfluenceFactor,
           "getdmginfluencefactor = getdmginfluencefactor(plythickness,bukrealdatalist,bukintdatalist,[nplies])",
           "getdmginfluencefactor: f8 ret",
           VX_PLY_THICKNESS,
           VX_BUCKLING_REAL("*") " check(shape(bukrealdatalist,1)>=nplies-1)",
           VX_BUCKLING_INT("*") " check(shape(bukintdatalist,1)>=nplies-1)",
           "nplies: i4 = len(plythickness) check(len(plythickness)==nplies)");

VX_ROUTINE(dic, GetCentralOpenHoleFactor,
           "getcentralopenholefactor = getcentralopenholefactor(plyelastic,plyorientation,plythickness,kt,radius,width,[nplies])",
           "getcentralopenholefactor: f8 ret",
           VX_PLY_STACK,
           "kt: f8",
           "radius: f8",
           "width: f8",
           VX_PLY_COUNT);
