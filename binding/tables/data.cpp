// Component data: the kind parameters and the process-wide data blocks.
#include <string_view>
#include "data.h"
#include "table.h"

using namespace vx;

VX_DATA_CONST(types, "cb", types::cb);
VX_DATA_CONST(types, "i2", types::i2);
VX_DATA_CONST(types, "i4", types::i4);
VX_DATA_CONST(types, "i8", types::i8);
VX_DATA_CONST(types, "sp", types::sp);
VX_DATA_CONST(types, "dp", types::dp);
VX_DATA_CONST(types, "qp", types::qp);

// The delamination records are read and written as (a, b, angle): an array of
// other rows would be indexed past its storage.
constexpr int32_t fixed_rows(std::string_view name) { return name == "delamdds" ? 3 : 0; }

// Every datum of the process-wide list, as component.name.
#define VX_DATA_KIND_i4 ::vxb::DataKind::scalar_i4
#define VX_DATA_KIND_f8 ::vxb::DataKind::scalar_f8
#define VX_DATA_KIND_text ::vxb::DataKind::text
#define VX_DATA_KIND_iarr ::vxb::DataKind::array
#define VX_DATA_KIND_rarr ::vxb::DataKind::array
#define VX_DATA_ENTRY(comp, name, kind, p) \
  {#comp, #name, VX_DATA_KIND_##kind, (void*)&(comp::name), int(sizeof(comp::name)), 0, fixed_rows(#name)},
static const ::vxb::DataDef vxdata_list[] = {VX_PROCESS_DATA(VX_DATA_ENTRY)};
#undef VX_DATA_ENTRY
static const ::vxb::Registrar vxdata_reg(vxdata_list, int(sizeof(vxdata_list) / sizeof(vxdata_list[0])));
