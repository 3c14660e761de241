#include "diagnostic.h"

#include <algorithm>

namespace dravelquin {

namespace {

const char* NameOf(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      break;
  }
  return "note";
}

}  // namespace

std::string FormatDiagnostic(const Diagnostic& diagnostic) {
  return diagnostic.file + ":" + std::to_string(diagnostic.at.line) + ":" +
         std::to_string(diagnostic.at.column) + ": " + NameOf(diagnostic.severity) + ": " +
         diagnostic.message;
}

void TreatWarningsAsErrors(std::vector<Diagnostic>& diagnostics) {
  for (Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.severity == Severity::kWarning) {
      diagnostic.severity = Severity::kError;
    }
  }
}

bool HasError(const std::vector<Diagnostic>& diagnostics) {
  return std::any_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& diagnostic) {
    return diagnostic.severity == Severity::kError;
  });
}

}  // namespace dravelquin
