#pragma once

// The files an administrator names on the command line, checked before the
// simulator does any work, each problem told in one line with the system's
// reason.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace dravelquin::sim {

// A file or folder the run cannot use as asked; what() names it and says why.
class InputProblem : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole text of the file at `path`. Raises InputProblem, "cannot read
// WHAT PATH: REASON", when it is a directory or cannot be opened or read.
std::string ReadWholeFile(const std::filesystem::path& path, const std::string& what);

// Raises InputProblem, "cannot write WHAT PATH: REASON", unless a file can be
// written at `path`. An existing file is left as it is; a new one is made
// empty and removed again.
void CheckWritable(const std::filesystem::path& path, const std::string& what);

// The system's text for the error number of the last failed call, such as
// "Permission denied".
std::string LastSystemError();

}  // namespace dravelquin::sim
