#pragma once

// The tool run on a command line, its output going to the given streams.

#include <ostream>
#include <string>
#include <vector>

namespace dravelquin {

// Runs the arguments (without the program's name) and returns the exit
// status:
//   check:     diagnostics and then the summary line on `out`; 0 without an
//              error, 1 with one (with --strict a warning counts as one) or
//              when the settings file cannot be read, 2 for a bad invocation
//              or a dump that cannot be read.
//   from-dump: the settings on `out` and notes and errors on `err`; 0 when
//              written, 1 when the dump cannot be read or holds no blueprint
//              to write, 2 for a bad invocation.
//   --help:    the usage on `out`, 0.
//   --version: "dravelquin-config VERSION" on `out`, 0.
// A file that cannot be read is one line, printed before anything is
// checked. A bad invocation prints its reason and the usage on `err`. Bytes
// that are not UTF-8 are printed as "\xHH" (printable_text.h).
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravelquin
