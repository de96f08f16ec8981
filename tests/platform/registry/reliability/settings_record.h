// The settings record the crash figure saves over and over: values whose bytes all derive
// from one generation number, so that a reader can tell exactly which save each came from.
#pragma once

#include <string>
#include <vector>

#include "platform/winreg.h"

namespace reliability {

inline constexpr const char* kRecordKey = "Software\\Reliability\\Options";
inline constexpr int kRecordValues = 9;

// Saves generation `gen` value by value, in a fixed order, each in its own write (as a
// program saving its options does). Answers the first failing code.
LONG save_record(DWORD gen);

struct RecordState {
  bool readable = false;          // the key and every value exist and decode
  std::vector<long long> gens;    // generation of each value, in write order
  std::string problem;            // what does not decode
};

RecordState read_record();

}  // namespace reliability
