#include "tools/sim/strict_json.h"

#include <cstddef>
#include <set>
#include <vector>

#include "tools/sim/scenario_limits.h"

namespace dravelquin::sim {

namespace {

// One open object or array while the text is read.
struct OpenValue {
  bool is_array = false;
  std::string last_name;        // an object's member being read
  std::size_t next_index = 0;   // an array's element being read
  std::set<std::string> names;  // an object's names so far
};

// Follows the parser's events, refusing what plain JSON allows.
class StrictnessCheck {
 public:
  bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start:
        Open(event == Json::parse_event_t::array_start);
        break;
      case Json::parse_event_t::key:
        Name(parsed.get<std::string>());
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        open_.pop_back();
        ElementDone();
        break;
      case Json::parse_event_t::value:
        ElementDone();
        break;
    }
    return true;
  }

 private:
  void Open(bool is_array) {
    if (open_.size() >= static_cast<std::size_t>(kMaxNesting)) {
      throw ScenarioError(TopMember() + "nested deeper than " + std::to_string(kMaxNesting) +
                          " levels, the most a scenario may have");
    }
    open_.push_back(OpenValue{is_array, {}, 0, {}});
  }

  void Name(const std::string& name) {
    OpenValue& object = open_.back();
    if (!object.names.insert(name).second) {
      throw ScenarioError(Where() + Json(name).dump() + " is given twice");
    }
    object.last_name = name;
  }

  void ElementDone() {
    if (!open_.empty() && open_.back().is_array) {
      ++open_.back().next_index;
    }
  }

  // "config: ", the top-level member holding the innermost open value; ""
  // at the top.
  std::string TopMember() const {
    return open_.size() < 2 || open_[0].is_array ? "" : EscapedName(open_[0].last_name) + ": ";
  }

  // "steps[2]: ", the place of the innermost open value; "" at the top.
  std::string Where() const {
    std::string path;
    for (std::size_t level = 1; level < open_.size(); ++level) {
      const OpenValue& outer = open_[level - 1];
      path += outer.is_array ? "[" + std::to_string(outer.next_index) + "]"
                             : (path.empty() ? "" : ".") + EscapedName(outer.last_name);
    }
    return path.empty() ? "" : path + ": ";
  }

  std::vector<OpenValue> open_;
};

}  // namespace

Json ParseStrictJson(const std::string& text) {
  try {
    return Json::parse(text, StrictnessCheck());
  } catch (const Json::parse_error& error) {
    throw ScenarioError(std::string("invalid JSON: ") + error.what());
  } catch (const Json::out_of_range& error) {
    // A number such as 1e400 is JSON, but no double holds it.
    throw ScenarioError(std::string("a number beyond the range of a double: ") + error.what());
  }
}

}  // namespace dravelquin::sim
