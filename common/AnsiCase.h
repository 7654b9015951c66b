#pragma once
// Letter case of ANSI text as Windows changes it: every letter of the code
// page, accented ones too ("é" -> "É"). Names of users, domains and servers
// are upper-cased this way. No Qt here.
#include <string>

namespace z9 {

std::string UpperAnsi(const std::string& text);
std::string LowerAnsi(const std::string& text);

// One UTF-16 character in upper or lower case by the platform's Unicode tables
// (CharUpperBuffW on Windows, the C.UTF-8 locale on Linux); a character with no
// one-character other case comes back unchanged.
char16_t CharacterCase(char16_t c, bool upper);

} // namespace z9
