// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math run in process, as its command line would run it: the exit status and all it wrote.
#pragma once

#include "math_main.h"

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zem::testing {

struct ToolRun {
    int status = -1;
    std::string out, err;
};

inline ToolRun runTool(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    ToolRun run;
    run.status = tools::zemMath(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace zem::testing
