#pragma once
#include <vector>
#include "table.h"

namespace vxb {
struct Registry {
  std::vector<const RoutineDef*> routines;
  std::vector<const CallbackDef*> callbacks;
  std::vector<const DataDef*> data;
  std::vector<const RoutineDef*> planted;
};
Registry& registry();
}  // namespace vxb
