#pragma once

// Fault injection into the game's natives. To make a native or a field
// unknown, remove its name from the host (testbed::RemoveNative,
// testbed::RemoveField); ResetGame registers it again.

#include <string>

namespace dravelquin::testbed {

// Makes every later call of the named native (or of the game's own hooked
// function of that name) raise std::runtime_error with
// `message`, until ResetGame.
void MakeNativeThrow(const std::string& name, const std::string& message);

}  // namespace dravelquin::testbed
