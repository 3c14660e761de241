#include "input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

namespace dravelquin {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

InputFile Failed(int error_number) { return InputFile{std::nullopt, std::strerror(error_number)}; }

}  // namespace

// A directory is refused before it is opened: one system opens it and fails
// the first read, another fails the open with "Permission denied", and
// neither says what is wrong.
InputFile ReadInputFile(const std::string& path) {
  std::error_code status_error;
  if (std::filesystem::is_directory(path, status_error)) {
    return Failed(EISDIR);
  }
  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return Failed(errno != 0 ? errno : ENOENT);
  }
  std::string text;
  char buffer[1 << 16];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    text.append(buffer, read);
  }
  if (std::ferror(file.get())) {
    return Failed(errno != 0 ? errno : EIO);
  }
  return InputFile{std::move(text), ""};
}

}  // namespace dravelquin
