#include "Identity.h"
#include "common/AnsiCase.h"
#include "common/AsciiText.h"

#include "common/Program.h"
#include "submitter/taskfile/TaskRecord.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <nb30.h> // after windows.h, whose types it uses
#else
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#endif

namespace z9 {
namespace {

// A NetBIOS computer name holds at most 15 characters.
constexpr std::size_t kNetBiosNameLength = 15;

#ifndef _WIN32

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

#endif

} // namespace

std::string FormatAdapterAddress(const std::vector<unsigned char>& bytes, const std::string& separator) {
    if (bytes.size() != 6) return {};
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text += separator;
        AppendHexByte(text, bytes[i]);
    }
    return text;
}

std::string MakeRequestKey(const std::string& computer, const std::string& domain, const std::string& user) {
    return UpperAnsi((domain.empty() ? "WinDomain" : domain) + "-" +
                     (computer.empty() ? "Computer" : computer) + "-" + (user.empty() ? "WinUser" : user));
}

std::string WinUserDomain() {
    return EnvVar("USERDOMAIN");
}

void FillSubmitterIdentity(TaskRecord& record) {
    record.SubUser = WinUserName();
    record.SubDomain = WinUserDomain();
    record.SubServer = ComputerName();
    record.SubData = AdapterAddress();
}

#ifdef _WIN32

std::string ComputerName() {
    char buffer[kNetBiosNameLength + 1] = {};
    DWORD size = sizeof buffer;
    if (!GetComputerNameA(buffer, &size)) return {};
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string WinUserName() {
    char buffer[255] = {};
    DWORD size = sizeof buffer;
    if (GetUserNameA(buffer, &size)) return std::string(buffer, strnlen(buffer, sizeof buffer));
    return EnvVar("USERNAME");
}

std::string AdapterAddress() {
    // NetBIOS: enumerate the LAN adapter numbers, then reset and query each one.
    UCHAR answer[256] = {};
    NCB enumerate{};
    enumerate.ncb_command = NCBENUM;
    enumerate.ncb_buffer = answer;
    enumerate.ncb_length = static_cast<WORD>(sizeof answer);
    if (Netbios(&enumerate) != NRC_GOODRET) return {};
    const LANA_ENUM* lanas = reinterpret_cast<const LANA_ENUM*>(answer);
    std::size_t count = lanas->length;
    if (count > MAX_LANA + 1) count = MAX_LANA + 1;

    std::vector<std::string> texts(count);
    HANDLE heap = GetProcessHeap();
    for (std::size_t i = 0; i < count; ++i) {
        NCB reset{};
        reset.ncb_command = NCBRESET;
        reset.ncb_lana_num = lanas->lana[i];
        if (Netbios(&reset) != NRC_GOODRET) continue;

        constexpr DWORD kStatusSize = 680; // ADAPTER_STATUS and the name table after it
        auto* status = static_cast<UCHAR*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, kStatusSize));
        if (!status) continue;
        NCB query{};
        query.ncb_command = NCBASTAT;
        query.ncb_lana_num = lanas->lana[i];
        std::memcpy(query.ncb_callname, "*               ", NCBNAMSZ);
        query.ncb_buffer = status;
        query.ncb_length = static_cast<WORD>(kStatusSize);
        if (Netbios(&query) == NRC_GOODRET) {
            const auto* adapter = reinterpret_cast<const ADAPTER_STATUS*>(status);
            texts[i] = FormatAdapterAddress(
                std::vector<unsigned char>(adapter->adapter_address, adapter->adapter_address + 6), "-");
        }
        HeapFree(heap, 0, status);
    }
    return texts.empty() ? std::string() : texts.back();
}

#else

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
        return found->pw_name;
    std::string name = EnvVar("USERNAME");
    return name.empty() ? EnvVar("USER") : name;
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

#endif

} // namespace z9
