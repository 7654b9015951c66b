// Linked into the test programs that hold the program's task record: it is empty again after each test.
#include "TestRun.h"

#include "submitter/taskfile/TaskRecord.h"

namespace z9::test {
namespace {

const bool registered = (AddStateReset([] { Task() = TaskRecord{}; }), true);

} // namespace
} // namespace z9::test
