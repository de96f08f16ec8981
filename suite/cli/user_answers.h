// How the command line answers the questions the suite asks during a task: from --yes / --no,
// or by asking the person at the terminal; each message is printed either way.
#pragma once

#include <string>
#include <vector>

#include "suite/host/suite_state.h"

namespace suite::cli {

enum class AnswerMode { ask, yes, no };

// Prints each message on stderr and answers it: yes/OK/continue for `yes`, no/cancel for `no`
// (OK when that is the only button), the terminal's answer for `ask`. With nobody at a terminal
// to ask, a question is never answered yes on the user's behalf: it is refused (no/cancel), with
// a line naming the flags that answer it, and unanswered_question() turns true.
MessageAnswerer make_answerer(AnswerMode mode);

// A yes/no question of the command line itself (a dialog's choice), answered the same way.
bool confirm(const std::string& question, AnswerMode mode);

// Whether a question was refused because nobody could be asked.
bool unanswered_question();

}  // namespace suite::cli
