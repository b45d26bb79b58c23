#pragma once
// Windows command lines: splitting into arguments by the C runtime's documented rules, and
// finding the program a command line names.

#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// The first argument (the program) ends at unquoted white space; quotes in it only group and
// backslashes are plain characters. Later arguments follow the backslash rules: 2n backslashes
// before a quote give n backslashes and the quote opens or closes a quoted part, 2n+1 give n
// backslashes and a literal quote, backslashes before anything else stay as they are; inside a
// quoted part "" is a literal quote. A command line that starts with white space has an empty
// first argument; an unclosed quote runs to the end.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

// The ways to read the program name at the start of a command line, in the order Windows tries
// them: a quoted first token is the only one; otherwise "c:\a b\c d" gives "c:\a", "c:\a b\c"
// and "c:\a b\c d".
std::vector<std::u16string> ProgramCandidates(std::u16string_view commandLine);

}  // namespace Platform
