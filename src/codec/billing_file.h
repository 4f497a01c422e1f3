#pragma once
// The billing file: one record text per line, CR LF ended, only appended.
#include <string>

// Appends text and CR LF. While one append runs other writers are locked
// out (an exclusive lock, as a deny-write share mode would). False when the
// file cannot be opened, locked or written.
bool AppendBillingRecord(const std::string& fileName, const std::string& text);
