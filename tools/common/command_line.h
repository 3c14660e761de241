#pragma once

// What both tools' command lines share: the error of a command line a tool
// cannot run, and on Windows the arguments as UTF-8 text.

#include <stdexcept>

namespace dravelquin {

// A command line the tool cannot run; what() says what is wrong. The tools
// print it with their usage and exit with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace dravelquin
