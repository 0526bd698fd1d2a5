#pragma once
// The checked-in copies of the data files the reports write, compared
// without the line that dates each file.

#include <string>

#include "tests/cli/CliRunner.h"
#include "tests/core/reports/ReportFiles.h"

namespace qvcli {

using qvtest::undated;

// The checked-in copy of data file `name`, undated.
inline std::string golden(const std::string& name) { return undated(slurp(fs::path(QUILLAVON_GOLDEN) / name)); }

}  // namespace qvcli
