#pragma once

// The oracle check every fuzz target uses: it stops the run with a message
// that libFuzzer reports as a crash, together with the input that caused it.

#include <string>

namespace dravelquin::fuzz {

// Stops the run with `what` on standard error when `holds` is false.
void Require(bool holds, const std::string& what);

}  // namespace dravelquin::fuzz
