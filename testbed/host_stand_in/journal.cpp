#include <string>
#include <utility>
#include <vector>

#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

namespace {

std::vector<std::string> journal;

}  // namespace

namespace dravelquin::testbed {

namespace host {

void AddJournalEntry(std::string entry) { journal.push_back(std::move(entry)); }

void ResetJournal() { journal.clear(); }

}  // namespace host

std::vector<std::string> Journal() { return journal; }

void ClearJournal() { journal.clear(); }

}  // namespace dravelquin::testbed
