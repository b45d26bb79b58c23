#pragma once
// The common control classes the platform provides, registered with the system classes.

#include "Platform/Win32.h"
#include "Platform/Window/WindowClasses.h"

namespace Platform {

void RegisterCommonControlClasses();

void RegisterTooltipClass();
void RegisterDatePickerClass();

}  // namespace Platform
