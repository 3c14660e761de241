#include "near_names.h"

#include <algorithm>
#include <numeric>

#include "letter_case.h"

namespace dravelquin {

namespace {

constexpr std::size_t kMostEditsForASuggestion = 2;

}  // namespace

std::size_t EditDistance(const std::string& from, const std::string& to) {
  std::vector<std::size_t> previous(to.size() + 1);
  std::iota(previous.begin(), previous.end(), std::size_t{0});
  std::vector<std::size_t> current(to.size() + 1);
  for (std::size_t i = 1; i <= from.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= to.size(); ++j) {
      const std::size_t substitution =
          previous[j - 1] + (FoldedCase(from[i - 1]) == FoldedCase(to[j - 1]) ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    std::swap(previous, current);
  }
  return previous[to.size()];
}

std::optional<std::string> NearestOf(const std::string& name,
                                     const std::vector<std::string>& candidates) {
  std::optional<std::string> nearest;
  std::size_t nearest_distance = 0;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(name, candidate);
    if (!nearest || distance < nearest_distance) {
      nearest = candidate;
      nearest_distance = distance;
    }
  }
  return nearest;
}

std::optional<std::string> NearName(const std::string& name,
                                    const std::vector<std::string>& candidates) {
  const std::optional<std::string> nearest = NearestOf(name, candidates);
  if (nearest && EditDistance(name, *nearest) <= kMostEditsForASuggestion) {
    return nearest;
  }
  return std::nullopt;
}

}  // namespace dravelquin
