#pragma once
// The three skinui-reg commands. Each returns the process exit code: 0 on success, 1 on failure.

#include "RegRequest.h"

namespace RegTool {

int RunQuery(const RegRequest& request);
int RunAdd(const RegRequest& request);
int RunDelete(const RegRequest& request);

}  // namespace RegTool
