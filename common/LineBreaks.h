#pragma once
// Line breaks inside one stored value. Task files and menu files hold one value
// (or one item) per line, so a break inside a value is written as the
// character with code 1.
#include <string>

namespace z9 {

// A value as one file line: CR LF, LF, CR and Ctrl-Z each become character 1.
std::string EncodeValue(const std::string& value);
// Character 1 back to CR LF.
std::string DecodeValue(const std::string& text);

} // namespace z9
