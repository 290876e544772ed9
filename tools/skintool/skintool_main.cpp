// skintool: the command-line companion of Vexel for build pipelines and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "skintool_commands.h"

int main(int argc, char** argv) {
  try {
    return RunSkintool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (...) {
    std::cerr << "skintool: Unexpected error\n";
    return 1;
  }
}
