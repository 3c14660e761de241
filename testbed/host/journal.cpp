#include <string>
#include <utility>
#include <vector>

#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

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
