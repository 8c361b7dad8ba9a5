#include "support/lookup_stand_in.h"

#include <algorithm>
#include <cstdlib>

#include "support/test_support.h"

std::string StandInAddress() {
  const char* server = getenv("ZANTO_LOOKUP_SERVER");
  return server ? server : "";
}

size_t StandInRequests() {
  // Each request is logged before it is answered: what was answered is here.
  const char* log = getenv("ZANTO_LOOKUP_LOG");
  const std::string lines = log ? ReadFileBytes(log) : std::string();
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), '\n'));
}
