// Linux: the host speaks UTF-8; the conversion is installed by the GUI layer.
#include "HostText.h"

namespace z9 {
namespace {

HostTextConversion toHostConversion = nullptr;
HostTextConversion fromHostConversion = nullptr;

} // namespace

std::string ToHostText(const std::string& ansi) {
    return toHostConversion ? toHostConversion(ansi) : ansi;
}

std::string FromHostText(const std::string& host) {
    return fromHostConversion ? fromHostConversion(host) : host;
}

void SetHostTextConversion(HostTextConversion toHost, HostTextConversion fromHost) {
    toHostConversion = toHost;
    fromHostConversion = fromHost;
}

bool FromHostName(const std::string& host, std::string& ansi) {
    ansi = FromHostText(host);
    return ToHostText(ansi) == host;
}

} // namespace z9
