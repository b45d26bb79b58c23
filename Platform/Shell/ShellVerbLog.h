#pragma once
// Every ShellExecuteW request leaves one line in a log of the prefix: the verb as given (empty
// for the default verb), a tab, the file as given. Tests and tools read it to see what the shell
// was asked to do, for example which shortcuts were pinned.

#include <string>

namespace Platform {

// POSIX path of the log of the current prefix.
std::string ShellVerbLogPath();

// Appends one request (control characters in the text become '?', so it stays one line).
void RecordShellVerb(const char16_t* verb, const char16_t* file);

}  // namespace Platform
