#pragma once
// The server's check of the task's account before anything is made for the task.
#include <string>

namespace z9 {

// The credential request's first field and the server's answers.
inline constexpr const char* kCredentialsWord = "CREDENTIALS";
inline constexpr const char* kGranted = "Granted";
inline constexpr const char* kDenied = "Denied";

// 1 when the server granted the account, 0 otherwise, after reporting why.
// password is the enciphered task password; queueLocation the one just learnt.
int CheckCredentials(const std::string& user, const std::string& password, const std::string& domain,
                     const std::string& server, const std::string& queueLocation);

} // namespace z9
