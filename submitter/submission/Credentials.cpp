#include "Credentials.h"

#include "Identity.h"
#include "JobQueue.h"
#include "PasswordCipher.h"
#include "ServerTask.h"

#include "common/Clock.h"
#include "common/Desktop.h"
#include "common/FileSearch.h"
#include "common/HostPath.h"
#include "common/MessageBox.h"
#include "submitter/base/ReportError.h"
#include "submitter/taskfile/Container.h"

#include <filesystem>
#include <optional>

namespace z9 {
namespace {

void RemoveFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::remove(HostFileName(path), ec) && ec) throw RunTimeError(ec.message());
}

} // namespace

int CheckCredentials(const std::string& user, const std::string& password, const std::string& domain,
                     const std::string& server, const std::string& queueLocation) {
    Clock::SleepProcessingEvents(0);
    std::optional<BusyCursor> busy(std::in_place);

    std::string answer;
    std::string description;
    std::string replyFile;
    bool replyReceived = false;
    std::unique_ptr<ServerTask> object;
    try {
        std::string key = MakeRequestKey(ComputerName(), WinUserDomain(), WinUserName());
        object = CreateServerTask(server);
        if (object) {
            answer = object->ValidateCredentials(user, PasswordCipher(password, "D"), domain, key);
        } else {
            std::string requestFile = InQueuePath(server, queueLocation) + key + ".urf";
            replyFile = ReplyQueuePath(server, queueLocation) + key + ".urr";
            WriteQueueFile(requestFile,
                           QueueLine({kCredentialsWord, user, HexEncode(password), domain, key + ".urr"}));
            bool found = false;
            for (int attempt = 0; attempt < 30 && !found; ++attempt) {
                Clock::SleepProcessingEvents(1000);
                found = !FindFileName(replyFile).empty();
            }
            if (!found) {
                busy.reset();
                ReportError("There has been no response from the Zorvan Server in 30 seconds.\n\n"
                            "Please try again later.",
                            vbExclamation);
                return 0;
            }
            replyReceived = true;
            answer = ReadFirstField(replyFile);
            RemoveFile(replyFile);
        }
        if (answer == kGranted) {
            object.reset();
            busy.reset();
            return 1;
        }
    } catch (const std::exception& e) {
        answer.clear();
        description = e.what();
    }

    busy.reset();
    object.reset();
    if (answer == kDenied)
        ReportError("The password you specified is incorrect or your account is inactive.\n\n"
                    "See your network administrator for your password or to activate your account.\n\n"
                    "User: " +
                        user + "\n\nDomain: " + domain,
                    vbExclamation);
    else if (!answer.empty())
        ReportError(answer, vbExclamation);
    else
        ReportError("Unknown error has occurred while validating credentials." +
                        (description.empty() ? std::string() : "\n\n" + description),
                    vbExclamation);
    if (replyReceived) {
        std::error_code ec;
        std::filesystem::remove(HostFileName(replyFile), ec);
    }
    return 0;
}

} // namespace z9
