#pragma once

// Letter case as the plug-in's census ignores it: A-Z against a-z, every
// other byte as it is.

#include <string>

namespace dravelquin {

// The byte with A-Z made a-z.
char FoldedCase(char c);

// The text with A-Z made a-z. Example: "Rex_BP é" -> "rex_bp é".
std::string FoldedCase(const std::string& text);

}  // namespace dravelquin
