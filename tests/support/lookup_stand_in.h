// The disc database's stand-in, lookup_stand_in.py: a real HTTP server on
// 127.0.0.1 that runs the test program, knowing the discs of
// lookup_discs.json by their ids.
#ifndef ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H
#define ZANTO_TESTS_SUPPORT_LOOKUP_STAND_IN_H

#include <cstddef>
#include <string>

// Where it listens; "" when the program was not started by it.
std::string StandInAddress();
// The requests it was sent so far.
size_t StandInRequests();

#endif
