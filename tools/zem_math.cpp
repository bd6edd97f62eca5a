// SPDX-License-Identifier: GPL-3.0-or-later
// zem-math: the machine's rules from the command line (see math_main.cpp for the subcommands).
#include "math_main.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = zem::tools::zemMath(args, std::cout, std::cerr);
    // What could not be written (a full disk, a closed pipe) is a failure, never a cut report and status 0.
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::cerr << "zem-math: cannot write the output"
                  << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
        return 1;
    }
    return status;
}
