#pragma once
// %NAME% in a link replaced by the value of the environment variable NAME.
#include <string>

namespace z9 {

// Scans from left to right. A name (between two '%') shorter than 31
// characters whose variable has a value is replaced by it, with both '%';
// otherwise the '%' and the name stay and the closing '%' opens the next pair.
// A '%' without a partner stays as it is. Texts shorter than 3 characters or
// without '%' come back unchanged.
std::string ExpandEnvVars(const std::string& text);

// The value of an environment variable as ANSI text; empty when it is not set.
std::string EnvironmentValue(const std::string& name);

} // namespace z9
