#pragma once

// One finding of the tool, in the form that editors and CI annotate:
// "FILE:LINE:COL: error|warning|note: message".

#include <string>
#include <vector>

#include "text_position.h"

namespace dravelquin {

enum class Severity { kError, kWarning, kNote };

struct Diagnostic {
  std::string file;
  TextPosition at;
  Severity severity = Severity::kNote;
  std::string message;
};

// "FILE:LINE:COL: SEVERITY: MESSAGE", without a line end.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

// Makes every warning an error, as --strict asks.
void TreatWarningsAsErrors(std::vector<Diagnostic>& diagnostics);

// True when any of the diagnostics is an error.
bool HasError(const std::vector<Diagnostic>& diagnostics);

}  // namespace dravelquin
