// The disc database's stand-in (lookup_stand_in.py): a real HTTP server on
// 127.0.0.1, started for one test and ended with it.
#ifndef ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H
#define ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H

#include <windows.h>

#include <string>

#include "common/handles.h"

class LookupStandIn {
 public:
  explicit LookupStandIn(const std::string& config);  // UTF-8 JSON, as the script says
  ~LookupStandIn() = default;  // its output file goes, and it ends
  LookupStandIn(const LookupStandIn&) = delete;
  LookupStandIn& operator=(const LookupStandIn&) = delete;

  bool Ready() const { return port_ != 0; }  // false when the server did not come up
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_); }
  size_t Requests();  // how many the services were sent so far

 private:
  unique_hfile output_;  // its standard output: its port, then a line per request
  unique_hfile reader_;  // that file read here
  std::string heard_;
  int port_ = 0;
};

#endif
