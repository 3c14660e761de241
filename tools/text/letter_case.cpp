#include "letter_case.h"

namespace dravelquin {

char FoldedCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldedCase(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    c = FoldedCase(c);
  }
  return folded;
}

}  // namespace dravelquin
