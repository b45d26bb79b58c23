#pragma once
// Windows paths relative to one another, as a shell link stores its target beside the link.

#include <string>

namespace Platform {

// The path of target seen from the folder of reference (a file path; text after its last
// backslash is the file name, so a path ending in a backslash names the folder itself):
// ".\name" in the same folder, "..\" for each level up. Names compare without regard to ASCII
// case. Empty when the two are on different drives or shares.
std::u16string RelativePathTo(const std::u16string& reference, const std::u16string& target);

}  // namespace Platform
