#include "tools/sim/sweep_arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <locale>
#include <sstream>

#include "tools/sim/command_line.h"

namespace dravelquin::sim {

namespace {

std::int64_t IntervalOf(const std::string& text) {
  std::int64_t seconds = -1;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seconds);
  if (text.empty() || error != std::errc() || stop != end || seconds < 0 ||
      seconds > kMaxSweepInterval) {
    throw UsageError("--sweep: \"" + text + "\" is not a whole number of seconds from 0 to " +
                     std::to_string(kMaxSweepInterval));
  }
  return seconds;
}

std::vector<std::int64_t> IntervalList(const std::string& list) {
  std::vector<std::int64_t> intervals;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) {
    intervals.push_back(IntervalOf(item));
  }
  if (list.empty() || list.back() == ',') {
    intervals.push_back(IntervalOf(""));
  }
  std::sort(intervals.begin(), intervals.end());
  const auto repeated = std::adjacent_find(intervals.begin(), intervals.end());
  if (repeated != intervals.end()) {
    throw UsageError("--sweep: the interval " + std::to_string(*repeated) + " is given twice");
  }
  if (intervals.size() > kMaxSweepIntervals) {
    throw UsageError("--sweep: " + std::to_string(intervals.size()) + " intervals, more than the " +
                     std::to_string(kMaxSweepIntervals) + " a sweep runs");
  }
  return intervals;
}

}  // namespace

bool IsSweepValue(const std::string& argument) {
  const std::size_t name_end = std::min(argument.find('='), argument.size());
  return name_end > 0 &&
         std::all_of(argument.begin(), argument.begin() + static_cast<std::ptrdiff_t>(name_end),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

std::vector<std::int64_t> IntervalsToSweep(const std::string& value) {
  const std::size_t equals = value.find('=');
  const std::string setting = value.substr(0, equals);
  if (setting != kSweptSetting) {
    throw UsageError("--sweep: only " + std::string(kSweptSetting) + " can be swept, not " +
                     setting);
  }
  return equals == std::string::npos ? kDefaultSweepIntervals
                                     : IntervalList(value.substr(equals + 1));
}

double TolerancePercent(const std::string& value) {
  // A stream in the classic locale: a point before the fraction wherever it runs.
  std::istringstream in(value);
  in.imbue(std::locale::classic());
  double percent = 0;
  in >> std::noskipws >> percent;
  if (!in || in.peek() != std::char_traits<char>::eof() || !(percent > 0 && percent <= 100)) {
    throw UsageError("--tolerance: \"" + value + "\" is not a per cent above 0 and at most 100");
  }
  return percent;
}

}  // namespace dravelquin::sim
