#pragma once
// The fuzz targets. Each takes one input of bytes, runs an entry point over it
// and checks what must hold whatever the input: no crash, no undefined
// behaviour, and the round trips and agreements a target names. libFuzzer
// drives them (make fuzz); the test suite replays the seed corpora and every
// reproducer of a past finding through the same functions.
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace z9::fuzz {

using TargetFn = void (*)(std::string_view input);

struct Target {
    const char* name; // the fuzzer is fuzz_<name>; seeds in fuzz/seeds/<name>
    TargetFn run;
};

// Every target, in the order make fuzz runs them.
const std::vector<Target>& Targets();
const Target* FindTarget(const std::string& name);

// A failed check. By default it prints what failed and aborts, which libFuzzer
// takes as a finding; the replay tests install a handler that throws.
[[noreturn]] void Fail(const std::string& what, const char* file, int line);
using FailureHandler = void (*)(const std::string& message); // must not return
FailureHandler SetFailureHandler(FailureHandler handler);

#define Z9_FUZZ_CHECK(cond)                                                                                  \
    do {                                                                                                     \
        if (!(cond)) ::z9::fuzz::Fail(#cond, __FILE__, __LINE__);                                            \
    } while (0)
// A check that prints two values when they differ.
#define Z9_FUZZ_EQ(a, b)                                                                                     \
    do {                                                                                                     \
        if (!((a) == (b)))                                                                                   \
            ::z9::fuzz::Fail(std::string(#a " == " #b "\n  left:  ") + ::z9::fuzz::Show(a) +                 \
                                 "\n  right: " + ::z9::fuzz::Show(b),                                        \
                             __FILE__, __LINE__);                                                            \
    } while (0)

// Bytes as C-escaped text, cut after a few hundred characters.
std::string Show(std::string_view bytes);
std::string Show(long long number);
// Anything else is named by the check's text alone.
template <class T>
requires(!std::is_convertible_v<const T&, std::string_view> && !std::is_arithmetic_v<T>) std::string
    Show(const T&) {
    return "(see the check)";
}

// Cuts the input at the first parts - 1 separators; the last part keeps the
// rest (separators included). Missing parts are empty.
std::vector<std::string> Split(std::string_view input, char separator, std::size_t parts);

// Counts the message boxes of everything run inside it; no box is ever shown.
class MessageCounter {
public:
    MessageCounter();
    ~MessageCounter();
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;
    int Count() const;
    const std::string& Last() const;
};

// A private folder for targets that need files, made once per process and
// removed at its end; the registry and the current folder point into it. Its
// name is kScratchPrefix, the process id, "-" and six random characters.
const std::string& ScratchFolder();
inline constexpr std::string_view kScratchPrefix = "z9fuzz-";
// Removes the scratch folders in base whose process is gone: a run that ends
// on a finding aborts, and no exit handler clears its folder.
void RemoveAbandonedScratch(const std::string& base);
// Writes bytes as the whole file at path (a failure is a failed check).
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The targets.
void TaskFile(std::string_view input);
void Container(std::string_view input);
void Scramble(std::string_view input);
void PasswordCipher(std::string_view input);
void CommandLine(std::string_view input);
void DateTime(std::string_view input);
void Number(std::string_view input);
void Validate(std::string_view input);
void Combo(std::string_view input);
void QueueFile(std::string_view input);
void CodePage(std::string_view input);
void Hive(std::string_view input);
void Registry(std::string_view input);
void Link(std::string_view input);
void EnvVars(std::string_view input);
void MenuFile(std::string_view input);
void MenuRoundTrip(std::string_view input);

} // namespace z9::fuzz
