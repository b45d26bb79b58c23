#include "support/Environment.h"

#include <cstdlib>

namespace TestSupport {

void SetEnv(const char* name, const char* value) {
  if (value != nullptr)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

}  // namespace TestSupport
