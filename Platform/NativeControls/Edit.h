#pragma once
// The system window class "Edit": a single-line edit control.

namespace Platform {

// Registers "Edit" as a system class (called once, with the other system classes).
void RegisterEditClass();

}  // namespace Platform
