// Collects the table entries that the component table files register at load.
#include "registry.h"

namespace vxb {

Registry& registry() {
  static Registry r;
  return r;
}

void register_routine(const RoutineDef* d) { registry().routines.push_back(d); }
void register_callback(const CallbackDef* d) { registry().callbacks.push_back(d); }
void register_planted(const RoutineDef* d) { registry().planted.push_back(d); }
void register_data(const DataDef* d) { registry().data.push_back(d); }

}  // namespace vxb
