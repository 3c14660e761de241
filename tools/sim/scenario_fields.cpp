#include "tools/sim/scenario_fields.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "near_names.h"

namespace dravelquin::sim {

namespace {

constexpr const char* kCommentField = "comment";

std::string Article(const std::string& type_name) {
  return (type_name == "object" || type_name == "array") ? "an " : "a ";
}

std::string RangeText(std::int64_t min, std::int64_t max) {
  return "from " + std::to_string(min) + " to " + std::to_string(max);
}

// Whole numbers without a fraction, others as JSON writes them.
std::string NumberText(double number) {
  constexpr double kExactWholeLimit = 1e15;
  if (std::floor(number) == number && std::fabs(number) < kExactWholeLimit) {
    return std::to_string(static_cast<std::int64_t>(number));
  }
  return Json(number).dump();
}

std::string NumberRangeText(double min, double max) {
  return "from " + NumberText(min) + " to " + NumberText(max);
}

}  // namespace

std::string EscapedName(const std::string& name) {
  const std::string quoted = Json(name).dump();
  return quoted.substr(1, quoted.size() - 2);
}

std::string DescribeValue(const Json& value) {
  if (value.is_number() || value.is_boolean() || value.is_null()) {
    return value.dump();
  }
  return Article(value.type_name()) + value.type_name();
}

FieldReader::FieldReader(const Json& object, std::string place)
    : object_(object), place_(std::move(place)) {}

bool FieldReader::Has(const char* name) const {
  Ask(name);
  return object_.contains(name);
}

void FieldReader::Ask(const char* name) const {
  if (std::find(asked_.begin(), asked_.end(), name) == asked_.end()) {
    asked_.emplace_back(name);
  }
}

const Json* FieldReader::Member(const char* name) {
  Ask(name);
  read_.insert(name);
  const auto found = object_.find(name);
  return found == object_.end() ? nullptr : &*found;
}

const Json& FieldReader::Required(const char* name) {
  const Json* member = Member(name);
  if (member == nullptr) {
    Fail(name, "missing");
  }
  return *member;
}

std::int64_t FieldReader::Integer(const char* name, std::int64_t fallback, std::int64_t min,
                                  std::int64_t max) {
  return Has(name) ? RequiredInteger(name, min, max) : fallback;
}

std::int64_t FieldReader::RequiredInteger(const char* name, std::int64_t min, std::int64_t max) {
  const Json& value = Required(name);
  const std::string expected = "expected a whole number " + RangeText(min, max);
  if (value.is_number_integer() && !value.is_number_unsigned()) {
    const auto number = value.get<std::int64_t>();
    if (number >= min && number <= max) {
      return number;
    }
  }
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (max >= 0 && number <= static_cast<std::uint64_t>(max) &&
        static_cast<std::int64_t>(number) >= min) {
      return static_cast<std::int64_t>(number);
    }
  }
  Fail(name, expected + ", got " + DescribeValue(value));
}

std::uint64_t FieldReader::Unsigned(const char* name, std::uint64_t fallback) {
  const Json* value = Member(name);
  if (value == nullptr) {
    return fallback;
  }
  if (value->is_number_unsigned()) {
    return value->get<std::uint64_t>();
  }
  Fail(name,
       "expected a whole number from 0 to 18446744073709551615, got " + DescribeValue(*value));
}

double FieldReader::RequiredNumber(const char* name, double min, double max) {
  return NumberWithin(*this, name, Required(name), min, max);
}

std::string FieldReader::String(const char* name, const std::string& fallback) {
  return Has(name) ? RequiredString(name) : fallback;
}

std::string FieldReader::RequiredString(const char* name) {
  const Json& value = Required(name);
  if (!value.is_string()) {
    Fail(name, "expected a string, got " + DescribeValue(value));
  }
  return value.get<std::string>();
}

void FieldReader::Fail(const std::string& field, const std::string& problem) const {
  const std::string where = place_.empty() ? "" : place_ + ": ";
  throw ScenarioError(where + "field \"" + EscapedName(field) + "\": " + problem);
}

void FieldReader::RejectUnknownFields() const {
  for (const auto& member : object_.items()) {
    if (member.key() != kCommentField && read_.count(member.key()) == 0) {
      const std::optional<std::string> near = NearName(member.key(), asked_);
      Fail(member.key(), near ? "unknown field; did you mean " + Json(*near).dump() + "?"
                              : "unknown field");
    }
  }
}

double NumberWithin(const FieldReader& reader, const std::string& field, const Json& value,
                    double min, double max) {
  if (value.is_number()) {
    const auto number = value.get<double>();
    if (std::isfinite(number) && number >= min && number <= max) {
      return number;
    }
  }
  reader.Fail(field,
              "expected a number " + NumberRangeText(min, max) + ", got " + DescribeValue(value));
}

}  // namespace dravelquin::sim
