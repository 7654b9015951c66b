#include "TaskRecord.h"

namespace z9 {

TaskRecord& Task() {
    static TaskRecord task;
    return task;
}

} // namespace z9
