// dravelquin-config: checks a dravelquin settings file the way the plug-in
// will read it, and writes a starting one from a census dump.

#include <iostream>
#include <string>
#include <vector>

#include "config/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dravelquin::RunTool(args, std::cout, std::cerr);
}
