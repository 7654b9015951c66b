#include "TestRun.h"

#include "TestSupport.h"

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/Desktop.h"
#include "common/MessageBox.h"
#include "common/Program.h"
#include "common/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace z9::test {
namespace {

std::unique_ptr<TempFolder>& Scratch() {
    static std::unique_ptr<TempFolder> folder;
    return folder;
}

std::vector<std::function<void()>>& Resets() {
    static std::vector<std::function<void()>> resets;
    return resets;
}

// A box nobody answers would block the run: it fails the test and is answered OK.
void FailUnexpectedMessages() {
    SetMessageHandler([](const std::string& text, int, const std::string&) {
        ADD_FAILURE() << "unexpected message box: " << text;
        return static_cast<int>(vbOK);
    });
}

// Puts back, after every test, what the programs keep for the whole process.
class StateReset : public ::testing::EmptyTestEventListener {
public:
    StateReset() : title_(AppTitle()), appKey_(AppKey()), folder_(CurrentFolder()) {}

    void OnTestEnd(const ::testing::TestInfo&) override {
        FailUnexpectedMessages();
        Desktop::Install(nullptr);
        Clock::Install(nullptr);
        SetAppTitle(title_);
        SetAppKey(appKey_);
        SetProgramFolder("");
        SetProgramLocale("");
        SetAnsiCodePage(0);
        SetCurrentFolder(folder_);
        for (const auto& reset : Resets())
            reset();
    }

private:
    std::string title_;
    std::string appKey_;
    std::string folder_;
};

} // namespace

std::filesystem::path RunFolder() {
    return Scratch() ? Scratch()->Path() : std::filesystem::path();
}

void AddStateReset(std::function<void()> reset) {
    Resets().push_back(std::move(reset));
}

bool StartTestRun() {
    try {
        Scratch() = std::make_unique<TempFolder>();
    } catch (const std::exception&) {
        return false;
    }
    FailUnexpectedMessages();
    ::testing::UnitTest::GetInstance()->listeners().Append(new StateReset);
    return true;
}

void EndTestRun() {
    Scratch().reset();
}

} // namespace z9::test
