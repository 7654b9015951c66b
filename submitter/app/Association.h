#pragma once
// The submitter's file type with the shell, written at every start.
#include "common/Settings.h"

namespace z9 {

// .Z9F files, class "Zorvan File", opened by Z9Sub.
FileType SubmitterFileType();

// Associates .Z9F files with the submitter. With the workstation product
// installed only the extra verb "Zorvan Submitter" is written. Errors are
// ignored; returns true.
bool RegisterFileType();

} // namespace z9
