#pragma once
// The system event log: syslog under the ident "VestaAgent".
#include <string>

enum class TEventType { Information, Warning, Error };
void ReportSystemEvent(const std::string& text, TEventType type);
