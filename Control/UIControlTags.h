#pragma once
// The built-in tag table of the layout builder: markup tag -> control class. Tags match exactly
// (case-sensitive).

#include "Core/UIControl.h"

namespace SkinUI {

// A new control of the class registered for the tag; null for a tag the table does not know.
CControlUI* CreateControlForTag(LPCWSTR pstrTag);

}  // namespace SkinUI
