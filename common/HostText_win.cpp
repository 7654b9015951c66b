// Windows: the ANSI calls take ANSI text, so it reaches the host as it is.
#include "HostText.h"

namespace z9 {

std::string ToHostText(const std::string& ansi) {
    return ansi;
}

std::string FromHostText(const std::string& host) {
    return host;
}

void SetHostTextConversion(HostTextConversion, HostTextConversion) {}

bool FromHostName(const std::string& host, std::string& ansi) {
    ansi = host;
    return true;
}

} // namespace z9
