#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  // Reading a line would flush the output first: batch output goes out in
  // blocks instead, and is flushed before anything reaches standard error.
  std::cin.tie(nullptr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tintara::cli::Run(args, std::cin, std::cout, std::cerr);
}
