#include "Ticket.h"

#include "common/MessageBox.h"
#include "common/SafeFile.h"
#include "common/Settings.h"

namespace z9 {
namespace {

constexpr const char* kCrLf = "\r\n";
// The description the system gives a text that is read as a number but is none.
constexpr const char* kTypeMismatch = "Type mismatch";

constexpr const char* kLeaveAsItIs = "Please do not change it and leave it as it is.";
constexpr const char* kAddressInFirstLine =
    "The destination e-mail address is also in the first line of Trouble Ticket.";

TicketResult Problem(std::string message, int style, TicketField focus) {
    return {{}, TicketProblem{std::move(message), style, focus}};
}

} // namespace

std::string SupportMailAddress() {
    AppKeyScope menuKey(kMenuAppKey);
    std::string address = GetSetting(kSupportMailSection, kSupportMailValue, kDefaultSupportMail);
    return address.empty() ? kDefaultSupportMail : address;
}

const std::string& GreetingLetter() {
    static const std::string letter =
        std::string("Dear Zorvan customer,") + kCrLf + kCrLf +
        "We are aware of the fact that our product should serve your needs. Building system that enables "
        "you to automatically perform your business functions is complex process, where we should work "
        "together to achieve optimal results. Our Trouble Ticket System was designed to help you." +
        kCrLf + kCrLf +
        "What we can do for you? You are probably on the other side of the world, living in environment, "
        "where some vendors are helping you to build your information system. By describing your working "
        "environment and needs we can help you to create the shopping list to buy our products as well as "
        "other necessary items. Next we can help you with advice how to use all system components on the "
        "best possible way to resolve your problems. Please fill in out very short formulary, which "
        "describes you hardware platform and add short description of your environment (technical "
        "environment, you are working with vendors or by yourself etc.) and shortly describe your business "
        "goals or technical problem. Please copy the Trouble Ticket to clipboard and copy the contents into "
        "you mailing system or save your Trouble Ticket into the file and send it by E-mail to us as "
        "attachment. We will try to answer you as soon as possible." +
        kCrLf + kCrLf + "Your Zorvan Development Team";
    return letter;
}

std::string TickedSystems(const std::vector<SystemBox>& boxes) {
    std::string systems;
    for (const SystemBox& box : boxes)
        if (box.ticked) systems += "-" + box.caption;
    return systems.empty() ? systems : systems.substr(1);
}

TicketResult AssembleTicket(const TicketAnswers& answers, const std::string& supportMail,
                            const std::string& appTitle) {
    const std::string& address = answers.replyAddress;
    if (address.find('@') == std::string::npos || address.size() < 3)
        return Problem("Please enter your e-mail where do you want to recive our reply.", vbExclamation,
                       TicketField::ReplyAddress);

    // The counts are read as whole numbers (blanks around them allowed, a
    // fraction rounded); pasted text that is no number stops the ticket.
    std::array<long, 4> count{};
    for (size_t i = 0; i < count.size(); ++i)
        if (!SettingNumber(answers.counts[i], count[i]))
            return Problem(std::string("There was an error creating Trouble Ticket.\n\n") + kTypeMismatch,
                           vbOKOnly, TicketField::None);
    const bool servers = count[0] != 0 || count[1] != 0;
    const bool workstations = count[2] != 0 || count[3] != 0;
    if (!servers && !workstations)
        return Problem("You have to enter at least one server or workstation.", vbExclamation,
                       TicketField::WorkstationsExisting);
    if (servers && answers.serverSystems.empty())
        return Problem("You have to enter at least one operating system.", vbExclamation,
                       TicketField::ServerSystems);
    if (workstations && answers.workstationSystems.empty())
        return Problem("You have to enter at least one operating system.", vbExclamation,
                       TicketField::WorkstationSystems);
    if (answers.description.size() < 20)
        return Problem("Please describe your problem.", vbExclamation, TicketField::Description);

    const std::string lines[] = {
        supportMail,
        ">> Zorvan Trouble Ticket <<",
        address,
        appTitle,
        "Hardware:",
        "Servers: " + answers.counts[0] + ", " + answers.counts[1] + ", " + answers.serverSystems,
        "Workstations: " + answers.counts[2] + ", " + answers.counts[3] + ", " + answers.workstationSystems,
        answers.description,
        "<< Zorvan Trouble Ticket >>",
    };
    TicketResult result;
    for (size_t i = 0; i < std::size(lines); ++i)
        result.text += (i ? kCrLf : "") + lines[i];
    return result;
}

std::string TicketFileBytes(const std::string& ticket) {
    return ticket + kCrLf;
}

std::string ClipboardConfirmation(const std::string& supportMail) {
    return std::string("Your Trouble Ticket has been sent to clipboard.\n\n") + kLeaveAsItIs +
           "\n\nPaste it to your e-mail message and send it to " + supportMail + ".\n" + kAddressInFirstLine;
}

std::string FileConfirmation(const std::string& path, const std::string& supportMail) {
    return "Your Trouble Ticket has been copied to file: " + path + ".\n\n" + kLeaveAsItIs +
           "\n\nAttach it to your e-mail message and send it to " + supportMail + ".\n" + kAddressInFirstLine;
}

bool WriteTicketFile(const std::string& path, const std::string& hostPath, const std::string& text) {
    std::string why;
    if (WriteFileSafely(hostPath, TicketFileBytes(text), {}, nullptr, &why)) return true;
    MessageBox("Cannot write your Trouble Ticket to file: " + path + "!\n\n" + why, vbOKOnly);
    return false;
}

} // namespace z9
