#include "SystemErrorText.h"

#include <cstring>
#include <windows.h>

namespace z9 {

std::string MessageTableText(long winError) {
    char buffer[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(winError), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, strnlen(buffer, n));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace z9
