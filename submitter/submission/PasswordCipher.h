#pragma once
// The password cipher: the reversible form in which a task carries its
// account's password. Task files hold the enciphered form in hexadecimal; the
// submitter deciphers it only where the plain password is needed. Plain logic:
// no Qt here.
#include <cstddef>
#include <string>

namespace z9 {

// The enciphered form is always one block of this many characters.
inline constexpr std::size_t kCipherBlock = 40;
// The longest password the block holds: its last character carries the length.
inline constexpr std::size_t kCipherMaxText = kCipherBlock - 1;

// direction "E" enciphers a password of at most 39 characters into 40; "D"
// deciphers such a block. Anything else (a longer password, a block of another
// length, one that names an impossible length, another direction) gives empty text.
std::string PasswordCipher(const std::string& text, const std::string& direction);

// "E" with the block's random filling given: the 40 characters the block holds
// before the password and its length are put in (tools and checks use it).
std::string EncipherPassword(const std::string& text, const std::string& fill);
std::string DecipherPassword(const std::string& block);

// Key material: the block position (0 to 39) that each character of the
// enciphered form is taken from, in order.
std::string CipherPositions();

} // namespace z9
