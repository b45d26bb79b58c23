#pragma once
// UTF-8 <-> UTF-16 transcoding used by the code-page functions and by the rest of the platform
// layer whenever it hands text to the system.

#include <string>
#include <string_view>

namespace Platform {

// Decodes UTF-8; an invalid or truncated sequence becomes one U+FFFD per maximal bad subpart.
// Sets *invalid when a replacement was made.
std::u16string Utf8ToUtf16(std::string_view in, bool* invalid = nullptr);

// Encodes UTF-16; an unpaired surrogate becomes U+FFFD. Sets *invalid when one was replaced.
std::string Utf16ToUtf8(std::u16string_view in, bool* invalid = nullptr);

// Convenience for zero-terminated wide text (null gives the empty string).
std::string ToUtf8(const char16_t* text);
std::u16string ToUtf16(const char* text);

}  // namespace Platform
