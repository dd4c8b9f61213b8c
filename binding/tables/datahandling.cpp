// Python table of the allocation and release of the shared data.
#include "table.h"
#include "vexlan/datahandling.h"

VX_ROUTINE(datahandling, allocatenodaldata, "istat = allocatenodaldata(kdof,knodes,kelem)",
           "istat: i4 out", "kdof: i4", "knodes: i4", "kelem: i4");
VX_ROUTINE(datahandling, allocateelementdata, "istat = allocateelementdata(knodes,kelem)",
           "istat: i4 out", "knodes: i4", "kelem: i4");
VX_ROUTINE(datahandling, allocatedamagedata, "istat = allocatedamagedata(kplies,ksec,kdmg)",
           "istat: i4 out", "kplies: i4", "ksec: i4", "kdmg: i4");
VX_ROUTINE(datahandling, deallocall, "istat = deallocall()", "istat: i4 out");
