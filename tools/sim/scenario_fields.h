#pragma once

// Reading the members of one object of a scenario file by name and type.
// Every error names where the object sits and which field is wrong, so the
// simulator can refuse a bad scenario with one clear line.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace dravelquin::sim {

using Json = nlohmann::ordered_json;

// A scenario that cannot run; what() is the one-line reason.
class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A name as an error shows it, between quotes of the error's own: with the
// escapes JSON writes, so that no control character breaks the one line.
// Examples: "count" -> count; "k\n" (a line end) -> k\n; "a\"b" -> a\"b.
std::string EscapedName(const std::string& name);

// "a string", "an object", "true", "-3", "2.5": a value as an error shows it.
std::string DescribeValue(const Json& value);

class FieldReader {
 public:
  // `place` prefixes every error, such as `step 3 ("spawn")`; empty at the
  // top level of the file. `object` must outlive the reader.
  FieldReader(const Json& object, std::string place);

  bool Has(const char* name) const;
  // The member itself, of any type, or null when absent.
  const Json* Member(const char* name);

  // A whole number within [min, max]; `fallback` when absent. Numbers with
  // a fraction, even .0, are refused.
  std::int64_t Integer(const char* name, std::int64_t fallback, std::int64_t min, std::int64_t max);
  std::int64_t RequiredInteger(const char* name, std::int64_t min, std::int64_t max);
  // A whole number from 0 to 2^64 - 1; `fallback` when absent.
  std::uint64_t Unsigned(const char* name, std::uint64_t fallback);
  // A finite number within [min, max]; the member must be present.
  double RequiredNumber(const char* name, double min, double max);
  std::string String(const char* name, const std::string& fallback);
  std::string RequiredString(const char* name);

  // Raises the error for `field` (a dotted path below this object is fine).
  [[noreturn]] void Fail(const std::string& field, const std::string& problem) const;
  // Raises an error for the first member that nothing has read, suggesting
  // the nearest name asked for when it is a slip away. A member named
  // "comment" is always allowed.
  void RejectUnknownFields() const;

 private:
  const Json& Required(const char* name);
  void Ask(const char* name) const;

  const Json& object_;
  std::string place_;
  std::set<std::string> read_;
  mutable std::vector<std::string> asked_;  // every name looked for, in order
};

// A finite number within [min, max] read from `value`, or the error that
// `reader` raises for `field`.
double NumberWithin(const FieldReader& reader, const std::string& field, const Json& value,
                    double min, double max);

}  // namespace dravelquin::sim
