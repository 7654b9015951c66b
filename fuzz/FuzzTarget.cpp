#include "fuzz/FuzzTarget.h"

#include "common/MessageBox.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace z9::fuzz {
namespace {

FailureHandler& Handler() {
    static FailureHandler handler = nullptr;
    return handler;
}

int messages = 0;
std::string lastMessage;
MessageHandler previousHandler;

} // namespace

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets = {
        {"taskfile", TaskFile},
        {"container", Container},
        {"scramble", Scramble},
        {"cipher", PasswordCipher},
        {"commandline", CommandLine},
        {"datetime", DateTime},
        {"number", Number},
        {"validate", Validate},
        {"combo", Combo},
        {"queuefile", QueueFile},
        {"codepage", CodePage},
        {"hive", Hive},
        {"registry", Registry},
        {"link", Link},
        {"envvars", EnvVars},
        {"menufile", MenuFile},
        {"menuroundtrip", MenuRoundTrip},
    };
    return targets;
}

const Target* FindTarget(const std::string& name) {
    for (const Target& t : Targets())
        if (name == t.name) return &t;
    return nullptr;
}

void Fail(const std::string& what, const char* file, int line) {
    std::string message = std::string(file) + ":" + std::to_string(line) + ": check failed: " + what;
    if (Handler()) Handler()(message);
    std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
}

FailureHandler SetFailureHandler(FailureHandler handler) {
    FailureHandler previous = Handler();
    Handler() = handler;
    return previous;
}

std::string Show(std::string_view bytes) {
    std::string out = "\"";
    std::size_t shown = 0;
    for (unsigned char c : bytes) {
        if (++shown > 400) {
            out += "...";
            break;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out + "\" (" + std::to_string(bytes.size()) + " bytes)";
}

std::string Show(long long number) {
    return std::to_string(number);
}

std::vector<std::string> Split(std::string_view input, char separator, std::size_t parts) {
    std::vector<std::string> out;
    while (out.size() + 1 < parts) {
        std::size_t at = input.find(separator);
        if (at == std::string_view::npos) break;
        out.emplace_back(input.substr(0, at));
        input.remove_prefix(at + 1);
    }
    out.emplace_back(input);
    out.resize(parts);
    return out;
}

MessageCounter::MessageCounter() {
    messages = 0;
    lastMessage.clear();
    previousHandler = SetMessageHandler([](const std::string& text, int style, const std::string&) {
        ++messages;
        lastMessage = text;
        // The default button, as a person who presses Enter would.
        int buttons = style & 7;
        if (buttons == vbYesNo || buttons == vbYesNoCancel) return static_cast<int>(vbYes);
        return static_cast<int>(vbOK);
    });
}

MessageCounter::~MessageCounter() {
    SetMessageHandler(std::move(previousHandler));
}

int MessageCounter::Count() const {
    return messages;
}

const std::string& MessageCounter::Last() const {
    return lastMessage;
}

void RemoveAbandonedScratch(const std::string& base) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kScratchPrefix, 0) != 0) continue;
        const std::size_t digits = name.find_first_not_of("0123456789", kScratchPrefix.size());
        if (digits == kScratchPrefix.size() || digits == std::string::npos || name[digits] != '-' ||
            digits - kScratchPrefix.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name.substr(kScratchPrefix.size())));
        if (::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}

const std::string& ScratchFolder() {
    // Never destroyed: the exit handler below still needs it.
    static const std::string* folder = [] {
        namespace fs = std::filesystem;
        // Memory-backed when there is such a folder: some targets write a file per input.
        fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        // A run that ended on a finding had no exit handler to clear its folder.
        RemoveAbandonedScratch(base.string());
        auto* made = new std::string(
            (base / (std::string(kScratchPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string());
        if (!::mkdtemp(made->data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        fs::create_directories(fs::path(*made) / "registry");
        ::setenv("Z9_REGISTRY_DIR", (fs::path(*made) / "registry").c_str(), 1);
        fs::current_path(*made);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return made;
    }();
    return *folder;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    Z9_FUZZ_CHECK(f != nullptr);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    Z9_FUZZ_CHECK(std::fclose(f) == 0 && written);
}

} // namespace z9::fuzz
