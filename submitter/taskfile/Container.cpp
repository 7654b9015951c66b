#include "Container.h"

#include "common/AsciiText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string_view>

namespace z9 {
namespace {

// ---- Key material -------------------------------------------------------
// Fixed for every file this system writes and reads: changing any of it makes
// existing encrypted task files and scrambled values unreadable.

// Six alphabets of 64 distinct printable characters. 1, 2 and 4 carry the low
// six bits of body bytes, 3 the collected high bits, 1 to 5 the digits of a
// line key and 6 the key's top bits and decoys.
constexpr std::array<const char*, 6> kAlphabets = {
    "NuEn'1bLOt5;K#C)@F.c4(>QW&VAG%Ig}v+$wH/eq<Y8-afkoi3[_S|Msy0mRT{,",
    "ea:RGC8Dvf)(Ww*mJuEyg4+xIr'%_3^]jTb|F.o[pPK#B/=;zZ70k{sqO@5XAnY$",
    "~lS@d_9:KJL|h462.TZX]zRfm`3-0bpo/#!7Y$*jAEg>sBq5CF^Or1yWewaQ%<;k",
    "Fy3-$:o)1N6uwDCJ<('pcMKB>*Q0%xgk^!URPGrn4OSa9VHY}ihvA[+t~l.Iq#se",
    "s&g/N)Q!0#4]7Sjpc@;'J-B*[v}=<e(fnk6+G3dIwWiKyV>P:MAElzobR{2|uOr$",
    "&q03olOH(uUYADZc_#>VLryJh5g|w`,Mm7k4EXQ6;-T/KCPG!}tbn=%2+@8':*~1",
};

// The opening and closing marker lines, 40 characters each as hexadecimal.
// Both hold characters no alphabet has, so no body line can ever equal them.
constexpr const char* kOpenMarkerHex =
    "6EB12FD638DD2CA04F24819845BDF48EF2EDA45021743E7029342C408F7BA32C24C4A68CE04FECE4";
constexpr const char* kCloseMarkerHex =
    "B0B095B252C36D9359F6F0614A7B6E4C9AE4776A2C84CB2EB5F7BEFB5C9A912B41CE6A316D62596E";

// The value scrambling key: 256 hexadecimal-digit characters, used as characters.
constexpr const char* kScrambleKey = "2C0E007720D37C6FC4AE40024A14550628F01BFB7B7DA52C534AD61A71655DF8"
                                     "88632B7F232F07DD7BEC27F0DCE0C2F8A795749F38B617689F221CACDE72E2F7"
                                     "79D08C8E27C7A78D18DBE8247EE07CD61497578AD3E4BAC50599ADAD050D3683"
                                     "C69A3DEB6A7A378918A5426D881ED7490255A8930B05FD5822F862144B6F6CCD";

// --------------------------------------------------------------------------

using Byte = unsigned char;

std::mt19937& Rng() {
    static std::mt19937 rng{std::random_device{}()};
    return rng;
}

int RandomInt(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(Rng());
}

// Uniform random bits, a few at a time, from whole draws of the generator:
// a body line needs some forty small numbers.
class RandomBits {
public:
    int Take(int n) {
        if (left_ < n) {
            bits_ = Rng()();
            left_ = 32;
        }
        const int value = static_cast<int>(bits_ & ((1u << n) - 1));
        bits_ >>= n;
        left_ -= n;
        return value;
    }
    // 1 to 14, each equally likely.
    int KeyDigit() {
        for (;;)
            if (int d = Take(4); d < 14) return d + 1;
    }

private:
    std::uint_fast32_t bits_ = 0;
    int left_ = 0;
};

char Symbol(int alphabet, int index) {
    return kAlphabets[alphabet - 1][index & 63];
}

// Index of a symbol in its alphabet; a foreign character counts as 0.
constexpr std::array<std::array<Byte, 256>, 6> kSymbolIndex = [] {
    std::array<std::array<Byte, 256>, 6> table{};
    for (std::size_t a = 0; a < 6; ++a)
        for (Byte i = 0; i < 64; ++i)
            table[a][static_cast<Byte>(kAlphabets[a][i])] = i;
    return table;
}();

int IndexOf(int alphabet, char c) {
    return kSymbolIndex[alphabet - 1][static_cast<Byte>(c)];
}

const std::string& OpenMarker() {
    static const std::string marker = HexDecode(kOpenMarkerHex);
    return marker;
}

const std::string& CloseMarker() {
    static const std::string marker = HexDecode(kCloseMarkerHex);
    return marker;
}

// The key stream of one line: a 4-byte block that moves on every four bytes.
class KeyStream {
public:
    explicit KeyStream(const std::array<Byte, 4>& key) : block_(key) {}

