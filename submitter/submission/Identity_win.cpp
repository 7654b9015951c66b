// Identity on Windows: kernel32, advapi32 and NetBIOS.
#include "Identity.h"

#include "common/Program.h"

#include <cstring>
#include <windows.h>

#include <nb30.h> // after windows.h, whose types it uses

namespace z9 {

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

} // namespace z9
