// Python table of the reader of the solver's printed model data (component iohandling).
#include "table.h"
#include "vexlan/iohandling_printed.h"

VX_ROUTINE(iohandling, getabqdatafromfile, "getabqdatafromfile(filepath)",
           "filepath: str(*)");
