#include "general_check.h"

#include <string>

#include "number_reading.h"
#include "unknown_members.h"
#include "value_kind.h"

namespace dravelquin {

using nlohmann::json;

namespace {

const json::json_pointer kGeneral("/General");
const json::json_pointer kCheckInterval("/General/CheckInterval");

std::string Seconds(std::int32_t seconds) {
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string TimerNeverRecounts(const std::string& error) {
  return "the timer never runs a census (its lookup fails with \"" + error +
         "\"); only the census after each start of the game mode runs";
}

void CheckIntervalValue(const json& interval, const LookupOutcome& outcome,
                        ConfigReport& report) {
  const std::string pointer = kCheckInterval.to_string();
  if (!outcome.value) {
    report.About(Severity::kWarning, pointer,
                 "is " + KindOf(interval) + ": " + TimerNeverRecounts(outcome.error));
    return;
  }
  const std::int32_t seconds = *outcome.value;
  const NumberReading reading = ReadingOf(interval, seconds);
  const std::string described =
      DescribeReading(report.Map().ValueTextOf(pointer), reading, seconds);
  if (seconds <= 0) {
    report.About(Severity::kWarning, pointer,
                 described + ", so a census runs at every timer call");
  } else if (reading != NumberReading::kExact) {
    report.About(Severity::kWarning, pointer,
                 described + ", so the timer recounts every " + Seconds(seconds));
  }
}

}  // namespace

void CheckGeneral(const SettingsReader& settings, ConfigReport& report) {
  const json& document = settings.Document();
  const LookupOutcome outcome = settings.CheckInterval();
  if (!document.contains(kGeneral)) {
    report.About(Severity::kWarning, kGeneral.to_string(),
                 "is absent: " + TimerNeverRecounts(outcome.error));
    return;
  }
  const json& general = document.at(kGeneral);
  if (!general.is_object()) {
    report.About(Severity::kWarning, kGeneral.to_string(),
                 "is " + KindOf(general) + ", not an object: " +
                     TimerNeverRecounts(outcome.error));
    return;
  }
  CheckUnknownMembers(general, kGeneral, {"CheckInterval"}, report);
  if (!general.contains("CheckInterval")) {
    report.About(Severity::kNote, kCheckInterval.to_string(),
                 "is absent: the timer recounts every " + Seconds(outcome.value.value_or(0)));
    return;
  }
  CheckIntervalValue(general.at("CheckInterval"), outcome, report);
}

}  // namespace dravelquin
