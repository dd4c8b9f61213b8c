// Python table of the component iohandling: file units, scanning and
// data-block primitives, the section, step and material card readers and the
// integration-point report.
#include "table.h"
#include "vexlan/iohandling.h"

// ---- units and scans

VX_ROUTINE(iohandling, iohandling_open, "iohandling_open = iohandling_open(unit,filename,[mode])",
           "iohandling_open: i4 ret",
           "unit: i4",
           "filename: str(*)",
           "mode: i4 = 0");

VX_ROUTINE(iohandling, iohandling_close, "iohandling_close(unit)",
           "unit: i4");

VX_ROUTINE(iohandling, GetFreeUnitNumber, "getfreeunitnumber = getfreeunitnumber(first,last)",
           "getfreeunitnumber: i4 ret",
           "first: i4",
           "last: i4");

VX_ROUTINE(iohandling, getunitnumber, "getunitnumber = getunitnumber(filename)",
           "getunitnumber: i4 ret",
           "filename: str(*)");

VX_ROUTINE(iohandling, GetFileLength, "getfilelength = getfilelength(fileid,[rwd])",
           "getfilelength: i4 ret",
           "fileid: i4",
           "rwd: l1 = 1");

VX_ROUTINE(iohandling, getnumberofkeywords, "getnumberofkeywords = getnumberofkeywords(fileid,keyword,lkey,[rwd])",
           "getnumberofkeywords: i4 ret",
           "fileid: i4",
           "keyword: str(*)",
           "lkey: i4",
           "rwd: l1 = 1");

VX_ROUTINE(iohandling, get2nextkey, "get2nextkey = get2nextkey(fileid,dirflag,keyword,lkey,ulimit,[returnkey])",
           "get2nextkey: l1 ret",
           "fileid: i4",
           "dirflag: i4",
           "keyword: str(*)",
           "lkey: i4",
           "ulimit: i4",
           "returnkey: i4 = 0");

VX_ROUTINE(iohandling, RewindFile, "rewindfile(fileid,nrwd)",
           "fileid: i4",
           "nrwd: i4");

// ---- data blocks

VX_ROUTINE(iohandling, getsizeofdata, "getsizeofdata = getsizeofdata(fileid,skeys,ls)",
           "getsizeofdata: i4 ret",
           "fileid: i4",
           "skeys: str(*)",
           "ls: i4");

VX_ROUTINE(iohandling, real_getdatapoints, "outdata = real_getdatapoints(fileid,outdata,[n,overwrite_outdata])",
           "fileid: i4",
           "outdata: f8(n) io",
           "n: i4 = len(outdata) check(n>=0)");

VX_ROUTINE(iohandling, int_getdatapoints, "outdata = int_getdatapoints(fileid,outdata,[n,overwrite_outdata])",
           "fileid: i4",
           "outdata: i4(n) io",
           "n: i4 = len(outdata) check(n>=0)");

VX_ROUTINE(iohandling, getxydatapoints, "xydata = getxydatapoints(fileid,ndata,nrows)",
           "fileid: i4",
           "xydata: f8(ndata,nrows) out",
           "ndata: i4",
           "nrows: i4");

VX_ROUTINE(iohandling, getddsfromfile, "xdds = getddsfromfile(fileid,nplies)",
           "fileid: i4",
           "xdds: f8(3,nplies) out",
           "nplies: i4");

// ---- names

VX_ROUTINE(iohandling, getxidfromstring, "getxidfromstring = getxidfromstring(s,ls,xind,[notfound])",
           "getxidfromstring: i4 ret",
           "s: str(*)",
           "ls: i4",
           "xind: str(1)",
           "notfound: i4 = -1");

VX_ROUTINE(iohandling, getelementdataextents, "iele,inodes,idof = getelementdataextents(elemtype,[iele,inodes,idof])",
           "iele: i4 io = 0",
           "inodes: i4 io = 0",
           "idof: i4 io = 0",
           "elemtype: str(8)");

// ---- card readers and report

VX_ROUTINE(iohandling, getstepdatafromfile, "getstepdatafromfile(filepath,workspace,nsteps)",
           "filepath: str(*)",
           "workspace: str(*)",
           "nsteps: i4");

VX_ROUTINE(iohandling, getgausspointreport, "getgausspointreport(filepath,coord,noel,npt)",
           "filepath: str(*)",
           "coord: f8(3)",
           "noel: i4",
           "npt: i4");

VX_ROUTINE(iohandling, getsectiondatafromfile, "getsectiondatafromfile(filepath,workspace)",
           "filepath: str(*)",
           "workspace: str(*)");

VX_ROUTINE(iohandling, getmaterialdatafromfile, "getmaterialdatafromfile(filepath,workspace,nplies,nsec)",
           "filepath: str(*)",
           "workspace: str(*)",
           "nplies: i4",
           "nsec: i4");
