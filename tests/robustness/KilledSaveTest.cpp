// A program killed at any moment of a save (task file, menu file, hive) leaves
// the old file or the new one, never a mix, and its temporary file does not
// outlive the next save.
#include "common/Registry.h"
#include "common/RegistryHive.h"
#include "menu/document/MenuDocument.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/FaultSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::ReadFileBytes;

// A file that is saved in two versions, one after the other.
struct Versions {
    fs::path file;
    std::string tempPrefix, tempSuffix; // the names of its temporaries
    std::function<bool(int version)> save;
    // Which version the file's bytes are: 0, 1, or -1 for neither.
    std::function<int(const std::string& bytes)> which;
};

// Saves the other version again and again in a child killed at a random
// moment of the save, until enough kills have come in the middle of one
// (a temporary file was left). After every kill the file must be one whole
// version, and at most the one temporary of the killed save may be there: the
// next save removes it.
void KillDuringSaves(const Versions& v) {
    ASSERT_TRUE(v.save(0));
    ASSERT_EQ(v.which(ReadFileBytes(v.file)), 0);
    const microseconds whole = test::TimeInChild([&] { return v.save(1); });
    ASSERT_EQ(v.which(ReadFileBytes(v.file)), 1);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long long> moment(0, whole.count() * 6 / 5);

    const fs::path folder = v.file.parent_path();
    int current = 1, midway = 0, finished = 0, kills = 0;
    for (; kills < 400 && (midway < 10 || kills < 20); ++kills) {
        const int next = 1 - current;
        const bool ended = test::RunInChild([&] { return v.save(next); }, microseconds(moment(random)));
        const int now = v.which(ReadFileBytes(v.file));
        ASSERT_TRUE(now == current || now == next)
            << "after kill " << kills << " the file is neither version";
        if (ended) {
            ASSERT_EQ(now, next);
            ++finished;
        }
        const auto temps = test::EntriesLike(folder, v.tempPrefix, v.tempSuffix);
        ASSERT_LE(temps.size(), 1u) << "temporaries pile up after kill " << kills;
        if (!temps.empty()) ++midway;
        current = now;
    }
    EXPECT_GE(midway, 10) << "only " << midway << " of " << kills << " kills came during a save";
    ::testing::Test::RecordProperty("kills", kills);
    ::testing::Test::RecordProperty("midway", midway);

    // A save that runs to its end leaves nothing of the killed ones.
    ASSERT_TRUE(test::RunInChild([&] { return v.save(1 - current); }, microseconds(-1)));
    EXPECT_EQ(v.which(ReadFileBytes(v.file)), 1 - current);
    EXPECT_EQ(test::EntriesLike(folder, v.tempPrefix, v.tempSuffix), std::vector<std::string>{});
}

// A task of a few mebibytes; the two versions differ all through.
TaskRecord BigTask(char fill) {
    TaskRecord t;
    t.TaskName = std::string("Big ") + fill;
    t.Steps.resize(3);
    t.Environs.resize(2000);
    for (std::size_t i = 0; i < t.Environs.size(); ++i) {
        t.Environs[i].Variable = "V" + std::to_string(i);
        t.Environs[i].Value.assign(2000, fill);
    }
    t.NumberSteps = "3";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = std::to_string(t.Environs.size());
    return t;
}

TEST(KilledSave, TaskFileIsOldOrNewAndNoTemporaryIsLeft) {
    test::TempFolder folder;
    const TaskRecord tasks[2] = {BigTask('a'), BigTask('b')};
    std::string texts[2], why;
    ASSERT_TRUE(BuildTaskText(tasks[0], texts[0], why));
    ASSERT_TRUE(BuildTaskText(tasks[1], texts[1], why));
    ASSERT_GT(texts[0].size(), 4u << 20);
    const fs::path file = folder.Path() / "big.z9f";
    KillDuringSaves({file, "~big.z9f.", ".tmp",
                     [&](int version) { return SaveTask(file.string(), tasks[version], true); },
                     [&](const std::string& bytes) {
                         return bytes == texts[0] ? 0 : bytes == texts[1] ? 1 : -1;
                     }});
}

