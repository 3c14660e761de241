#pragma once

// A settings document compared with a census dump: for each blueprint path
// of the dump that a configured name takes in, what the gate does to the
// next creature of that path once a census has counted what the dump shows;
// the configured names the dump does not show; and the dump's most numerous
// blueprints that nothing caps.

#include <cstdint>
#include <string>
#include <vector>

#include "config_report.h"
#include "diagnostic.h"
#include "dump_file.h"
#include "plugin_reading.h"

namespace dravelquin {

struct DumpInput {
  std::string file;
  std::vector<DumpBlueprint> blueprints;
};

// One blueprint path of the dump that the census counts under a configured
// entry.
struct PathOutlook {
  std::string name;  // the configured name equal to the path, else the entry's first name
  std::string path;
  std::int64_t wild = 0;
  int dump_line = 0;
  LookupOutcome cap;            // the cap the gate reads for the path
  bool next_destroyed = false;  // the gate destroys the next creature of the path
};

// The outlooks of the dump's paths that the configured names take in, in
// byte order of path.
std::vector<PathOutlook> OutlooksOf(const SettingsReader& settings,
                                    const std::vector<DumpBlueprint>& dump);

// Adds notes at the configured names of the settings and returns the notes
// at the dump's lines about its most numerous uncapped blueprints.
std::vector<Diagnostic> CompareWithDump(const SettingsReader& settings, const DumpInput& dump,
                                        ConfigReport& report);

}  // namespace dravelquin
