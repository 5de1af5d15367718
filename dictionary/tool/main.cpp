// vantrel-dict: builds, exports and inspects dictionary files.
#include <iostream>

#include "dictionary/tool/command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int rc = dict::tool::runTool(args, std::cout, std::cerr);
    std::cout.flush();
    return rc;
}
