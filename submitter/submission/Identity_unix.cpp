// Identity on Linux: the host name, the password database and /sys/class/net.
#include "Identity.h"

#include "common/AnsiCase.h"
#include "common/AsciiText.h"
#include "common/HostText.h"
#include "common/Program.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

std::string& NetClassFolder() {
    static std::string folder;
    return folder;
}

// The first line of a small file under /sys, or nothing when it cannot be read.
std::optional<std::string> ReadLine(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    std::getline(in, line);
    if (in.bad()) return std::nullopt;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

// A whole number written in decimal, or in hexadecimal after 0x.
std::optional<long> ReadNumber(const fs::path& path) {
    auto line = ReadLine(path);
    if (!line || line->empty()) return std::nullopt;
    const char* begin = line->c_str();
    char* end = nullptr;
    long n = std::strtol(begin, &end, 0);
    if (end == begin || *end != '\0') return std::nullopt;
    return n;
}

bool IsLoopback(const fs::path& interface) {
    constexpr long kLoopbackType = 772; // ARPHRD_LOOPBACK
    constexpr long kLoopbackFlag = 0x8; // IFF_LOOPBACK
    auto type = ReadNumber(interface / "type");
    auto flags = ReadNumber(interface / "flags");
    return (type && *type == kLoopbackType) || (flags && (*flags & kLoopbackFlag));
}

// "aa:bb:cc:dd:ee:ff" as bytes; nothing for a malformed text.
std::vector<unsigned char> ParseHardwareAddress(const std::string& text) {
    std::vector<unsigned char> bytes;
    std::size_t at = 0;
    while (at < text.size()) {
        int value = 0;
        std::size_t digits = 0;
        for (; at < text.size() && text[at] != ':'; ++at, ++digits) {
            int d = HexDigit(text[at]);
            if (d < 0 || digits == 2) return {};
            value = value * 16 + d;
        }
        if (digits == 0) return {};
        bytes.push_back(static_cast<unsigned char>(value));
        if (at < text.size() && ++at == text.size()) return {}; // a trailing ':'
    }
    return bytes;
}

} // namespace

std::string ComputerName() {
    std::string name;
    if (const char* configured = std::getenv("Z9_NETBIOS_NAME")) {
        name = configured;
    } else {
        char host[256] = {};
        if (::gethostname(host, sizeof host - 1) != 0) return {};
        name = host;
        name = name.substr(0, name.find('.'));
    }
    return UpperAnsi(name.substr(0, kNetBiosNameLength));
}

std::string WinUserName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && *found->pw_name)
        return FromHostText(found->pw_name);
    std::string name = EnvText("USERNAME");
    return name.empty() ? EnvText("USER") : name;
}

void SetNetClassFolder(const std::string& folder) {
    NetClassFolder() = folder;
}

std::string AdapterAddress() {
    const fs::path root = NetClassFolder().empty() ? fs::path("/sys/class/net") : fs::path(NetClassFolder());
    std::optional<std::pair<long, fs::path>> last; // the non-loopback interface with the highest index
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) continue; // bonding_masters and the like
        auto index = ReadNumber(it->path() / "ifindex");
        if (!index || IsLoopback(it->path())) continue;
        if (!last || *index > last->first) last.emplace(*index, it->path());
    }
    if (!last) return {};
    auto address = ReadLine(last->second / "address");
    return address ? FormatAdapterAddress(ParseHardwareAddress(*address), "-") : std::string();
}

} // namespace z9
