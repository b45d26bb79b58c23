#pragma once
// One debug-output line for a request the platform layer does not carry out, so that a caller
// relying on it can be found instead of failing silently.

namespace Platform {

void ReportUnsupported(const char* call, const char* what);

}  // namespace Platform
