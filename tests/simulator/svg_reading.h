#pragma once

// Reading back what a chart draws: the places of its texts and marks, to
// check them against its view box.

#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace dravelquin {

// Each place the SVG draws at that lies outside its view box ("0 0 W H"),
// as "<element> x,y". A coordinate that is no number (nan) is outside too.
// Places: the x/y, x1/y1, x2/y2 and cx/cy attributes, a rectangle's far
// corner, a polyline's points and a path's moves.
inline std::vector<std::string> PlacesOutsideViewBox(const std::string& svg) {
  std::smatch box;
  if (!std::regex_search(svg, box, std::regex(R"(viewBox="0 0 (\S+) (\S+)\")"))) {
    return {"no view box"};
  }
  const double width = std::stod(box[1]);
  const double height = std::stod(box[2]);
  std::vector<std::string> outside;
  const auto check = [&](const std::string& element, const std::string& x, const std::string& y) {
    const double at_x = std::stod(x);
    const double at_y = std::stod(y);
    if (!(at_x >= 0 && at_x <= width && at_y >= 0 && at_y <= height)) {
      outside.push_back("<" + element + "> " + x + "," + y);
    }
  };
  const std::regex element_pattern(R"(<(\w+)([^>]*)>)");
  const std::regex attribute_pattern(R"(([\w-]+)="([^"]*)\")");
  for (auto e = std::sregex_iterator(svg.begin(), svg.end(), element_pattern);
       e != std::sregex_iterator(); ++e) {
    const std::string name = (*e)[1];
    const std::string attributes = (*e)[2];
    std::map<std::string, std::string> values;
    for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), attribute_pattern);
         a != std::sregex_iterator(); ++a) {
      values[(*a)[1]] = (*a)[2];
    }
    static const std::pair<const char*, const char*> kPairs[] = {
        {"x", "y"}, {"x1", "y1"}, {"x2", "y2"}, {"cx", "cy"}};
    for (const auto& [x, y] : kPairs) {
      if (values.count(x) != 0 && values.count(y) != 0) {
        check(name, values[x], values[y]);
      }
    }
    if (name == "rect" && values.count("x") != 0 && values.count("width") != 0) {
      check(name, std::to_string(std::stod(values["x"]) + std::stod(values["width"])),
            std::to_string(std::stod(values["y"]) + std::stod(values["height"])));
    }
    const std::regex point_pattern(R"((\S+),(\S+))");
    const std::string& points = values["points"];
    for (auto p = std::sregex_iterator(points.begin(), points.end(), point_pattern);
         p != std::sregex_iterator(); ++p) {
      check(name, (*p)[1], (*p)[2]);
    }
    const std::regex move_pattern(R"(M(\S+) ([^v\s]+))");
    const std::string& path = values["d"];
    for (auto m = std::sregex_iterator(path.begin(), path.end(), move_pattern);
         m != std::sregex_iterator(); ++m) {
      check(name, (*m)[1], (*m)[2]);
    }
  }
  return outside;
}

}  // namespace dravelquin
