#pragma once
// The exchange's content at start: the built-in default scenario, and a
// scenario file (INI) whose keys override it.
#include <string>

#include "simulated_exchange.h"

namespace exchange {

// Lively without any file: 16 ports with traffic, four mailboxes, three
// Personal records of short numbers, a waiting message and two billing
// records.
Scenario DefaultScenario();

// Reads fileName over the default scenario: a missing key keeps the
// default's value; a content section that is present ([Mailboxes],
// [Personal], [Slots], [Billing]) replaces the default's content.
// False with a message naming section and key for a file that is missing
// or holds a value that cannot be used.
bool LoadScenario(const std::string& fileName, Scenario& scenario, std::string& error);

// A few lines saying what the exchange serves.
std::string DescribeScenario(const Scenario& scenario);

}  // namespace exchange
