// Where malloc cannot be replaced (Windows' C runtime, sanitizer builds that own malloc), only
// operator new is counted.
#include "tests/effect/AllocationCounter.h"

bool allocation_counter::CountsMalloc() {
  return false;
}
