#pragma once
// A wide hive text, for the registry's test and benchmark of large hives:
// count keys under Software\Many, each with one value, and count values in
// Software\Brindle\Zorvan Workstation\Recent, as a long list of recent files.
#include <string>

namespace z9::test {

inline std::string WideHiveText(int count) {
    std::string text = "REGEDIT4\r\n";
    for (int i = 0; i < count; ++i)
        text += "\r\n[HKEY_CURRENT_USER\\Software\\Many\\Key" + std::to_string(i) + "]\r\n\"Name\"=\"" +
                std::to_string(i) + "\"\r\n";
    text += "\r\n[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Workstation\\Recent]\r\n";
    for (int i = 0; i < count; ++i)
        text += "\"C:\\\\Tasks\\\\t" + std::to_string(i) + ".z9f\"=\"2024-01-01 10:00:00\"\r\n";
    return text;
}

} // namespace z9::test
