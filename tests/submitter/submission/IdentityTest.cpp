#include "submitter/submission/Identity.h"
#include "common/Program.h"
#include "submitter/taskfile/TaskRecord.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <optional>

#ifdef _WIN32
#include <regex>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace z9 {
namespace {

using test::ScopedEnv;

TEST(IdentityTest, FormatAdapterAddress) {
    EXPECT_EQ(FormatAdapterAddress({0, 12, 41, 58, 91, 127}, "-"), "00-0C-29-3A-5B-7F");
    EXPECT_EQ(FormatAdapterAddress({0xFF, 0xA0, 0x0A, 1, 0x10, 0xBE}, ":"), "FF:A0:0A:01:10:BE");
    EXPECT_EQ(FormatAdapterAddress({1, 2, 3, 4, 5, 6}, ""), "010203040506");
    EXPECT_EQ(FormatAdapterAddress({1, 2, 3, 4, 5}, "-"), "");
    EXPECT_EQ(FormatAdapterAddress({1, 2, 3, 4, 5, 6, 7}, "-"), "");
    EXPECT_EQ(FormatAdapterAddress({}, "-"), "");
}

TEST(IdentityTest, MakeRequestKey) {
    EXPECT_EQ(MakeRequestKey("ws7", "office", "anna"), "OFFICE-WS7-ANNA");
    EXPECT_EQ(MakeRequestKey("", "", "Anna.Berg"), "WINDOMAIN-COMPUTER-ANNA.BERG");
    EXPECT_EQ(MakeRequestKey("", "", ""), "WINDOMAIN-COMPUTER-WINUSER");
    EXPECT_EQ(MakeRequestKey("WS7", "", ""), "WINDOMAIN-WS7-WINUSER");
    EXPECT_EQ(MakeRequestKey("", "Corp", ""), "CORP-COMPUTER-WINUSER");
}

#ifndef _WIN32
// Linux: the adapters of /sys/class/net, the host name and the password database.
// A fake /sys/class/net inside a temporary folder.
class NetTree {
public:
    NetTree() { SetNetClassFolder((folder_.Path() / "net").string()); }
    ~NetTree() { SetNetClassFolder(""); }
    void Add(const std::string& name, const std::string& index, const std::string& address,
             const std::string& type = "1", const std::string& flags = "0x1003") {
        folder_.Write("net/" + name + "/ifindex", index + "\n");
        folder_.Write("net/" + name + "/type", type + "\n");
        folder_.Write("net/" + name + "/flags", flags + "\n");
        folder_.Write("net/" + name + "/address", address + "\n");
    }
    void AddLoopback() { Add("lo", "1", "00:00:00:00:00:00", "772", "0x9"); }
    test::TempFolder& Folder() { return folder_; }

private:
    test::TempFolder folder_;
};

TEST(IdentityTest, AdapterAddressLeavesLoopbackOut) {
    NetTree net;
    net.AddLoopback();
    EXPECT_EQ(AdapterAddress(), "");
    // Loopback told by its flags alone.
    net.Add("lo2", "9", "00:00:00:00:00:01", "1", "0x9");
    EXPECT_EQ(AdapterAddress(), "");
}

TEST(IdentityTest, AdapterAddressTakesTheLastInterfaceByIndex) {
    NetTree net;
    net.AddLoopback();
    net.Add("zz0", "2", "02:fc:00:00:00:01");
    net.Add("aa0", "7", "a4:5e:60:c1:0f:9b"); // the highest index, though first by name
    net.Add("mm0", "3", "36:83:d2:e0:6c:fd");
    net.Folder().Write("net/bonding_masters", "\n"); // not an interface
    net.Folder().Write("net/noindex/address", "11:22:33:44:55:66\n");
    EXPECT_EQ(AdapterAddress(), "A4-5E-60-C1-0F-9B");
}

TEST(IdentityTest, AdapterAddressIsEmptyWhenTheLastHasNone) {
    NetTree net;
    net.Add("eth0", "2", "02:fc:00:00:00:01");
    net.Add("tun0", "4", ""); // no hardware address, yet the last
    EXPECT_EQ(AdapterAddress(), "");

    NetTree other;
    other.Add("eth0", "2", "02:fc:00:00:00:01");
    other.Add("sit0", "3", "00:00:00:00"); // four bytes are no adapter address
    EXPECT_EQ(AdapterAddress(), "");
}

TEST(IdentityTest, AdapterAddressRejectsMalformedAddresses) {
    for (const char* bad :
         {"02:fc:00:00:00:", "02:fc:00:00:00:0g", "02:fc:00:00:00:001", ":fc:00:00:00:01"}) {
        NetTree net;
        net.Add("eth0", "2", bad);
        EXPECT_EQ(AdapterAddress(), "") << bad;
    }
    NetTree net;
    net.Add("eth0", "2", "2:fc:0:0:0:1");
    EXPECT_EQ(AdapterAddress(), "02-FC-00-00-00-01");
}

TEST(IdentityTest, AdapterAddressWithoutTheFolder) {
    SetNetClassFolder("/nonexistent/z9/net");
    EXPECT_EQ(AdapterAddress(), "");
    SetNetClassFolder("");
}

TEST(IdentityTest, ComputerNameFromTheEnvironment) {
    {
        ScopedEnv name("Z9_NETBIOS_NAME", "ws7");
        EXPECT_EQ(ComputerName(), "WS7");
    }
    {
        ScopedEnv name("Z9_NETBIOS_NAME", "accounting-workstation-12");
        EXPECT_EQ(ComputerName(), "ACCOUNTING-WORK");
    }
    {
        ScopedEnv name("Z9_NETBIOS_NAME", "");
        EXPECT_EQ(ComputerName(), "");
    }
}

TEST(IdentityTest, ComputerNameFromTheHostName) {
    ScopedEnv name("Z9_NETBIOS_NAME", std::nullopt);
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    std::string label(host);
    label = label.substr(0, label.find('.'));
    std::string computer = ComputerName();
    EXPECT_LE(computer.size(), 15u);
    EXPECT_FALSE(computer.empty());
    ASSERT_LE(computer.size(), label.size());
    for (std::size_t i = 0; i < computer.size(); ++i)
        EXPECT_EQ(computer[i], std::toupper(static_cast<unsigned char>(label[i])));
}

TEST(IdentityTest, UserNameAndDomain) {
    ScopedEnv userName("USERNAME", "somebody-else");
    const passwd* pw = ::getpwuid(::geteuid());
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(WinUserName(), pw->pw_name); // the system's answer comes before the environment

    {
        ScopedEnv domain("USERDOMAIN", "OFFICE");
        EXPECT_EQ(WinUserDomain(), "OFFICE");
    }
    ScopedEnv domain("USERDOMAIN", std::nullopt);
    EXPECT_EQ(WinUserDomain(), "");
}

TEST(IdentityTest, FillSubmitterIdentity) {
    NetTree net;
    net.AddLoopback();
    net.Add("eth0", "2", "02:fc:00:00:00:01");
    ScopedEnv name("Z9_NETBIOS_NAME", "ws7");
    ScopedEnv domain("USERDOMAIN", "office");

    TaskRecord record;
    record.User = "svc";
    record.SubUser = "old";
    record.SubData = "old";
    FillSubmitterIdentity(record);
    EXPECT_EQ(record.SubUser, WinUserName());
    EXPECT_FALSE(record.SubUser.empty());
    EXPECT_EQ(record.SubDomain, "office");
    EXPECT_EQ(record.SubServer, "WS7");
    EXPECT_EQ(record.SubData, "02-FC-00-00-00-01");
    EXPECT_EQ(record.User, "svc");

    // Nothing to find is stamped as nothing.
    ScopedEnv noDomain("USERDOMAIN", std::nullopt);
    SetNetClassFolder("/nonexistent/z9/net");
    FillSubmitterIdentity(record);
    EXPECT_EQ(record.SubDomain, "");
    EXPECT_EQ(record.SubData, "");
}

#else
// Windows: the system's own answers, checked against what Windows also puts in
// the environment of every process.

TEST(IdentityTest, ComputerNameIsTheNetBiosName) {
    std::string expected = EnvVar("COMPUTERNAME");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ComputerName(), expected.substr(0, kNetBiosNameLength));
}

