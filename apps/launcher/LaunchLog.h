#pragma once
// The launcher's record of how it was started, which the installer's tests read back: appended
// to "<own name>.log" beside the program as "argv0=<program>", one "arg=<argument>" line per
// further argument, then "end", in one write.

// False when the record could not be written; the launcher runs on regardless.
bool AppendLaunchLog(int argc, char** argv);
