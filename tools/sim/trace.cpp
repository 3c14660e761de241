#include "tools/sim/trace.h"

#include <vector>

#include "testbed/host/testbed_host.h"

namespace dravelquin::sim {

Json NewTraceLine(std::size_t index, const std::string& verb) {
  Json line = Json::object();
  line["step"] = index;
  line["do"] = verb;
  return line;
}

void AttachCallbackErrors(Json& line) {
  const std::vector<testbed::CallbackError> errors = testbed::TakeCallbackErrors();
  if (errors.empty()) {
    return;
  }
  if (!line.contains("error")) {
    line["error"] = errors.front().what;
    line["error_in"] = errors.front().where;
  }
  if (errors.size() > 1) {
    line["error_count"] = errors.size();
  }
}

void WriteTraceLine(std::ostream& out, const Json& line) {
  constexpr int kCompact = -1;
  out << line.dump(kCompact, ' ', false, Json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace dravelquin::sim