TEST(IdentityTest, UserNameComesFromTheSystemBeforeTheEnvironment) {
    std::string real = WinUserName();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real, EnvVar("USERNAME"));
    ScopedEnv userName("USERNAME", "somebody-else");
    EXPECT_EQ(WinUserName(), real);
    {
        ScopedEnv domain("USERDOMAIN", "OFFICE");
        EXPECT_EQ(WinUserDomain(), "OFFICE");
    }
    ScopedEnv domain("USERDOMAIN", std::nullopt);
    EXPECT_EQ(WinUserDomain(), "");
}

TEST(IdentityTest, AdapterAddressIsSixBytesOrNothing) {
    // Which adapters NetBIOS lists depends on the machine: the answer is either
    // nothing or one well-formed address.
    std::string address = AdapterAddress();
    EXPECT_TRUE(address.empty() || std::regex_match(address, std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}")))
        << address;
}

TEST(IdentityTest, FillSubmitterIdentity) {
    ScopedEnv domain("USERDOMAIN", "office");
    TaskRecord record;
    record.User = "svc";
    record.SubUser = "old";
    FillSubmitterIdentity(record);
    EXPECT_EQ(record.SubUser, WinUserName());
    EXPECT_EQ(record.SubDomain, "office");
    EXPECT_EQ(record.SubServer, ComputerName());
    EXPECT_EQ(record.SubData, AdapterAddress());
    EXPECT_EQ(record.User, "svc");
}
#endif

} // namespace
} // namespace z9
