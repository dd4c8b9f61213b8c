#pragma once
#include <vector>
#include "table.h"

namespace vxb {
struct Registry {
  std::vector<const RoutineDef*> routines;
  std::vector<const CallbackDef*> callbacks;
  std::vector<const DataDef*> data;
};
Registry& registry();
}  // namespace vxb