// A menu of a few mebibytes, each version's captions all one letter; one line
// of each holds a break, which the file keeps as character 1.
void FillBigMenu(MenuDocument& menu, char fill) {
    MenuItem item;
    item.Type = vLink;
    item.Font = DefaultItemFont();
    for (std::size_t row = 0; row < 20000; ++row) {
        item.Caption.assign(200, fill);
        if (row == 7) item.Caption += "\r\nsecond line";
        item.Link = "C:\\Jobs\\" + std::to_string(row) + ".z9f";
        menu.InsertItem(row, item);
    }
}

TEST(KilledSave, MenuFileIsOldOrNewAndNoTemporaryIsLeft) {
    test::TempFolder folder;
    MenuDocument menus[2];
    std::string texts[2];
    for (int version : {0, 1}) {
        FillBigMenu(menus[version], version ? 'b' : 'a');
        menus[version].RCrLf(true);
        texts[version] = MenuFileText(menus[version].Escaped());
    }
    ASSERT_GT(texts[0].size(), 4u << 20);
    ASSERT_NE(texts[0].find("\x01second line"), std::string::npos);
    const fs::path file = folder.Path() / "big.z9m";
    KillDuringSaves(
        {file, "~big.z9m.", ".tmp", [&](int version) { return menus[version].SaveP8M(file.string()); },
         [&](const std::string& bytes) { return bytes == texts[0]   ? 0
                                                : bytes == texts[1] ? 1
                                                                    : -1; }});
}

const char* const kBigKey = "Software\\Brindle\\Big";

// Version 0 or 1 of a hive of a few mebibytes, or -1 for a text that is neither.
int HiveVersion(const std::string& bytes) {
    const Hive hive = ParseHive(bytes, RegRoot::CurrentUser);
    const HiveKey* key = hive.Find(kBigKey);
    const RegNamedValue* data = key ? key->Find("Data") : nullptr;
    if (hive.lostLines || !data) return -1;
    for (int version : {0, 1})
        if (data->value.data == RegValue::String(std::string(3 << 20, version ? 'b' : 'a')).data)
            return version;
    return -1;
}

bool SaveBigValue(int version) {
    RegKey key;
    return key.Create(RegRoot::CurrentUser, kBigKey) == 0 &&
           key.Set("Data", RegValue::String(std::string(3 << 20, version ? 'b' : 'a'))) == 0;
}

TEST(KilledSave, HiveIsOldOrNewAndNoTemporaryIsLeft) {
    test::TempFolder folder;
    KillDuringSaves({folder.RegistryDir() / "HKEY_CURRENT_USER.reg", "~HKEY_CURRENT_USER.reg.", ".tmp",
                     SaveBigValue, HiveVersion});
}

// Programs that change the registry while another dies in the middle of its
// changes lose nothing: the dead one's lock goes with it.
TEST(KilledSave, WritersBesideAKilledOneLoseNothing) {
    test::TempFolder folder;
    ASSERT_TRUE(SaveBigValue(0));
    const int perWriter = 20;
    std::vector<pid_t> writers;
    for (char who : {'A', 'B', 'C', 'D'}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < perWriter; ++i) {
                RegKey key;
                failures +=
                    key.Create(RegRoot::CurrentUser, std::string("Software\\Brindle\\Race\\") + who) != 0 ||
                    key.Set("v" + std::to_string(i),
                            RegValue::String(std::string(1, who) + std::to_string(i))) != 0;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        writers.push_back(pid);
    }
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(0, 60000);
    for (int kill = 0; kill < 12; ++kill)
        test::RunInChild([kill] { return SaveBigValue(kill % 2); }, microseconds(moment(random)));
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const Hive hive =
        ParseHive(ReadFileBytes(folder.RegistryDir() / "HKEY_CURRENT_USER.reg"), RegRoot::CurrentUser);
    EXPECT_FALSE(hive.lostLines);
    for (char who : {'A', 'B', 'C', 'D'}) {
        const HiveKey* key = hive.Find(std::string("Software\\Brindle\\Race\\") + who);
        ASSERT_NE(key, nullptr) << who;
        EXPECT_EQ(key->values.size(), static_cast<std::size_t>(perWriter)) << who;
        for (int i = 0; i < perWriter; ++i) {
            const RegNamedValue* value = key->Find("v" + std::to_string(i));
            ASSERT_NE(value, nullptr) << who << i;
            EXPECT_EQ(value->value.Text(), std::string(1, who) + std::to_string(i));
        }
    }
    EXPECT_NE(HiveVersion(ReadFileBytes(folder.RegistryDir() / "HKEY_CURRENT_USER.reg")), -1);
}

} // namespace
} // namespace z9
