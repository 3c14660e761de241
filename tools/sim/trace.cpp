#include "tools/sim/trace.h"

namespace dravelquin::sim {

Json NewTraceLine(std::size_t index, const std::string& verb) {
  Json line = Json::object();
  line["step"] = index;
  line["do"] = verb;
  return line;
}

void AttachCallbackErrors(Json& line, const ErrorCount& errors) {
  if (errors.count == 0) {
    return;
  }
  if (!line.contains("error")) {
    line["error"] = errors.first_what;
    line["error_in"] = errors.first_where;
  }
  if (errors.count > 1) {
    line["error_count"] = errors.count;
  }
}

void WriteTraceLine(std::ostream& out, const Json& line) {
  constexpr int kCompact = -1;
  out << line.dump(kCompact, ' ', false, Json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace dravelquin::sim
