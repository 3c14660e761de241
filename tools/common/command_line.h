#pragma once

// What both tools' command lines share: the error of a command line a tool
// cannot run, and on Windows the arguments as UTF-8 text.

#include <stdexcept>

#ifdef _WIN32
#include <string>
#include <vector>
#endif

namespace dravelquin {

// A command line the tool cannot run; what() says what is wrong. The tools
// print it with their usage and exit with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

#ifdef _WIN32
// The arguments of wmain after the program's name as UTF-8, which the
// command-line parser reads: Windows' narrow arguments would be in the ANSI
// code page, which cannot hold every file name.
std::vector<std::string> Utf8Arguments(int argc, const wchar_t* const* argv);
#endif

}  // namespace dravelquin
