#include "cli/command_groups.h"

#include <iostream>

int main(int argc, char** argv) {
    return morva::cli::runMorvactl(morva::cli::Arguments(argv + 1, argv + argc), std::cout,
                                   std::cerr);
}
