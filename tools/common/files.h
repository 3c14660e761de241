#pragma once

// Files and folders as the tools, the tests and the benchmarks use them: a
// file read whole, a file checked writable, a new temporary folder, and the
// plug-in's folder in a server's working directory. Paths that come from a
// command line are UTF-8 text on every system.

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace dravelquin {

// The path named by UTF-8 text. On Windows a std::string path would be read
// in the ANSI code page, which cannot name every file.
std::filesystem::path PathFromUtf8(const std::string& text);

// The path as UTF-8 text, for messages. On Windows path::string() would
// convert to the ANSI code page, and fail on a name it cannot hold.
std::string Utf8FromPath(const std::filesystem::path& path);

// A file read whole, or the system's error number when it cannot be: it is
// a directory (EISDIR), missing, not readable by this user, or a read fails.
struct FileText {
  std::optional<std::string> text;  // the bytes, when the whole file was read
  int error = 0;                    // else the errno value that says why
};

FileText ReadFileText(const std::filesystem::path& path);

// A file or folder the run cannot use as asked; what() names it and says why.
class InputProblem : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole text of the file at `path` (UTF-8). Raises InputProblem, "cannot
// read WHAT PATH: REASON", when it is a directory or cannot be opened or read.
std::string ReadWholeFile(const std::string& path, const std::string& what);

// Raises InputProblem, "cannot write WHAT PATH: REASON", unless a file can be
// written at `path` (UTF-8). An existing file is left as it is; a new one is
// made empty and removed again.
void CheckWritable(const std::string& path, const std::string& what);

// The system's text for the error number of the last failed call, such as
// "Permission denied".
std::string LastSystemError();

// Whether standard error is a terminal, where a tool may show progress.
bool StandardErrorIsTerminal();

// A new folder of a random name "PREFIXhex" under the system's temporary
// folder; a name taken already is passed over. Raises std::runtime_error,
// "cannot make a WHAT in BASE", when none can be made.
std::filesystem::path MakeTemporaryFolder(const std::string& prefix, const std::string& what);

// ROOT/ArkApi/Plugins/dravelquin: where the plug-in keeps its files under the
// server's working directory ROOT.
std::filesystem::path PluginFolderOf(const std::filesystem::path& root);

// "-" on a command line names standard input where a tool reads a file.

// What a tool's findings call standard input.
inline const std::string kStandardInputName = "<stdin>";

// True for "-", the name that stands for standard input.
bool IsStandardInput(const std::string& name);

// `name` as findings show it: "<stdin>" for "-", else the name itself.
std::string ShownName(const std::string& name);

// The text of `name` read whole: `input` for "-", else the file.
FileText ReadFileOrInput(const std::string& name, std::istream& input);

// Makes the process's standard input give its bytes unchanged. On Windows it
// is a text stream by default, which turns CR LF into LF and ends at the
// first Ctrl-Z; elsewhere this does nothing.
void ReadStandardInputAsBytes();

// A file a tool writes as its output (--output), never half written: the
// text goes to a new file beside it, which takes its name only when it is
// complete, so a failed write leaves whatever was there. An existing file is
// replaced only with leave (--force). The bytes are written as given: the
// tools write UTF-8 without a byte-order mark.
class OutputFile {
 public:
  // Raises InputProblem, before anything is written, for an existing file
  // without `may_replace` ("PATH exists already; give --force to replace
  // it"), and "cannot write PATH: REASON" for a directory or when no file
  // can be made beside it. `path` is UTF-8.
  OutputFile(const std::string& path, bool may_replace);
  // Removes the new file unless Commit() moved it into place.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::ostream& Stream() { return stream_; }

  // Gives the new file its name. Raises std::runtime_error ("cannot write
  // PATH: REASON") when a write failed or the file cannot take its
  // name; the file at PATH, if any, is then as it was.
  void Commit();

 private:
  std::string path_;
  bool may_replace_;
  std::filesystem::path temporary_;
  std::ofstream stream_;
  bool committed_ = false;
};

}  // namespace dravelquin
