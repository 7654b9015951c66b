#include "Identity.h"
#include "common/AnsiCase.h"
#include "common/AsciiText.h"

#include "common/Program.h"
#include "submitter/taskfile/TaskRecord.h"

namespace z9 {

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
    return EnvText("USERDOMAIN");
}

void FillSubmitterIdentity(TaskRecord& record) {
    record.SubUser = WinUserName();
    record.SubDomain = WinUserDomain();
    record.SubServer = ComputerName();
    record.SubData = AdapterAddress();
}

} // namespace z9