    void Apply(char* bytes, std::size_t size) {
        for (std::size_t i = 0; i < size; i += 4) {
            Advance();
            const std::size_t n = std::min<std::size_t>(4, size - i);
            for (std::size_t k = 0; k < n; ++k)
                bytes[i + k] = static_cast<char>(static_cast<Byte>(bytes[i + k]) ^ block_[k]);
        }
    }

private:
    void Advance() {
        ++counter_;
        int s = 1 + block_[0] + block_[1] + block_[2] + block_[3];
        int a = (counter_ + s) % 4 + 1;
        int b = ((counter_ % 3) + (s % 5)) % 4 + 1;
        if (a == b) b = a > 2 ? a - 2 : a + 2;
        int p = ((counter_ % 5) + a + b) % 4 + 1;
        SwapField(a, b, p);
        SwapField(5 - b, 5 - a, p);
    }

    // Swaps two-bit field p (1: bits 0-1 .. 4: bits 6-7) between bytes x and y (1-based).
    void SwapField(int x, int y, int p) {
        const int shift = 2 * (p - 1);
        const Byte mask = static_cast<Byte>(3 << shift);
        Byte& bx = block_[x - 1];
        Byte& by = block_[y - 1];
        Byte fx = bx & mask, fy = by & mask;
        bx = static_cast<Byte>((bx & ~mask) | fy);
        by = static_cast<Byte>((by & ~mask) | fx);
    }

    std::array<Byte, 4> block_;
    int counter_ = 5;
};

int FillerCount(int r1, int r2, int r3) {
    return ((r1 & 12) | (r2 & 3) | (r3 & 48)) % 5;
}

Byte RotateRight(Byte c) {
    return static_cast<Byte>((c >> 1) | (c << 7));
}
Byte RotateLeft(Byte c) {
    return static_cast<Byte>((c << 1) | (c >> 7));
}

// Swaps the two bits at shift between a and b.
void SwapBits(Byte& a, Byte& b, int shift) {
    const Byte mask = static_cast<Byte>(3 << shift);
    Byte fa = a & mask, fb = b & mask;
    a = static_cast<Byte>((a & ~mask) | fb);
    b = static_cast<Byte>((b & ~mask) | fa);
}

// Hides the length byte c in block characters 1, 3 and 4; doing it twice undoes it.
void SwapLengthBits(std::string& block, Byte& c) {
    Byte b1 = static_cast<Byte>(block[0]), b3 = static_cast<Byte>(block[2]), b4 = static_cast<Byte>(block[3]);
    SwapBits(b1, c, 6);
    SwapBits(b3, c, 4);
    SwapBits(b4, c, 2);
    block[0] = static_cast<char>(b1);
    block[2] = static_cast<char>(b3);
    block[3] = static_cast<char>(b4);
}

// XOR with the key text from position 129 - length (1-based). A 129-character
// block (a 128-character value) starts at the key's first character.
void XorWithKey(std::string& block) {
    const std::size_t start = block.size() >= 128 ? 0 : 128 - block.size();
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] =
            static_cast<char>(static_cast<Byte>(block[i]) ^ static_cast<Byte>(kScrambleKey[start + i]));
}

} // namespace

