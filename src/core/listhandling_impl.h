// Internal view of the growable lists for native callers that keep their own
// index of a list's contents: a counter that every routine changing any list
// raises, so such an index knows when it has to be read again.
#pragma once
#include <cstdint>

namespace vx {
extern uint64_t list_changes;
}
