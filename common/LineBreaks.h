#pragma once
// Line breaks inside one stored value. Task files and menu files hold one value
// (or one item) per line, so a break inside a value is written as the
// character with code 1.
#include <string>

namespace z9 {

// A value as one file line: CR LF, LF, CR and Ctrl-Z each become character 1.
std::string EncodeValue(const std::string& value);
// A value as read: character 1, and a lone CR, a lone LF or a Ctrl-Z left in
// the file by hand, each become CR LF (what a save would make of them).
std::string DecodeValue(const std::string& text);

} // namespace z9
