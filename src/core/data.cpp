// Definitions of the process-wide data listed in data.h: zero and
// unallocated at load.
#include "data.h"

namespace vx {

#define VX_DATA_INIT_i4(name)
#define VX_DATA_INIT_f8(name)
#define VX_DATA_INIT_text(name)
#define VX_DATA_INIT_iarr(name) (#name)
#define VX_DATA_INIT_rarr(name) (#name)
#define VX_DATA_DEFINE(comp, name, kind, p) \
  namespace comp {                         \
  VX_DATA_DECL_##kind(name, p) VX_DATA_INIT_##kind(name); \
  }
VX_PROCESS_DATA(VX_DATA_DEFINE)
#undef VX_DATA_DEFINE

}  // namespace vx
