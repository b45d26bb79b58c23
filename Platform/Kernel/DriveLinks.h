#pragma once
// Drive letters: each is a link (or a plain folder) named "<letter>:" in the prefix's dosdevices
// folder. The answers are kept per prefix and read again whenever the dosdevices folder's stamp
// has changed, so a link made, removed or pointed elsewhere is seen by the next call. Thread-safe.

#include <string>

namespace Platform {

// The POSIX folder a drive letter's link leads to (case of the letter ignored); false when the
// drive has no link or the character is not a letter.
bool DriveTarget(char16_t letter, std::string* posix);

}  // namespace Platform
