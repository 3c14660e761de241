// Fuzz target: arbitrary bytes as a census dump, read the way `from-dump`
// and `check --dump` read one. Reading either gives the dump's lines or
// raises DumpFormatError at a line of the text; the heap the reading and
// writing use at once stays within a fixed multiple of the dump's size;
// and every config that from-dump writes from it passes `check` without an
// error or a warning, as the README promises.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/checks.h"
#include "config/dump.h"
#include "config/report.h"
#include "fuzz/fuzz_require.h"
#include "fuzz/heap_watch.h"

namespace dravelquin {

namespace {

using fuzz::Require;

constexpr const char* kDumpFile = "dinoDump.txt";
constexpr const char* kConfigFile = "config.json";

// Reading, merging and writing keep a few copies of each line's text, the
// JSON escapes of its bytes and containers per line: the seeds and what the
// runs keep peak at 16 to 45 bytes per byte of dump, about 3 KiB at least. A
// reader that grows with lines times paths passes this within a few hundred
// paths (a seed has 300).
constexpr std::size_t kHeapBytesPerInputByte = 128;
constexpr std::size_t kHeapBytesAtAnySize = 4 * 1024;

// The number of lines ParseDump reads in `text`: the last needs no end.
int LineCount(const std::string& text) {
  const auto ends = std::count(text.begin(), text.end(), '\n');
  const bool unended_last = !text.empty() && text.back() != '\n';
  return static_cast<int>(ends) + (unended_last ? 1 : 0);
}

void RequireCleanCheck(const WrittenSettings& written) {
  const ConfigCheck check = CheckConfigText(kConfigFile, written.text, nullptr);
  Require(check.effect.has_value(),
          "the written config does not start the plug-in:\n" + written.text);
  for (const Diagnostic& diagnostic : check.diagnostics) {
    Require(diagnostic.severity == Severity::kNote,
            "the written config draws \"" + FormatDiagnostic(diagnostic) + "\":\n" + written.text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::MarkHeap();
  WrittenSettings written;
  try {
    written = SettingsFromDump(kDumpFile, BlueprintsOf(ParseDump(text)), FromDumpOptions{});
  } catch (const DumpFormatError& error) {
    Require(error.line() >= 1 && error.line() <= std::max(LineCount(text), 1),
            "a format error at line " + std::to_string(error.line()) + " of " +
                std::to_string(LineCount(text)));
    return 0;
  }
  const std::size_t peak = fuzz::PeakBytesSinceMark();
  Require(peak <= kHeapBytesAtAnySize + kHeapBytesPerInputByte * size,
          "reading and writing a dump of " + std::to_string(size) + " bytes held " +
              std::to_string(peak) + " bytes at once");
  if (written.blueprints > 0) {
    RequireCleanCheck(written);
  }
  return 0;
}

}  // namespace dravelquin
