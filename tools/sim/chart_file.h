#pragma once

// Writing a chart where --chart says.

#include <string>

namespace dravelquin::sim {

// Writes `svg` to `path`, replacing what is there. Raises std::runtime_error
// when it cannot be written.
void WriteChartFile(const std::string& path, const std::string& svg);

}  // namespace dravelquin::sim
