// The subject and body every message starts with; both are the host's texts.
#pragma once

#include <string>

#include "host/environment.h"

namespace zozed::email {

inline constexpr LONG kMessageSubjectString = 62570;
inline constexpr LONG kMessageBodyString = 62571;

struct MessageTexts {
  std::u16string subject;
  std::u16string body;
};

// Raises ComError on a failing host call.
MessageTexts DefaultMessageTexts(IClientEnvironment& environment);

}  // namespace zozed::email