std::string HexDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size() / 2);
    int high = -1;
    for (char c : text) {
        int d = UpperHexDigit(c);
        if (d < 0) continue;
        if (high < 0) {
            high = d;
        } else {
            out.push_back(static_cast<char>(high * 16 + d));
            high = -1;
        }
    }
    return out;
}

std::string HexEncode(const std::string& text) {
    std::string hex;
    hex.reserve(text.size() * 2);
    for (char c : text)
        AppendHexByte(hex, static_cast<Byte>(c));
    return hex;
}

namespace {

// Appends the body line of up to 40 plain characters to out.
void EncipherLineInto(std::string_view chunk, std::string& out) {
    RandomBits random;
    // Line key: no hexadecimal digit of a key byte is 0 or F.
    std::array<Byte, 4> key{};
    for (auto& k : key)
        k = static_cast<Byte>(16 * random.KeyDigit() + random.KeyDigit());

    // Key group k1..k6.
    const unsigned h = key[0] / 64;
    const unsigned long v = (key[0] % 64) * (1UL << 24) + key[1] * (1UL << 16) + key[2] * (1UL << 8) + key[3];
    char k[7];
    k[1] = Symbol(6, static_cast<int>(9 * (h + 1)) - 1);
    for (int n = 1; n <= 5; ++n)
        k[n + 1] = Symbol(n, static_cast<int>((v >> (6 * (5 - n))) & 63));

    const int r1 = random.Take(6), r2 = random.Take(6), r3 = random.Take(6);
    const int fillers = FillerCount(r1, r2, r3);
    const std::size_t size = chunk.size();
    const std::size_t bodySize = size / 3 * 4 + (size % 3 ? size % 3 + 1 : 0);

    // The line is written in place at the end of out.
    const std::size_t at = out.size();
    out.resize(at + 6 + bodySize + 6 + static_cast<std::size_t>(fillers));
    char* o = out.data() + at;

    // Header: the key group among random symbols.
    *o++ = Symbol(5, r1);
    *o++ = k[4];
    *o++ = k[2];
    *o++ = Symbol(3, r2);
    *o++ = k[3];
    *o++ = Symbol(1, r3);

    // Body: three bytes in four symbols, the high bits collected in alphabet 3.
    char bytes[kContainerChunk];
    std::string longer; // a chunk longer than a body line is still enciphered whole
    char* plain = bytes;
    if (size > kContainerChunk) {
        longer.assign(chunk);
        plain = longer.data();
    } else {
        std::copy_n(chunk.data(), size, bytes);
    }
    KeyStream(key).Apply(plain, size);
    for (std::size_t i = 0; i < size; i += 3) {
        const std::size_t left = size - i;
        const Byte b0 = static_cast<Byte>(plain[i]);
        const Byte b1 = left > 1 ? static_cast<Byte>(plain[i + 1]) : 0;
        const Byte b2 = left > 2 ? static_cast<Byte>(plain[i + 2]) : 0;
        int x = 16 * (b0 >> 6);
        if (left == 1)
            x += random.Take(2) + 4 * random.Take(2);
        else
            x += (b1 >> 6) + 4 * (b2 >> 6);
        *o++ = Symbol(1, b0);
        if (left > 1) *o++ = Symbol(2, b1);
        *o++ = Symbol(3, x);
        if (left > 2) *o++ = Symbol(4, b2);
    }

    // The rest of the header, the fillers, and k1 last.
    *o++ = Symbol(4, random.Take(6));
    *o++ = k[6];
    *o++ = Symbol(2, random.Take(6));
    *o++ = Symbol(6, random.Take(6));
    *o++ = k[5];
    for (int i = fillers; i > 0; --i)
        *o++ = Symbol(3, random.Take(6));
    *o++ = k[1];
}

// Appends the plain characters of one body line to out.
void DecipherLineInto(std::string_view line, std::string& out) {
    const std::size_t len = line.size();
    if (len < 12) return;
    const int n = FillerCount(IndexOf(5, line[0]), IndexOf(3, line[3]), IndexOf(1, line[5]));
    const std::size_t tailSize = 6 + static_cast<std::size_t>(n);
    if (len < 6 + tailSize) return;
    const char k1 = line[len - 1], k5 = line[len - 2 - n], k6 = line[len - 5 - n];
    const char k2 = line[2], k3 = line[4], k4 = line[1];

    const unsigned h = static_cast<unsigned>(IndexOf(6, k1)) / 9;
    unsigned long v = 0;
    const char digits[5] = {k2, k3, k4, k5, k6};
    for (int d = 0; d < 5; ++d)
        v = v * 64 + static_cast<unsigned long>(IndexOf(d + 1, digits[d]));
    std::array<Byte, 4> key{static_cast<Byte>((h * 64 + (v >> 24)) & 255), static_cast<Byte>((v >> 16) & 255),
                            static_cast<Byte>((v >> 8) & 255), static_cast<Byte>(v & 255)};

    // At most three bytes for every four symbols, written in place at the end of out.
    const std::size_t bodyEnd = len - tailSize;
    const std::size_t start = out.size();
    out.resize(start + (bodyEnd - 6) / 4 * 3 + 2);
    char* o = out.data() + start;
    for (std::size_t i = 6; i < bodyEnd; i += 4) {
        const std::size_t left = bodyEnd - i;
        if (left == 1) break; // never written by the encoder
        const int lo0 = IndexOf(1, line[i]);
        if (left == 2) {
            const int x = IndexOf(3, line[i + 1]);
            *o++ = static_cast<char>(lo0 | ((x >> 4) & 3) << 6);
            break;
        }
        const int lo1 = IndexOf(2, line[i + 1]);
        const int x = IndexOf(3, line[i + 2]);
        *o++ = static_cast<char>(lo0 | ((x >> 4) & 3) << 6);
        *o++ = static_cast<char>(lo1 | (x & 3) << 6);
        if (left >= 4) *o++ = static_cast<char>(IndexOf(4, line[i + 3]) | ((x >> 2) & 3) << 6);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    KeyStream(key).Apply(out.data() + start, out.size() - start);
}

} // namespace

std::string EncipherLine(const std::string& chunk) {
    std::string line;
    line.reserve(80);
    EncipherLineInto(chunk, line);
    return line;
}

std::string DecipherLine(const std::string& line) {
    std::string bytes;
    bytes.reserve(line.size());
    DecipherLineInto(line, bytes);
    return bytes;
}

ContainerWriter::ContainerWriter(PieceWriter::Sink sink) : out_(std::move(sink)) {
    std::string padding(40, ' ');
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (char& c : padding) {
        int code = static_cast<int>(unit(Rng()) * 10000) % 256;
        if (code < 32) code += 32;
        c = static_cast<char>(code);
    }
    for (std::string_view line : {std::string_view(kContainerLine1), std::string_view(kContainerLine2),
                                  std::string_view(OpenMarker()), std::string_view(padding)}) {
        out_.Add(line);
        out_.Add("\r\n");
    }
}

bool ContainerWriter::Line(std::string_view chunk) {
    EncipherLineInto(chunk, out_.Room());
    out_.Room().append("\r\n");
    return out_.Added();
}

bool ContainerWriter::Add(std::string_view plain) {
    if (!chunk_.empty()) {
        const std::size_t take = std::min(plain.size(), kContainerChunk - chunk_.size());
        chunk_.append(plain.substr(0, take));
        plain.remove_prefix(take);
        if (chunk_.size() < kContainerChunk) return true;
        const bool ok = Line(chunk_);
        chunk_.clear();
        if (!ok) return false;
    }
    for (; plain.size() >= kContainerChunk; plain.remove_prefix(kContainerChunk))
        if (!Line(plain.substr(0, kContainerChunk))) return false;
    chunk_.assign(plain);
    return true;
}

bool ContainerWriter::Finish() {
    if (!chunk_.empty()) Line(chunk_);
    chunk_.clear();
    out_.Add(CloseMarker());
    out_.Add("\r\n");
    out_.Add(kContainerEnd);
    return out_.Finish();
}

std::string BuildContainer(const std::string& plainText) {
    // A body line is at most 6 + 54 + 10 symbols and its CR LF: one room for
    // it all, and for the CR LF a saved file ends with.
    std::string out;
    out.reserve(256 + (plainText.size() + kContainerChunk - 1) / kContainerChunk * 72);
    ContainerWriter writer([&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    writer.Add(plainText);
    writer.Finish();
    return out;
}

bool OpenContainer(Z9StringReader& reader) {
    const bool doubled = reader.DoubledDelimiters();
    reader.DoubledDelimiters(false);
    reader.ResetPosition();
    auto done = [&](bool result) {
        reader.DoubledDelimiters(doubled);
        reader.ResetPosition();
        return result;
    };
    if (reader.ReadNextLine() != kContainerLine1) return done(false);
    if (reader.ReadNextLine() != kContainerLine2) return done(false);
    if (reader.ReadNextLine() != OpenMarker()) return done(false);
    if (reader.ReadNextLine().empty()) return done(false);

    // The body lines are read in place: a 10 MB file is millions of short lines.
    const std::string_view text(reader.toString());
    const std::string_view delimiter(reader.Delimiter());
    std::size_t pos = reader.Position() - 1;
    auto nextLine = [&] {
        std::size_t end = text.find(delimiter, pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = std::min(text.size(), end + delimiter.size());
        return line;
    };
    // Four symbols carry three bytes and every line has twelve symbols of key
    // and filler, so three quarters of the rest hold the plain text: one room, no copies.
    std::string plain;
    plain.reserve((text.size() - std::min(pos, text.size())) / 4 * 3 + 3);
    for (;;) {
        if (pos >= text.size()) return done(false);
        std::string_view body = nextLine();
        if (body == CloseMarker()) break;
        DecipherLineInto(body, plain);
    }
    if (pos >= text.size() || nextLine() != kContainerEnd) return done(false);
    reader.toString(std::move(plain));
    return done(true);
}

std::string ScrambleValue(const std::string& value) {
    const std::size_t len = value.size();
    if (len == 0 || len > 128) return {};
    // Reversed, odd positions rotated right and even ones left.
    std::string t(len, '\0');
    for (std::size_t m = 1; m <= len; ++m) {
        Byte c = static_cast<Byte>(value[m - 1]);
        t[len - m] = static_cast<char>(m % 2 ? RotateRight(c) : RotateLeft(c));
    }
    std::string block;
    if (len >= 6) {
        block = t.substr(0, 5) + ' ' + t.substr(5);
    } else {
        block.resize(6, ' ');
        for (int i = 0; i < 5; ++i)
            block[i] = static_cast<char>(RandomInt(0, 255));
        block.replace(0, len, t);
    }
    Byte c = static_cast<Byte>(len);
    SwapLengthBits(block, c);
    block[5] = static_cast<char>(c);
    XorWithKey(block);
    return HexEncode(block);
}

std::string UnscrambleValue(const std::string& hexText) {
    // 258 digits is the longest ScrambleValue writes (a 128-character value).
    if (hexText.empty() || hexText.size() > 258) return {};
    std::string block = HexDecode(hexText);
    if (block.size() < 6) return {};
    XorWithKey(block);
    Byte c = static_cast<Byte>(block[5]);
    SwapLengthBits(block, c);
    const std::size_t len = c;
    if (len == 0 || len > 128) return {};
    std::string t = len < 6 ? block.substr(0, len) : block.substr(0, 5) + block.substr(6);
    if (t.size() < len) return {};
    std::string value(len, '\0');
    for (std::size_t m = 1; m <= len; ++m) {
        Byte ch = static_cast<Byte>(t[len - m]);
        value[m - 1] = static_cast<char>(m % 2 ? RotateLeft(ch) : RotateRight(ch));
    }
    return value;
}

} // namespace z9
