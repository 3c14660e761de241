#include "common/files.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>  // IWYU pragma: keep (std::ostringstream; the Windows build needs it)
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.u8string();
#else
  return path.string();
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

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

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
  throw std::runtime_error("cannot make a " + what + " in " + Utf8FromPath(base));
}

std::filesystem::path PluginFolderOf(const std::filesystem::path& root) {
  return root / "ArkApi" / "Plugins" / "dravelquin";
}

bool IsStandardInput(const std::string& name) { return name == "-"; }

std::string ShownName(const std::string& name) {
  return IsStandardInput(name) ? kStandardInputName : name;
}

FileText ReadFileOrInput(const std::string& name, std::istream& input) {
  if (!IsStandardInput(name)) {
    return ReadFileText(PathFromUtf8(name));
  }
  errno = 0;
  std::string text(std::istreambuf_iterator<char>(input), {});
  if (input.bad()) {
    return FileText{std::nullopt, errno != 0 ? errno : EIO};
  }
  return FileText{std::move(text), 0};
}

void ReadStandardInputAsBytes() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
}

namespace {

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::symlink_status(path, error).type() !=
         std::filesystem::file_type::not_found;
}

// Moves the complete file `from` to `to`, over a file there only when
// `replace` is set; the system's error when it cannot.
std::error_code MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to,
                              bool replace) {
#ifdef _WIN32
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExW(from.c_str(), to.c_str(), flags) == 0) {
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
  }
  return {};
#else
  const auto failure = [] { return std::error_code(errno, std::generic_category()); };
  // The bytes reach the disk before the name does, so that a crash leaves
  // the old file or the new one, never an empty one.
  const int descriptor = ::open(from.c_str(), O_RDONLY);
  if (descriptor < 0) {
    return failure();
  }
  const bool synced = ::fsync(descriptor) == 0;
  const std::error_code sync_error = failure();
  ::close(descriptor);
  if (!synced) {
    return sync_error;
  }
  if (replace) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : failure();
  }
  // A new link fails when a file took the name meanwhile, where a rename
  // would replace it.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return {};
  }
  if (errno == EEXIST || Exists(to)) {
    return std::make_error_code(std::errc::file_exists);
  }
  // A file system without hard links (FAT, some network shares).
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : failure();
#endif
}

}  // namespace

OutputFile::OutputFile(const std::string& path, bool may_replace)
    : path_(path), may_replace_(may_replace) {
  const std::filesystem::path target = PathFromUtf8(path);
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) {
    throw InputProblem("cannot write " + path + ": " + IsADirectory());
  }
  if (!may_replace && Exists(target)) {
    throw InputProblem(path + " exists already; give --force to replace it");
  }
  // A name of its own beside the target, on the same file system, so that
  // the move is a rename.
  std::random_device entropy;
  for (int attempt = 0; attempt < 100 && temporary_.empty(); ++attempt) {
    std::ostringstream suffix;
    suffix << "." << std::hex << entropy() << entropy() << ".tmp";
    std::filesystem::path name = ".";
    name += target.filename();
    name += suffix.str();
    if (!Exists(target.parent_path() / name)) {
      temporary_ = target.parent_path() / name;
    }
  }
  errno = 0;
  stream_ = std::ofstream(temporary_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    temporary_.clear();
    throw InputProblem("cannot write " + path + ": " +
                       (errno != 0 ? LastSystemError() : "no file can be made beside it"));
  }
}

OutputFile::~OutputFile() {
  if (!committed_ && !temporary_.empty()) {
    stream_.close();
    std::error_code error;
    std::filesystem::remove(temporary_, error);
  }
}

void OutputFile::Commit() {
  errno = 0;
  stream_.close();
  if (stream_.fail()) {
    throw std::runtime_error("cannot write " + path_ + ": " +
                             (errno != 0 ? LastSystemError() : "a write failed"));
  }
  const std::filesystem::path target = PathFromUtf8(path_);
  std::error_code error;
  const std::filesystem::file_status replaced = std::filesystem::status(target, error);
  if (std::filesystem::exists(replaced)) {
    // A replaced file keeps who may read it.
    std::filesystem::permissions(temporary_, replaced.permissions(), error);
  }
  error = MoveIntoPlace(temporary_, target, may_replace_);
  if (error == std::errc::file_exists) {
    throw std::runtime_error("cannot write " + path_ + ": another program made it meanwhile");
  }
  if (error) {
    throw std::runtime_error("cannot write " + path_ + ": " + error.message());
  }
  committed_ = true;
}

}  // namespace dravelquin
