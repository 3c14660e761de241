#pragma once

// Reading back what a chart draws: its elements with their attributes and
// texts, and the places of its texts and marks, to check them against its
// view box. Read by plain scanning: std::regex's matcher recurses once per
// character, and a polyline's points run to thousands of them.

#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace dravelquin {

// One element as written: `<name attributes...>` followed by its text up
// to the next '<'. `attributes` keeps their order.
struct SvgElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;

  // The attribute's value, or "" when the element has none of that name.
  std::string Value(const std::string& attribute) const {
    for (const auto& [key, value] : attributes) {
      if (key == attribute) {
        return value;
      }
    }
    return "";
  }
  bool Has(const std::string& attribute) const {
    for (const auto& entry : attributes) {
      if (entry.first == attribute) {
        return true;
      }
    }
    return false;
  }
};

// Every opening or empty element of `svg`, in order; closing tags are skipped.
inline std::vector<SvgElement> SvgElements(const std::string& svg) {
  const auto is_name = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
  };
  std::vector<SvgElement> elements;
  for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at)) {
    ++at;
    SvgElement element;
    while (at < svg.size() && is_name(svg[at])) {
      element.name += svg[at++];
    }
    while (at < svg.size() && svg[at] != '>') {
      if (!is_name(svg[at])) {
        ++at;
        continue;
      }
      std::string key;
      while (at < svg.size() && is_name(svg[at])) {
        key += svg[at++];
      }
      if (svg.compare(at, 2, "=\"") != 0) {
        continue;
      }
      const std::size_t end = svg.find('"', at + 2);
      if (end == std::string::npos) {
        break;
      }
      element.attributes.emplace_back(key, svg.substr(at + 2, end - at - 2));
      at = end + 1;
    }
    const std::size_t text_end = svg.find('<', at);
    if (at < svg.size()) {
      element.text =
          svg.substr(at + 1, (text_end == std::string::npos ? svg.size() : text_end) - at - 1);
    }
    if (!element.name.empty()) {
      elements.push_back(std::move(element));
    }
  }
  return elements;
}

// The x of each move ("M<x> <y>") of a path's `d`, with its y.
inline std::vector<std::pair<std::string, std::string>> PathMoves(const std::string& d) {
  std::vector<std::pair<std::string, std::string>> moves;
  for (std::size_t at = d.find('M'); at != std::string::npos; at = d.find('M', at)) {
    ++at;
    const std::size_t space = d.find(' ', at);
    if (space == std::string::npos) {
      break;
    }
    std::size_t end = space + 1;
    while (end < d.size() && d[end] != 'v' &&
           std::isspace(static_cast<unsigned char>(d[end])) == 0) {
      ++end;
    }
    moves.emplace_back(d.substr(at, space - at), d.substr(space + 1, end - space - 1));
    at = end;
  }
  return moves;
}

// Each place the SVG draws at that lies outside its view box ("0 0 W H"),
// as "<element> x,y". A coordinate that is no number (nan) is outside too.
// Places: the x/y, x1/y1, x2/y2 and cx/cy attributes, a rectangle's far
// corner, a polyline's points and a path's moves.
inline std::vector<std::string> PlacesOutsideViewBox(const std::string& svg) {
  const std::vector<SvgElement> elements = SvgElements(svg);
  double width = 0;
  double height = 0;
  bool has_box = false;
  for (const SvgElement& element : elements) {
    std::istringstream box(element.Value("viewBox"));
    double left = 0;
    double top = 0;
    if (element.name == "svg" && box >> left >> top >> width >> height && left == 0 && top == 0) {
      has_box = true;
      break;
    }
  }
  if (!has_box) {
    return {"no view box"};
  }
  std::vector<std::string> outside;
  const auto check = [&](const std::string& element, const std::string& x, const std::string& y) {
    const double at_x = std::stod(x);
    const double at_y = std::stod(y);
    if (!(at_x >= 0 && at_x <= width && at_y >= 0 && at_y <= height)) {
      outside.push_back("<" + element + "> " + x + "," + y);
    }
  };
  static const std::pair<const char*, const char*> kPairs[] = {
      {"x", "y"}, {"x1", "y1"}, {"x2", "y2"}, {"cx", "cy"}};
  for (const SvgElement& element : elements) {
    for (const auto& [x, y] : kPairs) {
      if (element.Has(x) && element.Has(y)) {
        check(element.name, element.Value(x), element.Value(y));
      }
    }
    if (element.name == "rect" && element.Has("x") && element.Has("width")) {
      check(element.name,
            std::to_string(std::stod(element.Value("x")) + std::stod(element.Value("width"))),
            std::to_string(std::stod(element.Value("y")) + std::stod(element.Value("height"))));
    }
    std::istringstream points(element.Value("points"));
    for (std::string point; points >> point;) {
      const std::size_t comma = point.find(',');
      if (comma != std::string::npos) {
        check(element.name, point.substr(0, comma), point.substr(comma + 1));
      }
    }
    for (const auto& [x, y] : PathMoves(element.Value("d"))) {
      check(element.name, x, y);
    }
  }
  return outside;
}

}  // namespace dravelquin
