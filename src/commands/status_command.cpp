#include "commands/status_command.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "commands/reload_command.h"
#include "commands/server_admin.h"
#include "engine/fstring.h"
#include "host/platform.h"
#include "host/plugin_files.h"
#include "host/plugin_log.h"
#include "population/census.h"
#include "population/census_schedule.h"
#include "population/census_table.h"
#include "population/settings.h"
#include "population/settings_file.h"

namespace dravelquin {

namespace {

using nlohmann::json;

constexpr std::int64_t kTicksPerSecond = 10000000;

// Bytes [at, at + length) that are one well-formed UTF-8 sequence: its
// length, or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(at);
  std::size_t length = 0;
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (text.size() - at < length || byte(at + 1) < low || byte(at + 1) > high) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
      return 0;
    }
  }
  return length;
}

// `text` as a JSON string. Well-formed UTF-8 is kept; any other byte of 0x80
// and above is read as Latin-1, as narrowing makes a path's characters up
// to U+00FF, so the result is always UTF-8.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceAt(text, at);
      if (length != 0) {
        out.append(text.substr(at, length));
        at += length;
      } else {
        out += static_cast<char>(0xC0 | (byte >> 6));
        out += static_cast<char>(0x80 | (byte & 0x3F));
        ++at;
      }
      continue;
    }
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += static_cast<char>(byte);
    }
    ++at;
  }
  out += '"';
}

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The time as ISO-8601 UTC to the second. Example: 0 -> "1970-01-01T00:00:00Z".
std::string IsoUtc(std::int64_t ticks) {
  const std::int64_t seconds = FloorDivide(ticks, kTicksPerSecond);
  const std::int64_t days = FloorDivide(seconds, 86400);
  const std::int64_t of_day = seconds - days * 86400;
  // Days since 1970-01-01 to a civil date, counting in 400-year eras that
  // begin on March 1st.
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = FloorDivide(shifted, 146097);
  const std::int64_t day_of_era = shifted - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  char text[160];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                static_cast<long long>(year), static_cast<long long>(month),
                static_cast<long long>(day), static_cast<long long>(of_day / 3600),
                static_cast<long long>(of_day / 60 % 60), static_cast<long long>(of_day % 60));
  return text;
}

std::string TimeOrNull(const std::optional<std::int64_t>& ticks) {
  return ticks ? "\"" + IsoUtc(*ticks) + "\"" : "null";
}

// Whole seconds, rounded up, from now to the next timer census; 0 when due.
std::int64_t SecondsToNextCensus(std::int64_t now) {
  if (NextCensusTicks <= now) {
    return 0;
  }
  const std::uint64_t ticks =
      static_cast<std::uint64_t>(NextCensusTicks) - static_cast<std::uint64_t>(now);
  return static_cast<std::int64_t>((ticks + kTicksPerSecond - 1) / kTicksPerSecond);
}

// The member names of "Dinos", read without inserting anything; none when
// the census could not read them either.
std::vector<std::string> ConfiguredNamesAsTheyStand(const json& settings) {
  if (!settings.is_object()) {
    return {};
  }
  const auto dinos = settings.find("Dinos");
  if (dinos == settings.end()) {
    return {};
  }
  try {
    return MemberNames(*dinos);
  } catch (const json::exception&) {
    return {};
  }
}

using TotalsByKey =
    std::unordered_map<FString, std::int64_t, CaseInsensitiveHash, CaseInsensitiveEqual>;

// The gate's destroyed totals added up under the census key of their paths.
TotalsByKey DestroyedByKey() {
  TotalsByKey totals;
  for (const auto& [path, destroyed] : DestroyedByPath()) {
    totals[FromNarrow(path.c_str())] += destroyed;
  }
  return totals;
}

void AppendBlueprint(std::string& out, const std::string& name, const TotalsByKey& destroyed) {
  const FString key = FromNarrow(name.c_str());
  std::int64_t counted = 0;
  std::int64_t admitted = 0;
  const auto entry = CapTable().find(key);
  if (entry != CapTable().end()) {
    for (const auto& [path, tally] : entry->second) {
      counted += tally.counted;
      admitted += tally.admitted;
    }
  }
  const auto destroyed_total = destroyed.find(key);
  out += "{\"path\": ";
  AppendJsonString(out, name);
  out += ", \"cap\": ";
  try {
    out += std::to_string(CapOfPath(Settings(), name));
  } catch (const json::exception& error) {
    AppendJsonString(out, error.what());
  }
  out += ", \"counted\": " + std::to_string(counted);
  out += ", \"admitted\": " + std::to_string(admitted);
  out += ", \"destroyed\": " +
         std::to_string(destroyed_total == destroyed.end() ? 0 : destroyed_total->second);
  out += '}';
}

std::string StatusText() {
  const std::int64_t now = CurrentTicks();
  const std::optional<std::int32_t> interval = ReadableCheckInterval(Settings());
  std::string out = "{\n\"version\": \"" DRAVELQUIN_VERSION "\",\n";
  out += "\"CheckInterval\": " + (interval ? std::to_string(*interval) : "null") + ",\n";
  out += std::string("\"ExactCaps\": ") + (ExactCapsInForce ? "true" : "false") + ",\n";
  out += "\"seconds_to_next_census\": " +
         (interval ? std::to_string(SecondsToNextCensus(now)) : "null") + ",\n";
  out += "\"last_census\": " + TimeOrNull(LastCensusTicks) + ",\n";
  out += "\"last_reload\": " + TimeOrNull(LastReloadTicks) + ",\n";
  const std::vector<std::string> names = ConfiguredNamesAsTheyStand(Settings());
  if (names.empty()) {
    out += "\"blueprints\": []\n}\n";
    return out;
  }
  out += "\"blueprints\": [\n";
  const TotalsByKey destroyed = DestroyedByKey();
  for (std::size_t i = 0; i < names.size(); ++i) {
    AppendBlueprint(out, names[i], destroyed);
    out += i + 1 < names.size() ? ",\n" : "\n";
  }
  out += "]\n}\n";
  return out;
}

// Writes the text beside the status file, then renames it over that file.
void ReplaceStatusFile(const std::string& text) {
  const std::string target = PluginFilePath("status.json");
  const std::string temporary = target + ".tmp";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) {
    throw std::runtime_error("cannot write " + temporary);
  }
  out << text;
  out.close();
  if (out.fail() || !ReplaceFileWith(temporary, target)) {
    std::remove(temporary.c_str());
    throw std::runtime_error("cannot write " + target);
  }
}

}  // namespace

void OnStatusCommand(APlayerController* controller, FString*, bool) noexcept {
  try {
    if (IsServerAdmin(controller)) {
      ReplaceStatusFile(StatusText());
    }
  } catch (const std::exception& error) {
    LogError(std::string("dravelquin.status failed: ") + error.what());
  } catch (...) {
    LogError("dravelquin.status failed: unknown error");
  }
}

}  // namespace dravelquin
