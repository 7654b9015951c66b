#pragma once
// The trouble ticket without its form: the checks of the answers, the ticket
// text, the messages around it and the ticket file. Text is ANSI bytes; no Qt.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace z9 {

// The support mailbox the user mails the ticket to. It is a setting of the
// menu program: HKEY_CURRENT_USER\Software\Brindle\Zorvan Menu\Settings,
// string value "SupportMail"; without it the ticket goes to kDefaultSupportMail.
inline constexpr const char* kSupportMailSection = "Settings";
inline constexpr const char* kSupportMailValue = "SupportMail";
inline constexpr const char* kDefaultSupportMail = "support@zorvan.example";
std::string SupportMailAddress();

// The letter the form greets the user with; its parts are separated by CR LF CR LF.
const std::string& GreetingLetter();

// The captions of the operating-system boxes of each row, in index order.
inline constexpr std::array<const char*, 5> kServerSystems = {"2000", "XP", "NT 4.0", "2003", "Other"};
inline constexpr std::array<const char*, 6> kWorkstationSystems = {"2000", "XP", "NT 4.0",
                                                                   "Me",   "98", "Other"};

// One operating-system box as the form shows it.
struct SystemBox {
    std::string caption;
    bool ticked = false;
};

// The captions of the ticked boxes in index order, joined by '-' ("2000-2003");
// empty when nothing is ticked.
std::string TickedSystems(const std::vector<SystemBox>& boxes);

// The form's answers.
struct TicketAnswers {
    std::string replyAddress;
    // Existing and planned servers, existing and planned workstations, as typed.
    std::array<std::string, 4> counts = {"0", "0", "0", "0"};
    std::string serverSystems;      // TickedSystems of the servers' row
    std::string workstationSystems; // TickedSystems of the workstations' row
    std::string description;        // line breaks as CR LF
};

// The control a failed check sends the user to.
enum class TicketField {
    None,
    ReplyAddress,         // Text1
    WorkstationsExisting, // Text2(2)
    ServerSystems,        // Check1(0)
    WorkstationSystems,   // Check2(0)
    Description,          // Text3
};

// Why no ticket came out: the message, its box style and where the focus goes.
struct TicketProblem {
    std::string message;
    int style = 0;
    TicketField focus = TicketField::None;
};

// Either the ticket text or the problem that stopped it.
struct TicketResult {
    std::string text;
    std::optional<TicketProblem> problem;
};

// Checks the answers in the order the user is asked to mend them and assembles
// the ticket: lines joined by CR LF, no line break after the last one. A count
// that is no number stops it with the run-time error message.
TicketResult AssembleTicket(const TicketAnswers& answers, const std::string& supportMail,
                            const std::string& appTitle);

// The ticket as its file holds it: the text and a closing CR LF.
std::string TicketFileBytes(const std::string& ticket);

// The confirmations after the ticket went to the clipboard or to a file.
std::string ClipboardConfirmation(const std::string& supportMail);
std::string FileConfirmation(const std::string& path, const std::string& supportMail);

// Writes the ticket file: the file at hostPath (the host's name for path) is
// created or replaced whole, or left as it was. On failure a plain box names
// path and the reason, and the result is false.
bool WriteTicketFile(const std::string& path, const std::string& hostPath, const std::string& text);

} // namespace z9
