#include "number_reading.h"

#include <cmath>

namespace dravelquin {

NumberReading ReadingOf(const nlohmann::json& written, std::int32_t read) {
  if (written.is_boolean()) {
    return NumberReading::kBoolean;
  }
  if (written.is_number_float()) {
    const double value = written.get<double>();
    if (value == read) {
      return NumberReading::kExact;
    }
    return std::trunc(value) == read ? NumberReading::kFractional : NumberReading::kBeyond32Bits;
  }
  const bool exact = written.is_number_unsigned()
                         ? written.get<std::uint64_t>() == static_cast<std::uint64_t>(read) &&
                               read >= 0
                         : written.get<std::int64_t>() == read;
  return exact ? NumberReading::kExact : NumberReading::kBeyond32Bits;
}

std::string DescribeReading(const std::string& written_text, NumberReading reading,
                            std::int32_t read) {
  const std::string read_as = ": read as " + std::to_string(read);
  switch (reading) {
    case NumberReading::kBoolean:
      return "is " + written_text + read_as;
    case NumberReading::kFractional:
      return "is " + written_text + ", not a whole number" + read_as;
    case NumberReading::kBeyond32Bits:
      return "is " + written_text + ", beyond 32 bits" + read_as;
    case NumberReading::kExact:
      break;
  }
  return "is " + written_text;
}

}  // namespace dravelquin
