#pragma once

// Reading a file the tool was given (a settings file or a census dump) whole,
// or the system's reason why it cannot be read: it is missing, a directory,
// not readable by this user, or a read fails.

#include <optional>
#include <string>

namespace dravelquin {

struct InputFile {
  std::optional<std::string> text;  // the bytes, when the whole file was read
  std::string failure;              // else the system's reason, as "Is a directory"
};

InputFile ReadInputFile(const std::string& path);

}  // namespace dravelquin
