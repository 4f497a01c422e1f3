#include "platform/system_log.h"

#include <syslog.h>

void ReportSystemEvent(const std::string& text, TEventType type) {
  static bool opened = false;
  if (!opened) {
    openlog("VestaAgent", LOG_PID, LOG_DAEMON);
    opened = true;
  }
  int priority = type == TEventType::Error ? LOG_ERR
                 : type == TEventType::Warning ? LOG_WARNING
                                               : LOG_INFO;
  syslog(priority, "%s", text.c_str());
}
