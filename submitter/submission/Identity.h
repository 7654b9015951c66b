#pragma once
// Who and where the submitter is: the user's name and domain, the computer's
// NetBIOS name and the network adapter address. Each value is read from the
// system every time it is asked for. Plain logic: no Qt here.
#include <cstddef>
#include <string>
#include <vector>

namespace z9 {

// A NetBIOS computer name holds at most 15 characters.
inline constexpr std::size_t kNetBiosNameLength = 15;

struct TaskRecord;

// The computer's NetBIOS name (at most 15 characters); empty when it cannot be
// read. On Linux: $Z9_NETBIOS_NAME when it is set (even to nothing), else the
// host name's first label; either way upper-cased and cut to 15 characters.
std::string ComputerName();

// The logged-on user's name; when the system gives none, $USERNAME (and on
// Linux then $USER).
std::string WinUserName();

// $USERDOMAIN, or empty text.
std::string WinUserDomain();

// The last network adapter's address as XX-XX-XX-XX-XX-XX; empty when there is
// no adapter or the last one has no address. On Linux the adapters are the
// interfaces of /sys/class/net in index order, loopback left out.
std::string AdapterAddress();

// Linux: where AdapterAddress looks for the interfaces; an empty text restores /sys/class/net.
void SetNetClassFolder(const std::string& folder);

// Six bytes as two upper-case hexadecimal digits each, joined by separator;
// empty text for any other number of bytes.
std::string FormatAdapterAddress(const std::vector<unsigned char>& bytes, const std::string& separator);

// Stamps the submitter's identity into a task about to be queued: SUBUSER,
// SUBDOMAIN, SUBSERVER and SUBDATA.
void FillSubmitterIdentity(TaskRecord& record);

// The name of a credential request and its reply: DOMAIN-COMPUTER-USER,
// upper-cased, with WinDomain, Computer and WinUser for empty values.
std::string MakeRequestKey(const std::string& computer, const std::string& domain, const std::string& user);

} // namespace z9
