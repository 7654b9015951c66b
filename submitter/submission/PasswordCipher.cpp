#include "PasswordCipher.h"

#include "submitter/taskfile/Container.h"

#include <random>

namespace z9 {
namespace {

// Key material. Changing either value makes every stored password unreadable.
// The fixed key, combined with every block position.
constexpr char kFixedKey[] = "LKbQ=Gr4%bnPbF5";
static_assert(sizeof kFixedKey - 1 == 15);
// The position table, kept as hexadecimal text: each pair names one block
// position 0 to 39, each position exactly once.
constexpr char kPositionTable[] =
    "1B232507180E10060A1E01021124222604000B031D0F1A14160C1F0D151C27122005190821131709";

unsigned char Code(char c) {
    return static_cast<unsigned char>(c);
}

// 2c, folded back into 0..255 by taking 255 off.
char Doubled(char c) {
    int n = 2 * Code(c);
    return static_cast<char>(n > 255 ? n - 255 : n);
}

// The inverse of Doubled: 0 and 255 stay, an even b becomes b / 2, an odd one (b - 1) / 2 + 128.
char Halved(char c) {
    int b = Code(c);
    if (b == 0 || b == 255) return c;
    return static_cast<char>(b % 2 == 0 ? b / 2 : (b - 1) / 2 + 128);
}

// Block position p (0-based) uses key character p + 1 up to 15, and key character (p + 1) mod 15 + 1 after
// it.
void CombineWithKey(std::string& block) {
    for (std::size_t p = 0; p < block.size(); ++p) {
        std::size_t i = p + 1;
        std::size_t k = i <= 15 ? i - 1 : i % 15;
        block[p] = static_cast<char>(Code(block[p]) ^ Code(kFixedKey[k]));
    }
}

std::string RandomFill() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> code(0, 255);
    std::string fill(kCipherBlock, '\0');
    for (char& c : fill)
        c = static_cast<char>(code(generator));
    return fill;
}

} // namespace

std::string CipherPositions() {
    return HexDecode(kPositionTable).substr(0, kCipherBlock);
}

std::string EncipherPassword(const std::string& text, const std::string& fill) {
    if (text.size() > kCipherMaxText || fill.size() != kCipherBlock) return {};
    std::string block = fill;
    block[kCipherBlock - 1] = static_cast<char>(5 * text.size());
    block.replace(kCipherBlock - 1 - text.size(), text.size(), text);
    CombineWithKey(block);

    const std::string positions = CipherPositions();
    std::string result;
    result.reserve(kCipherBlock);
    for (std::size_t i = 0; i < kCipherBlock; ++i) {
        char c = block[Code(positions[i])];
        result += i % 2 == 0 ? Halved(c) : Doubled(c); // odd positions counting from 1 are halved
    }
    return result;
}

std::string DecipherPassword(const std::string& text) {
    if (text.size() != kCipherBlock) return {};
    const std::string positions = CipherPositions();
    std::string block(kCipherBlock, ' ');
    for (std::size_t i = 0; i < kCipherBlock; ++i)
        block[Code(positions[i])] = i % 2 == 0 ? Doubled(text[i]) : Halved(text[i]);
    CombineWithKey(block);

    // The length was stored as five times itself; the nearest whole number of fifths.
    std::size_t n = (Code(block[kCipherBlock - 1]) + 2) / 5;
    if (n > kCipherMaxText) return {};
    return block.substr(kCipherBlock - 1 - n, n);
}

std::string PasswordCipher(const std::string& text, const std::string& direction) {
    if (direction == "E") return EncipherPassword(text, RandomFill());
    if (direction == "D") return DecipherPassword(text);
    return {};
}

} // namespace z9
