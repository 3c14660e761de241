#pragma once

// The values of --sweep and --tolerance:
//   --sweep CheckInterval=600,1800,3600   the intervals to run, in seconds
//   --sweep CheckInterval | --sweep       the default intervals
//   --tolerance 10                        per cent of the cap either way

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dravelquin::sim {

// The setting a sweep varies; the only one it can.
constexpr const char* kSweptSetting = "CheckInterval";
// From ten minutes to a day, the plug-in's own default.
const std::vector<std::int64_t> kDefaultSweepIntervals = {600, 1800, 3600, 7200, 21600, 86400};
// Each interval is one run of the scenario.
constexpr std::size_t kMaxSweepIntervals = 20;
// The largest interval the plug-in reads: a 32-bit whole number.
constexpr std::int64_t kMaxSweepInterval = 2147483647;
constexpr double kDefaultTolerancePercent = 10;

// Whether the argument after --sweep is its value rather than the scenario:
// a name of letters, alone or followed by "=".
bool IsSweepValue(const std::string& argument);

// The intervals a --sweep value asks for, ascending. The value names the
// setting, alone for the default intervals or with "=" and a list of whole
// seconds from 0 to kMaxSweepInterval separated by commas. Raises
// UsageError for another setting, a malformed or repeated interval, or more
// than kMaxSweepIntervals of them.
std::vector<std::int64_t> IntervalsToSweep(const std::string& value);

// The per cent of a --tolerance value: a number above 0 and at most 100.
// Raises UsageError otherwise.
double TolerancePercent(const std::string& value);

}  // namespace dravelquin::sim
