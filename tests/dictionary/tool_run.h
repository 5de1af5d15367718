// Running vantrel-dict in this process, for the tool's tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "dictionary/tool/command.h"

namespace dicttest {

// The exit code and both outputs of one run.
struct ToolRun {
    int rc;
    std::string out;
    std::string err;
};

inline ToolRun tool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int rc = dict::tool::runTool(args, out, err);
    return {rc, out.str(), err.str()};
}

}  // namespace dicttest
