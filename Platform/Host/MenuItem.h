#pragma once
// One item of a shortcut menu a host shows (Host::ShowContextMenu).

#include <string>

namespace Platform {

struct MenuItem {
  std::u16string text;  // with "&" before the access key; empty: a separator
  int id = 0;
  bool enabled = true;
};

}  // namespace Platform
