// dravelquin-config: checks a dravelquin settings file the way the plug-in
// will read it, and writes a starting one from a census dump.

#include <iostream>
#include <string>

#include "config/command_line.h"

#ifdef _WIN32
#include "common/command_line.h"
#include "common/files.h"
#endif

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  dravelquin::ReadStandardInputAsBytes();
  return dravelquin::RunTool(dravelquin::Utf8Arguments(argc, argv), std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  return dravelquin::RunTool({argv + 1, argv + argc}, std::cout, std::cerr);
}
#endif
