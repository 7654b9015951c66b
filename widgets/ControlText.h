#pragma once
// A caption as a control shows it: the ANSI text in the host's characters,
// each CR LF (or lone CR or LF) a line break.
#include <QString>
#include <string>

namespace z9 {

QString ControlText(const std::string& ansi);

} // namespace z9
