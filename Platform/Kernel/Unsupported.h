#pragma once
// One debug-output line for a request the platform layer does not carry out, so that a caller
// relying on it can be found instead of failing silently. Every such line has one form:
//   "<call>: unsupported <what>"  or  "<call>: unsupported <what> (<value>)"
// Any thread.

namespace Platform {

void ReportUnsupported(const char* call, const char* what);
void ReportUnsupported(const char* call, const char* what, long long value);

}  // namespace Platform
