#include <iostream>
#include <string>
#include <vector>

#include "setup/core/kestro_system/kestro_system_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return setup::RunKestroSystem(args, std::cout, std::cerr);
}
