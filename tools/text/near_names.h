#pragma once

// Finding the name someone most likely meant.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dravelquin {

// The number of single-byte insertions, deletions and substitutions that
// turn one text into the other, letter case of A-Z ignored.
// Example: EditDistance("Generl", "general") == 1.
std::size_t EditDistance(const std::string& from, const std::string& to);

// The candidate nearest to `name` when it is at most two edits away, else
// nothing. Of equally near candidates the first wins.
// Example: NearName("dinos", {"General", "Dinos"}) == "Dinos".
std::optional<std::string> NearName(const std::string& name,
                                    const std::vector<std::string>& candidates);

// The candidate nearest to `name` however far, or nothing when there is no
// candidate. Of equally near candidates the first wins.
std::optional<std::string> NearestOf(const std::string& name,
                                     const std::vector<std::string>& candidates);

}  // namespace dravelquin
