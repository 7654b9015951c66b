#pragma once
// Text that code without Qt hands to the host (file names, program arguments,
// environment values) or takes from it, converted between the ANSI code page
// and the host's encoding. The conversion itself is CodePage.h's: the program
// and the test main install it (InstallHostText in QtPlatform.h); until then
// text passes unchanged. On Windows the ANSI calls take ANSI, so nothing is
// converted there.
#include <string>

namespace z9 {

using HostTextConversion = std::string (*)(const std::string&);

// ANSI bytes to the host's encoding.
std::string ToHostText(const std::string& ansi);
// The host's encoding to ANSI bytes.
std::string FromHostText(const std::string& host);

// A name read from the host (a file name, an argument) in the ANSI code page;
// false when the code page cannot hold one of its characters, so that a name
// never silently becomes another one.
bool FromHostName(const std::string& host, std::string& ansi);

// Puts a conversion behind the two calls above; nullptr for both restores the plain passage.
void SetHostTextConversion(HostTextConversion toHost, HostTextConversion fromHost);

} // namespace z9
