#pragma once
// Registry names compare without regard to case, for all of Unicode and not only ASCII: two
// names are the same when their folded forms are equal.

#include <string>
#include <string_view>

namespace Platform {

// Each UTF-16 unit upper-cased (units of surrogate pairs are kept as they are).
std::u16string FoldRegistryName(std::u16string_view name);

}  // namespace Platform
