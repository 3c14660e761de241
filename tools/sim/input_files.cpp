#include "tools/sim/input_files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace dravelquin::sim {

namespace {

std::string IsADirectory() { return std::make_error_code(std::errc::is_a_directory).message(); }

}  // namespace

std::string LastSystemError() { return std::generic_category().message(errno); }

std::string ReadWholeFile(const std::filesystem::path& path, const std::string& what) {
  const std::string failure = "cannot read " + what + " " + path.string() + ": ";
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw InputProblem(failure + IsADirectory());
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw InputProblem(failure + LastSystemError());
  }
  // A read error may leave the stream bad or, from the file buffer, raise.
  try {
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.bad()) {
      return text;
    }
  } catch (const std::ios_base::failure&) {
  }
  throw InputProblem(failure + LastSystemError());
}

void CheckWritable(const std::filesystem::path& path, const std::string& what) {
  const std::string failure = "cannot write " + what + " " + path.string() + ": ";
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw InputProblem(failure + IsADirectory());
  }
  const bool existed = std::filesystem::exists(path, error);
  errno = 0;
  std::ofstream probe(path, std::ios::binary | std::ios::app);
  if (!probe) {
    throw InputProblem(failure + LastSystemError());
  }
  probe.close();
  if (!existed) {
    std::filesystem::remove(path, error);
  }
}

}  // namespace dravelquin::sim
