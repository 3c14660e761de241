#include "tools/sim/chart_file.h"

#include <fstream>
#include <stdexcept>

namespace dravelquin::sim {

void WriteChartFile(const std::string& path, const std::string& svg) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << svg;
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write the chart " + path);
  }
}

}  // namespace dravelquin::sim
