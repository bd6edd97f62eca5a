// zem-math: the machine's rules from the command line (see math_main.cpp for the subcommands).
#include "math_main.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return zem::tools::zemMath(args, std::cout, std::cerr);
}
