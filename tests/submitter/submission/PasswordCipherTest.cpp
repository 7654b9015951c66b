#include "submitter/submission/PasswordCipher.h"
#include "submitter/taskfile/Container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace z9 {
namespace {

std::string Fill(int first) {
    std::string fill;
    for (int i = 0; i < 40; ++i)
        fill += static_cast<char>(first + i);
    return fill;
}

TEST(PasswordCipherTest, PositionTableNamesEveryBlockPositionOnce) {
    std::string table = CipherPositions();
    ASSERT_EQ(table.size(), 40u);
    std::vector<int> positions;
    for (char c : table)
        positions.push_back(static_cast<unsigned char>(c));
    std::sort(positions.begin(), positions.end());
    std::vector<int> expected(40);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(positions, expected);
}

// Worked out by hand from the key material; a changed key or table breaks it,
// and with it every password already stored in a task file.
TEST(PasswordCipherTest, KnownAnswer) {
    const std::string known =
        HexDecode("9C2220BE098E0B3000931708128C112CAA509F6CE6700E14AF24F06EA66B3896EA5C969227608C1E");
    EXPECT_EQ(EncipherPassword("secret", Fill(100)), known);
    EXPECT_EQ(PasswordCipher(known, "D"), "secret");

    const std::string emptyKnown =
        HexDecode("23E49268376A31E43796A5C4A868A3C49E9828A2269631E492C4318C1A6A377AA88E284A9E8E31C4");
    EXPECT_EQ(EncipherPassword("", std::string(40, '\0')), emptyKnown);
    EXPECT_EQ(PasswordCipher(emptyKnown, "D"), "");
}

TEST(PasswordCipherTest, RoundTripsEveryLengthAndEveryCharacter) {
    std::vector<std::string> texts = {"",
                                      "a",
                                      "Passw0rd!",
                                      std::string(39, 'z'),
                                      std::string(39, '\0'),
                                      std::string(39, '\xFF'),
                                      std::string(39, ' ')};
    // Every code 0..255 in some text, at every place of the block.
    for (int start = 0; start < 256; start += 13) {
        std::string t;
        for (int k = 0; k < 39; ++k)
            t += static_cast<char>((start + k) % 256);
        texts.push_back(t);
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> length(0, 39), code(0, 255);
    for (int n = 0; n < 3000; ++n) {
        std::string t(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : t)
            c = static_cast<char>(code(random));
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        std::string block = PasswordCipher(t, "E");
        ASSERT_EQ(block.size(), 40u) << "length " << t.size();
        ASSERT_EQ(PasswordCipher(block, "D"), t) << "length " << t.size();
    }
}

TEST(PasswordCipherTest, RoundTripsWhateverTheFilling) {
    const std::string text = "open sesame";
    for (int c : {0, 1, 127, 128, 254, 255}) {
        std::string block = EncipherPassword(text, std::string(40, static_cast<char>(c)));
        EXPECT_EQ(DecipherPassword(block), text) << "filling " << c;
    }
}

TEST(PasswordCipherTest, TheFillingIsRandom) {
    // Two blocks of the same password differ (identical ones would mean a fixed filling).
    EXPECT_NE(PasswordCipher("pw", "E"), PasswordCipher("pw", "E"));
}

TEST(PasswordCipherTest, LengthsTheBlockCannotHold) {
    // The block's last character carries the length, so 39 characters is the most it holds.
    EXPECT_EQ(PasswordCipher(std::string(39, 'x'), "E").size(), 40u);
    EXPECT_EQ(PasswordCipher(std::string(40, 'x'), "E"), "");
    EXPECT_EQ(PasswordCipher(std::string(41, 'x'), "E"), "");
    EXPECT_EQ(EncipherPassword("abc", std::string(39, 'x')), "");

    std::string block = PasswordCipher("abc", "E");
    EXPECT_EQ(PasswordCipher(block.substr(0, 39), "D"), "");
    EXPECT_EQ(PasswordCipher(block + "x", "D"), "");
    EXPECT_EQ(PasswordCipher("", "D"), "");
}

TEST(PasswordCipherTest, BlocksNamingAnImpossibleLength) {
    // A block whose length character reads 197 (39.4 fifths) gives 39 characters;
    // one reading 200 (40) names more than the block holds and gives nothing.
    const std::string len39 =
        HexDecode("1F14AE980B9A0D140B66993494989F34A26814521A660D14AE340D7C269AD58A947E14BAA27E0D34");
    const std::string len40 =
        HexDecode("1F14AE980B9A0D140B66993494989F34A26814521A660D14AE340D7C269A538A947E14BAA27E0D34");
    EXPECT_EQ(PasswordCipher(len39, "D"), std::string(39, 'x'));
    EXPECT_EQ(PasswordCipher(len40, "D"), "");
    // No 40-character text makes the decipher step read outside the block.
    for (int c = 0; c < 256; ++c)
        EXPECT_LE(PasswordCipher(std::string(40, static_cast<char>(c)), "D").size(), 39u);
}

TEST(PasswordCipherTest, OnlyTheTwoDirections) {
    EXPECT_EQ(PasswordCipher("pw", ""), "");
    EXPECT_EQ(PasswordCipher("pw", "e"), "");
    EXPECT_EQ(PasswordCipher("pw", "X"), "");
    EXPECT_EQ(PasswordCipher(PasswordCipher("pw", "E"), "d"), "");
}

} // namespace
} // namespace z9
