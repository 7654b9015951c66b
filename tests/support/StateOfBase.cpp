// Linked into every test program of the submitter: submit mode is off again after each test.
#include "TestRun.h"

#include "submitter/base/ReportError.h"

namespace z9::test {
namespace {

const bool registered = (AddStateReset([] { SetSubmitMode(false); }), true);

} // namespace
} // namespace z9::test
