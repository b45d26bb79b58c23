#include "support/Environment.h"

#include <cstdlib>

namespace TestSupport {

// The C runtime's copy of the environment, which getenv reads; an empty value removes a variable.
void SetEnv(const char* name, const char* value) { _putenv_s(name, value != nullptr ? value : ""); }

}  // namespace TestSupport
