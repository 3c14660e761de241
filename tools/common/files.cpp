#include "common/files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>  // IWYU pragma: keep (std::ostringstream; the Windows build needs it)
#include <system_error>
#include <utility>

namespace dravelquin {

namespace {

std::string IsADirectory() { return std::make_error_code(std::errc::is_a_directory).message(); }

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& text) {
#ifdef _WIN32
  return std::filesystem::u8path(text);
#else
  return std::filesystem::path(text);
#endif
}

// A directory is refused before it is opened: one system opens it and fails
// the first read, another fails the open with "Permission denied", and
// neither says what is wrong.
FileText ReadFileText(const std::filesystem::path& path) {
  std::error_code status_error;
  if (std::filesystem::is_directory(path, status_error)) {
    return FileText{std::nullopt, EISDIR};
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return FileText{std::nullopt, errno != 0 ? errno : ENOENT};
  }
  // A read error may leave the stream bad or, from the file buffer, raise.
  try {
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.bad()) {
      return FileText{std::move(text), 0};
    }
  } catch (const std::ios_base::failure&) {
  }
  return FileText{std::nullopt, errno != 0 ? errno : EIO};
}

std::string LastSystemError() { return std::generic_category().message(errno); }

std::string ReadWholeFile(const std::string& path, const std::string& what) {
  FileText file = ReadFileText(PathFromUtf8(path));
  if (!file.text) {
    throw InputProblem("cannot read " + what + " " + path + ": " +
                       std::generic_category().message(file.error));
  }
  return std::move(*file.text);
}

void CheckWritable(const std::string& path, const std::string& what) {
  const std::string failure = "cannot write " + what + " " + path + ": ";
  const std::filesystem::path file = PathFromUtf8(path);
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    throw InputProblem(failure + IsADirectory());
  }
  const bool existed = std::filesystem::exists(file, error);
  errno = 0;
  std::ofstream probe(file, std::ios::binary | std::ios::app);
  if (!probe) {
    throw InputProblem(failure + LastSystemError());
  }
  probe.close();
  if (!existed) {
    std::filesystem::remove(file, error);
  }
}

std::filesystem::path MakeTemporaryFolder(const std::string& prefix, const std::string& what) {
  constexpr int kAttempts = 100;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device entropy;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::ostringstream name;
    name << prefix << std::hex << entropy() << entropy();
    if (std::filesystem::create_directory(base / name.str())) {
      return base / name.str();
    }
  }
  throw std::runtime_error("cannot make a " + what + " in " + base.string());
}

std::filesystem::path PluginFolderOf(const std::filesystem::path& root) {
  return root / "ArkApi" / "Plugins" / "dravelquin";
}

}  // namespace dravelquin
