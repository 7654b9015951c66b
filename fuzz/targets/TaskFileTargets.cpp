// The task file, the container and the two password transformations.
#include "fuzz/FuzzTarget.h"

#include "submitter/submission/PasswordCipher.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"
#include "submitter/taskfile/Z9StringReader.h"

namespace z9::fuzz {
namespace {

bool IsUpperHex(const std::string& text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

// The plain text inside a container, or the text itself.
std::string Opened(const std::string& text) {
    Z9StringReader reader(text);
    reader.Delimiter("\r\n");
    if (OpenContainer(reader)) return reader.toString();
    return text;
}

// Names the first field in which two records differ.
template <class Record, std::size_t N>
std::string FirstDifferentField(const char* what, const Record& a, const Record& b,
                                const std::pair<const char*, std::string Record::*> (&fields)[N]) {
    for (const auto& [name, field] : fields)
        if (a.*field != b.*field)
            return std::string(what) + " " + name + ": " + Show(a.*field) + " / " + Show(b.*field);
    return {};
}

std::string FirstDifference(const TaskRecord& a, const TaskRecord& b) {
    using T = TaskRecord;
    static const std::pair<const char*, std::string T::*> general[] = {
        {"TASKNAME", &T::TaskName},
        {"USER", &T::User},
        {"PASSWORD", &T::Password},
        {"DOMAIN", &T::Domain},
        {"SERVER", &T::Server},
        {"SERVERPATH", &T::ServerPath},
        {"CPUPRIORITY", &T::CpuPriority},
        {"SCHEDULEDTIME", &T::ScheduledTime},
        {"DEPENDENT", &T::Dependent},
        {"QUEUEPRIORITY", &T::QueuePriority},
        {"MAXRC", &T::MaxRC},
        {"TASKREPORTFILE", &T::TaskReportFile},
        {"TASKREPEAT", &T::TaskRepeat},
        {"NUMBERSTEPS", &T::NumberSteps},
        {"NUMBERTASKFILES", &T::NumberTaskFiles},
        {"NUMBERENVIRON", &T::NumberEnviron},
        {"MAXTIME", &T::MaxTime},
        {"TASKCLASS", &T::TaskClass},
        {"SUBUSER", &T::SubUser},
        {"SUBDOMAIN", &T::SubDomain},
        {"SUBSERVER", &T::SubServer},
        {"SUBDATA", &T::SubData},
        {"REPEATCANCEL", &T::RepeatCancel},
        {"FONTNAME", &T::FontName},
        {"FONTSIZE", &T::FontSize},
        {"FONTCOLOR", &T::FontColor},
        {"FONTCHARSET", &T::FontCharset},
        {"FONTBOLD", &T::FontBold},
        {"FONTITALIC", &T::FontItalic},
        {"RESERVED1", &T::Reserved1},
        {"RESERVED2", &T::Reserved2},
        {"EDITPPP", &T::EditPPP},
    };
    using S = StepRecord;
    static const std::pair<const char*, std::string S::*> step[] = {
        {"STEPNAME", &S::StepName},
        {"COMMAND", &S::Command},
        {"FILERC", &S::FileRC},
        {"WORKINGDIRECTORY", &S::WorkingDirectory},
        {"ENVIRONMENT", &S::Environment},
        {"BUFFHEIGHT", &S::BuffHeight},
        {"BUFFWIDTH", &S::BuffWidth},
        {"MINRC", &S::MinRC},
        {"MAXRC", &S::MaxRC},
        {"EXECUTE", &S::Execute},
    };
    using F = TaskFileRecord;
    static const std::pair<const char*, std::string F::*> file[] = {
        {"LOCALPATH", &F::LocalPath}, {"SERVERPATH", &F::ServerPath}, {"COPY", &F::Copy}};
    using E = EnvironRecord;
    static const std::pair<const char*, std::string E::*> environ[] = {
        {"STEP", &E::Step},       {"CAPTION", &E::Caption}, {"VARIABLE", &E::Variable}, {"HELP", &E::Help},
        {"TYPE", &E::Type},       {"VALUE", &E::Value},     {"MIN", &E::Min},           {"MAX", &E::Max},
        {"PERCENT", &E::Percent}, {"FORMAT", &E::Format},
    };
    std::string found = FirstDifferentField("general", a, b, general);
    for (std::size_t i = 0; found.empty() && i < a.Steps.size() && i < b.Steps.size(); ++i)
        found = FirstDifferentField("step", a.Steps[i], b.Steps[i], step);
    for (std::size_t i = 0; found.empty() && i < a.TaskFiles.size() && i < b.TaskFiles.size(); ++i)
        found = FirstDifferentField("task file", a.TaskFiles[i], b.TaskFiles[i], file);
    for (std::size_t i = 0; found.empty() && i < a.Environs.size() && i < b.Environs.size(); ++i)
        found = FirstDifferentField("environment record", a.Environs[i], b.Environs[i], environ);
    return found.empty() ? "array sizes" : found;
}

#define Z9_FUZZ_SAME_TASK(a, b)                                                                              \
    do {                                                                                                     \
        if (!((a) == (b))) Fail("same record: " + FirstDifference(a, b), __FILE__, __LINE__);                \
    } while (0)

} // namespace

// Whatever loads saves, and loads again to the same record; the saved text is
// the writer's own form, so saving that record again gives the same bytes.
void TaskFile(std::string_view input) {
    TaskRecord task;
    int progress = 0;
    std::string why;
    if (!ParseTaskText(std::string(input), task, progress, why)) {
        Z9_FUZZ_CHECK(!why.empty());
        Z9_FUZZ_CHECK(progress >= 5 && progress <= 9);
        Z9_FUZZ_CHECK(task == TaskRecord{}); // a failed load leaves the record as it was
        return;
    }
    Z9_FUZZ_EQ(progress, 10);
    Z9_FUZZ_CHECK(!task.Steps.empty());

    std::string saved;
    Z9_FUZZ_CHECK(BuildTaskText(task, saved, why));
    Z9_FUZZ_CHECK(saved.size() >= 2 && saved.compare(saved.size() - 2, 2, "\r\n") == 0);
    TaskRecord again;
    Z9_FUZZ_CHECK(ParseTaskText(saved, again, progress, why));
    Z9_FUZZ_SAME_TASK(again, task);

    std::string savedAgain;
    Z9_FUZZ_CHECK(BuildTaskText(again, savedAgain, why));
    // The container is new every time (random keys); the text inside it is not.
    Z9_FUZZ_EQ(Opened(savedAgain), Opened(saved));
}

// A container that opens, opens again after it is rebuilt; any text at all
// survives being put into a container and taken out.
void Container(std::string_view input) {
    const std::string text(input);
    Z9StringReader reader(text);
    reader.Delimiter("\r\n");
    if (OpenContainer(reader)) {
        const std::string plain = reader.toString();
        Z9_FUZZ_EQ(Opened(BuildContainer(plain)), plain);
    } else {
        Z9_FUZZ_EQ(reader.toString(), text); // not a container: the text is untouched
    }

    // The round trip works line by line: the first few lines show what every line does.
    const std::string head = text.substr(0, 8 * kContainerChunk + 7);
    const std::string built = BuildContainer(head);
    Z9StringReader back(built);
    back.Delimiter("\r\n");
    Z9_FUZZ_CHECK(OpenContainer(back));
    Z9_FUZZ_EQ(back.toString(), head);

    // One body line on its own, and any line given to the decoder.
    const std::string chunk = text.substr(0, kContainerChunk);
    Z9_FUZZ_EQ(DecipherLine(EncipherLine(chunk)), chunk);
    DecipherLine(text.substr(0, 4 * kContainerChunk));
}

// Scrambled field values and the hexadecimal layer.
void Scramble(std::string_view input) {
    const std::string text(input);
    const std::string plain = UnscrambleValue(text);
    Z9_FUZZ_CHECK(plain.size() <= 128);

    const std::string scrambled = ScrambleValue(text);
    if (text.empty() || text.size() > 128) {
        Z9_FUZZ_EQ(scrambled, "");
    } else {
        Z9_FUZZ_CHECK(IsUpperHex(scrambled));
        Z9_FUZZ_EQ(static_cast<long long>(scrambled.size()),
                   static_cast<long long>(2 * (text.size() < 6 ? 6 : text.size() + 1)));
        Z9_FUZZ_EQ(UnscrambleValue(scrambled), text);
    }

    std::size_t digits = 0;
    for (char c : text)
        digits += (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    Z9_FUZZ_EQ(static_cast<long long>(HexDecode(text).size()), static_cast<long long>(digits / 2));
    const std::string hex = HexEncode(text);
    Z9_FUZZ_CHECK(IsUpperHex(hex));
    Z9_FUZZ_EQ(HexDecode(hex), text);
}

// The task password: deciphering anything is safe, and a password enciphers
// to one block that deciphers back, also through its hexadecimal form.
void PasswordCipher(std::string_view input) {
    const std::string text(input);
    const std::string plain = z9::PasswordCipher(text, "D");
    if (text.size() != kCipherBlock) Z9_FUZZ_EQ(plain, "");
    Z9_FUZZ_CHECK(plain.size() <= kCipherMaxText);
    Z9_FUZZ_EQ(z9::PasswordCipher(HexDecode(HexEncode(text)), "D"), plain);

    const std::string block = z9::PasswordCipher(text, "E");
    if (text.size() > kCipherMaxText) {
        Z9_FUZZ_EQ(block, "");
        return;
    }
    Z9_FUZZ_EQ(static_cast<long long>(block.size()), static_cast<long long>(kCipherBlock));
    Z9_FUZZ_EQ(z9::PasswordCipher(block, "D"), text);
    Z9_FUZZ_EQ(z9::PasswordCipher(HexDecode(HexEncode(block)), "D"), text);
}

} // namespace z9::fuzz
