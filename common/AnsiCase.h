#pragma once
// Letter case of ANSI text as Windows changes it: every letter of the code
// page, accented ones too ("é" -> "É"). Names of users, domains and servers
// are upper-cased this way. Logic files may include this header (no Qt); the
// functions live in z9common.
#include <string>

namespace z9 {

std::string UpperAnsi(const std::string& text);
std::string LowerAnsi(const std::string& text);

} // namespace z9
