// The disc database's stand-in (lookup_stand_in.py): a real HTTP server on
// 127.0.0.1, started for one test and ended with it.
#ifndef ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H
#define ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H

#include <windows.h>

#include <string>
#include <vector>

class LookupStandIn {
 public:
  // `config` as the script's documentation says (UTF-8 JSON).
  explicit LookupStandIn(const std::string& config);
  ~LookupStandIn();
  LookupStandIn(const LookupStandIn&) = delete;
  LookupStandIn& operator=(const LookupStandIn&) = delete;

  // False when the server did not come up.
  bool Ready() const { return ready_; }
  // "http://127.0.0.1:<port>"
  std::string Address() const;
  // Each request so far: "<path>\t<User-Agent>".
  std::vector<std::string> Requests();

 private:
  std::string Get(const char* path);
  int port_ = 0;
  bool ready_ = false;
};

#endif
