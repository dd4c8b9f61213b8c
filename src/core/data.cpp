// Definitions of the process-wide data listed in data.h: zero and
// unallocated at load.
#include "data.h"

#define VX_DATA_INIT_i4(name)
#define VX_DATA_INIT_f8(name)
#define VX_DATA_INIT_text(name)
#define VX_DATA_INIT_iarr(name) (#name)
#define VX_DATA_INIT_rarr(name) (#name)
#define VX_DATA_DEFINE(comp, name, kind, p) VX_DATA_DECL_##kind(comp##_##name, p) VX_DATA_INIT_##kind(name);
VX_PROCESS_DATA(VX_DATA_DEFINE)
#undef VX_DATA_DEFINE

// The kind parameters, for C callers; the library uses vx::types.
VX_API const int32_t types_cb = vx::types::cb;
VX_API const int32_t types_i2 = vx::types::i2;
VX_API const int32_t types_i4 = vx::types::i4;
VX_API const int32_t types_i8 = vx::types::i8;
VX_API const int32_t types_sp = vx::types::sp;
VX_API const int32_t types_dp = vx::types::dp;
VX_API const int32_t types_qp = vx::types::qp;
