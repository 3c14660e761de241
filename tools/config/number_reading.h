#pragma once

// How a number written in the settings compares with the signed 32-bit
// integer the plug-in reads from it.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace dravelquin {

enum class NumberReading {
  kExact,         // the written number itself
  kBoolean,       // true or false, read as 1 or 0
  kFractional,    // a fraction, cut toward zero
  kBeyond32Bits,  // outside the signed 32-bit range, read as something else
};

// Compares the written value (a number or a boolean) with `read`.
// Examples: (2.9, 2) kFractional; (3600.0, 3600) kExact;
// (4294967296, 0) kBeyond32Bits; (1e10, 2147483647) kBeyond32Bits.
NumberReading ReadingOf(const nlohmann::json& written, std::int32_t read);

// "is TEXT", followed for anything but kExact by how it is read, as in
// "is 90.9, not a whole number: read as 90".
std::string DescribeReading(const std::string& written_text, NumberReading reading,
                            std::int32_t read);

}  // namespace dravelquin
