#include "Container.h"

#include "common/AsciiText.h"

#include <array>
#include <random>

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

char Symbol(int alphabet, int index) {
    return kAlphabets[alphabet - 1][index & 63];
}

// Index of a symbol in its alphabet; a foreign character counts as 0.
struct SymbolIndex {
    std::array<std::array<signed char, 256>, 6> table{};
    SymbolIndex() {
        for (auto& row : table)
            row.fill(-1);
        for (int a = 0; a < 6; ++a)
            for (int i = 0; i < 64; ++i)
                table[a][static_cast<Byte>(kAlphabets[a][i])] = static_cast<signed char>(i);
    }
};

int IndexOf(int alphabet, char c) {
    static const SymbolIndex index;
    int i = index.table[alphabet - 1][static_cast<Byte>(c)];
    return i < 0 ? 0 : i;
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

    void Apply(std::string& bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % 4 == 0) Advance();
            bytes[i] = static_cast<char>(static_cast<Byte>(bytes[i]) ^ block_[i % 4]);
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

std::string EncipherLine(const std::string& chunk) {
    // Line key: no hexadecimal digit of a key byte is 0 or F.
    std::array<Byte, 4> key{};
    for (auto& k : key)
        k = static_cast<Byte>(16 * RandomInt(1, 14) + RandomInt(1, 14));

    // Key group k1..k6.
    const unsigned h = key[0] / 64;
    const unsigned long v = (key[0] % 64) * (1UL << 24) + key[1] * (1UL << 16) + key[2] * (1UL << 8) + key[3];
    char k[7];
    k[1] = Symbol(6, static_cast<int>(9 * (h + 1)) - 1);
    for (int n = 1; n <= 5; ++n)
        k[n + 1] = Symbol(n, static_cast<int>((v >> (6 * (5 - n))) & 63));

    // Header: the key group among random symbols.
    const int r1 = RandomInt(0, 63), r2 = RandomInt(0, 63), r3 = RandomInt(0, 63);
    std::string head{Symbol(5, r1), k[4], k[2], Symbol(3, r2), k[3], Symbol(1, r3)};
    std::string tail{Symbol(4, RandomInt(0, 63)), k[6], Symbol(2, RandomInt(0, 63)),
                     Symbol(6, RandomInt(0, 63)), k[5]};
    for (int i = FillerCount(r1, r2, r3); i > 0; --i)
        tail.push_back(Symbol(3, RandomInt(0, 63)));
    tail.push_back(k[1]);

    std::string bytes = chunk;
    KeyStream(key).Apply(bytes);

    // Body: three bytes in four symbols, the high bits collected in alphabet 3.
    std::string body;
    body.reserve(bytes.size() / 3 * 4 + 3);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const Byte b0 = static_cast<Byte>(bytes[i]);
        const Byte b1 = left > 1 ? static_cast<Byte>(bytes[i + 1]) : 0;
        const Byte b2 = left > 2 ? static_cast<Byte>(bytes[i + 2]) : 0;
        int x = 16 * (b0 >> 6);
        if (left == 1)
            x += RandomInt(0, 3) + 4 * RandomInt(0, 3);
        else
            x += (b1 >> 6) + 4 * (b2 >> 6);
        body.push_back(Symbol(1, b0));
        if (left > 1) body.push_back(Symbol(2, b1));
        body.push_back(Symbol(3, x));
        if (left > 2) body.push_back(Symbol(4, b2));
    }
    return head + body + tail;
}

std::string DecipherLine(const std::string& line) {
    const std::size_t len = line.size();
    if (len < 12) return {};
    const int n = FillerCount(IndexOf(5, line[0]), IndexOf(3, line[3]), IndexOf(1, line[5]));
    const std::size_t tailSize = 6 + static_cast<std::size_t>(n);
    if (len < 6 + tailSize) return {};
    const char k1 = line[len - 1], k5 = line[len - 2 - n], k6 = line[len - 5 - n];
    const char k2 = line[2], k3 = line[4], k4 = line[1];

    const unsigned h = static_cast<unsigned>(IndexOf(6, k1)) / 9;
    unsigned long v = 0;
    const char digits[5] = {k2, k3, k4, k5, k6};
    for (int d = 0; d < 5; ++d)
        v = v * 64 + static_cast<unsigned long>(IndexOf(d + 1, digits[d]));
    std::array<Byte, 4> key{static_cast<Byte>((h * 64 + (v >> 24)) & 255), static_cast<Byte>((v >> 16) & 255),
                            static_cast<Byte>((v >> 8) & 255), static_cast<Byte>(v & 255)};

    const std::size_t bodyEnd = len - tailSize;
    std::string bytes;
    bytes.reserve((bodyEnd - 6) / 4 * 3 + 2);
    for (std::size_t i = 6; i < bodyEnd; i += 4) {
        const std::size_t left = bodyEnd - i;
        if (left == 1) break; // never written by the encoder
        const int lo0 = IndexOf(1, line[i]);
        if (left == 2) {
            const int x = IndexOf(3, line[i + 1]);
            bytes.push_back(static_cast<char>(lo0 | ((x >> 4) & 3) << 6));
            break;
        }
        const int lo1 = IndexOf(2, line[i + 1]);
        const int x = IndexOf(3, line[i + 2]);
        bytes.push_back(static_cast<char>(lo0 | ((x >> 4) & 3) << 6));
        bytes.push_back(static_cast<char>(lo1 | (x & 3) << 6));
        if (left >= 4) bytes.push_back(static_cast<char>(IndexOf(4, line[i + 3]) | ((x >> 2) & 3) << 6));
    }
    KeyStream(key).Apply(bytes);
    return bytes;
}

std::string BuildContainer(const std::string& plainText) {
    std::string padding(40, ' ');
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (char& c : padding) {
        int code = static_cast<int>(unit(Rng()) * 10000) % 256;
        if (code < 32) code += 32;
        c = static_cast<char>(code);
    }
    const std::size_t lines = (plainText.size() + kContainerChunk - 1) / kContainerChunk;
    std::string out;
    out.reserve(200 + lines * 72);
    auto line = [&out](const std::string& s) { out.append(s).append("\r\n"); };
    line(kContainerLine1);
    line(kContainerLine2);
    line(OpenMarker());
    line(padding);
    for (std::size_t i = 0; i < plainText.size(); i += kContainerChunk)
        line(EncipherLine(plainText.substr(i, kContainerChunk)));
    line(CloseMarker());
    out.append(kContainerEnd);
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
    std::string plain;
    for (;;) {
        if (reader.IsEOF()) return done(false);
        std::string body = reader.ReadNextLine();
        if (body == CloseMarker()) break;
        plain += DecipherLine(body);
    }
    if (reader.ReadNextLine() != kContainerEnd) return done(false);
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
