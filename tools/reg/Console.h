#pragma once
// Text in and out of the terminal for skinui-reg (UTF-16 inside, UTF-8 outside).

#include <string>

namespace RegTool {

void PrintLine(const std::u16string& text);
void PrintError(const std::u16string& text);
// Asks a Yes/No question on the terminal; anything but an answer starting with y or Y is No.
bool AskYesNo(const std::u16string& question);

std::u16string Widen(const char* text);
std::string Narrow(const std::u16string& text);

}  // namespace RegTool
