#include "cli/CliCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> Args(argv + 1, argv + argc);
    return cli::Main(Args, std::cout, std::cerr);
}
