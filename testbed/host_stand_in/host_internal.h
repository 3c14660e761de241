#pragma once

// What the parts of the stand-in host share among themselves.

#include <cstdint>
#include <string>
#include <vector>

namespace dravelquin::testbed::host {

// Appends one binding event to the journal.
void AddJournalEntry(std::string entry);

// The hooks still set, as "hook <name>" each, after restoring every patched
// entry to the game's own function.
std::vector<std::string> RestoreAllHooks();

// Descriptions of the console commands ("command <name>") and timer
// callbacks ("timer <key>") still registered. Abandoning drops them without
// destroying them, for when the code they would run on destruction is gone;
// clearing destroys them.
std::vector<std::string> AbandonAllCommands();
void ClearAllCommands();

void ResetJournal();
void ResetCallbackErrors();
void ResetCallbackTimes();
// Adds one timer callback's time, while callbacks are timed.
void AddTimerTime(std::int64_t nanoseconds);
void ResetLogCapture();
void ResetTools();
void ResetClock();

}  // namespace dravelquin::testbed::host
