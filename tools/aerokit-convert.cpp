// aerokit-convert: Aerokit's files to and from CSV and JSON.
#include <iostream>
#include <string>
#include <vector>

#include "convert/Cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return convert::run(args, std::cin, std::cout, std::cerr);
}
