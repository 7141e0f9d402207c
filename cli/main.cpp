// statorium-cli: the batch companion of the desktop program.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cliapp.h"
#include "core/numtext.h"

int main(int argc, char** argv) {
  statorium::setDecimalSeparator(statorium::environmentDecimalSeparator());
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return statorium::cli::runCli(args, std::cout, std::cerr);
}
