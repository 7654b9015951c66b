// The code page door on Linux: iconv.
#include "CodePage.h"

#include "Program.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <unordered_map>

namespace z9 {
namespace {

// One table per single-byte code page: byte -> UTF-16 unit and back. Bytes the
// code page leaves undefined map to U+0080..U+009F as Windows maps them, so all
// 256 bytes survive a round trip.
struct SingleByteTable {
    std::array<char16_t, 256> toUnicode{};
    std::unordered_map<char16_t, unsigned char> fromUnicode;
};

const SingleByteTable* TableFor(int codePage) {
    static std::mutex mutex;
    static std::unordered_map<int, SingleByteTable> tables;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = tables.find(codePage);
    if (found != tables.end()) return &found->second;

    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    SingleByteTable table;
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        // Each byte on its own from a fresh state, and then the state flushed:
        // the Hebrew and Vietnamese pages hold a letter back until they know
        // whether a combining mark follows, and a byte that has no character
        // leaves nothing behind for the next one.
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (r != static_cast<size_t>(-1)) r = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        char16_t unit = static_cast<char16_t>(b);
        if (r != static_cast<size_t>(-1) && outLeft == sizeof out - 2)
            unit = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                         (static_cast<unsigned char>(out[1]) << 8));
        table.toUnicode[b] = unit;
    }
    iconv_close(cd);
    for (int b = 255; b >= 0; --b)
        table.fromUnicode[table.toUnicode[b]] = static_cast<unsigned char>(b);
    return &tables.emplace(codePage, std::move(table)).first->second;
}

const SingleByteTable* TableOrWestern(int codePage) {
    const SingleByteTable* table = TableFor(codePage);
    return table ? table : TableFor(1252);
}

bool IsDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::string IconvName(int codePage) {
    switch (codePage) {
    case 936:
        return "GBK";
    case 950:
        return "BIG5";
    default:
        return "CP" + std::to_string(codePage);
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Opening a converter loads its code page's module, and closing it unloads the
// module again: far more work than converting a caption. Each thread keeps the
// converters it opened (a converter is not to be shared) until it ends.
class OpenConverters {
public:
    OpenConverters() = default;
    OpenConverters(const OpenConverters&) = delete;
    OpenConverters& operator=(const OpenConverters&) = delete;
    ~OpenConverters() {
        for (auto& entry : open_)
            iconv_close(entry.second);
    }

    // The converter in its initial state, or (iconv_t)-1 when there is none.
    iconv_t Get(const std::string& from, const std::string& to) {
        const std::string key = from + '>' + to;
        auto found = open_.find(key);
        iconv_t cd = found != open_.end() ? found->second : iconv_open(to.c_str(), from.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) return cd;
        if (found == open_.end()) open_.emplace(key, cd);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return cd;
    }

private:
    std::unordered_map<std::string, iconv_t> open_;
};

// Converts with iconv, writing `bad` for each input unit that cannot be
// converted and going on. A unit is one byte of a double-byte code page, or one
// UTF-16 character (a surrogate pair counts as one).
std::string Convert(const std::string& from, const std::string& to, const std::string& text,
                    const std::string& bad, bool utf16Input) {
    thread_local OpenConverters converters;
    iconv_t cd = converters.Get(from, to);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += bad;
            size_t skip = 1;
            if (utf16Input) {
                char16_t unit =
                    static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                          (inLeft > 1 ? static_cast<unsigned char>(in[1]) << 8 : 0));
                skip = IsHighSurrogate(unit) && inLeft >= 4 &&
                               IsLowSurrogate(static_cast<char16_t>(static_cast<unsigned char>(in[2]) |
                                                                    (static_cast<unsigned char>(in[3]) << 8)))
                           ? 4
                           : 2;
            }
            skip = std::min(skip, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string AsBytes(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string FromBytes(const std::string& bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

} // namespace

int SystemAnsiCodePage() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        std::string name = EnvVar(variable);
        if (!name.empty()) return CodePageForLocaleName(name);
    }
    return CodePageForLocaleName("C");
}

std::u16string AnsiToUtf16(const std::string& bytes, int codePage) {
    if (bytes.empty()) return {};
    if (IsDoubleByte(codePage))
        return FromBytes(Convert(IconvName(codePage), "UTF-16LE", bytes, std::string("?\0", 2), false));
    const SingleByteTable* table = TableOrWestern(codePage);
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        text[i] = table ? table->toUnicode[b] : char16_t(b);
    }
    return text;
}

std::string Utf16ToAnsi(const std::u16string& text, int codePage) {
    if (text.empty()) return {};
    if (IsDoubleByte(codePage)) return Convert("UTF-16LE", IconvName(codePage), AsBytes(text), "?", true);
    const SingleByteTable* table = TableOrWestern(codePage);
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        // A character beyond the 16-bit range is one character, and one '?'.
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            bytes += '?';
            ++i;
            continue;
        }
        if (table) {
            auto found = table->fromUnicode.find(unit);
            bytes += found != table->fromUnicode.end() ? static_cast<char>(found->second) : '?';
        } else {
            bytes += unit < 256 ? static_cast<char>(unit) : '?';
        }
    }
    return bytes;
}

} // namespace z9
