#include "suite/cli/user_answers.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "host/message_service.h"
#include "platform/winnls.h"

namespace suite::cli {
namespace {

// Reads y/n (or Enter for `fallback`) from the terminal; EOF counts as `fallback`.
bool read_yes_no(bool fallback) {
  std::string line;
  while (true) {
    std::fprintf(stderr, fallback ? " [Y/n] " : " [y/N] ");
    std::fflush(stderr);
    if (!std::getline(std::cin, line)) return fallback;
    if (line.empty()) return fallback;
    if (line == "y" || line == "Y" || line == "yes") return true;
    if (line == "n" || line == "N" || line == "no") return false;
  }
}

bool interactive() { return isatty(STDIN_FILENO) != 0; }

bool g_unanswered = false;

// Nobody to ask: the safe answer, and how to give another one.
void refuse_unasked() {
  g_unanswered = true;
  std::fprintf(stderr, "\nzozed: no terminal to ask, so the answer is no; run again with --yes or --no to answer\n");
}

LONG answer_for(const MessageRequest& request, bool yes) {
  switch (request.buttons) {
    case host::kButtonsOkCancel: return yes ? host::kAnswerOk : host::kAnswerCancel;
    case host::kButtonsYesNo:
    case host::kButtonsYesNoCancel: return yes ? host::kAnswerYes : host::kAnswerNo;
    default: return host::kAnswerOk;
  }
}

}  // namespace

MessageAnswerer make_answerer(AnswerMode mode) {
  return [mode](const MessageRequest& request) -> LONG {
    std::fprintf(stderr, "zozed: %s", platform::to_utf8(request.text).c_str());
    if (!request.further.empty()) std::fprintf(stderr, "\n       %s", platform::to_utf8(request.further).c_str());
    for (const std::string& detail : request.details) std::fprintf(stderr, "\n         %s", detail.c_str());
    if (request.buttons == host::kButtonsOk) {
      std::fprintf(stderr, "\n");
      return host::kAnswerOk;
    }
    if (mode == AnswerMode::ask && !interactive()) {
      refuse_unasked();
      return answer_for(request, false);
    }
    if (mode != AnswerMode::ask) {
      std::fprintf(stderr, " (%s)\n", mode == AnswerMode::yes ? "--yes" : "--no");
      return answer_for(request, mode == AnswerMode::yes);
    }
    return answer_for(request, read_yes_no(true));
  };
}

bool confirm(const std::string& question, AnswerMode mode) {
  std::fprintf(stderr, "zozed: %s", question.c_str());
  if (mode != AnswerMode::ask) {
    std::fprintf(stderr, " (%s)\n", mode == AnswerMode::yes ? "--yes" : "--no");
    return mode == AnswerMode::yes;
  }
  if (!interactive()) {
    refuse_unasked();
    return false;
  }
  return read_yes_no(true);
}

bool unanswered_question() { return g_unanswered; }

}  // namespace suite::cli
