#pragma once
// Setting the process's environment for the code under test: a null value removes the variable.

namespace TestSupport {

void SetEnv(const char* name, const char* value);

}  // namespace TestSupport
