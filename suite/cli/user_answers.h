// How the command line answers the questions the suite asks during a task: from --yes / --no,
// or by asking the person at the terminal; each message is printed either way.
#pragma once

#include <string>
#include <vector>

#include "suite/host/suite_state.h"

namespace suite::cli {

enum class AnswerMode { ask, yes, no };

// Prints each message on stderr and answers it: yes/OK/continue for `yes`, no/cancel for `no`
// (OK when that is the only button), the terminal's answer for `ask` (the first button when
// stdin is not a terminal).
MessageAnswerer make_answerer(AnswerMode mode);

// A yes/no question of the command line itself (a dialog's choice), answered the same way.
bool confirm(const std::string& question, AnswerMode mode);

}  // namespace suite::cli
