// Linked into the test programs of the submission: no task is submitted, and
// the server object and the copy progress window are the program's own again
// after each test.
#include "TestRun.h"

#include "submitter/submission/ServerTask.h"
#include "submitter/submission/ShellCopy.h"
#include "submitter/submission/Submission.h"

namespace z9::test {
namespace {

const bool registered = (AddStateReset([] {
                             SetTaskSubmitted(false);
                             SetServerTaskFactory({});
                             SetCopyProgressFactory({});
                         }),
                         true);

} // namespace
} // namespace z9::test
