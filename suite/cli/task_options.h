// What the task verbs (`prepare`, `email`) share: the files to work on (the bundled sample
// photos when none are given), e-mail option changes for this run (kept with --save), and the
// suite started with the command line answering its questions and drawing its progress.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "suite/cli/email_options_store.h"
#include "suite/cli/progress_bar.h"
#include "suite/cli/running_suite.h"
#include "suite/cli/share_pane_driver.h"
#include "suite/cli/user_answers.h"
#include "suite/host/suite_state.h"

namespace suite::cli {

struct TaskOptions {
  std::vector<std::string> files;
  std::vector<std::string> assignments;  // "Name=Value" e-mail options
  bool yes = false;
  bool no = false;
  bool save = false;  // keep the run's option changes (--set, and the choices a verb clicks)

  AnswerMode answer_mode() const noexcept { return yes ? AnswerMode::yes : no ? AnswerMode::no : AnswerMode::ask; }
};

// Adds FILE..., --set, --save, --yes and --no to `command`.
void add_task_options(CLI::App& command, TaskOptions& options);

// The e-mail options for one run: the module's record completed, the --set changes applied
// (a bad one is refused with the reason, exit 2), and everything the run changed put back when
// it goes, unless --save was given. Needs the running suite.
class RunOptions {
 public:
  explicit RunOptions(const TaskOptions& options);
  ~RunOptions();
  RunOptions(const RunOptions&) = delete;
  RunOptions& operator=(const RunOptions&) = delete;

 private:
  bool keep_;
  std::unique_ptr<EmailOptionsSnapshot> before_;
};

// The bundled sample photos (<bin>/../share/zozed/samples), sorted; empty when there are none.
std::vector<std::string> sample_photos();

// The files given, or the sample photos (said on stderr); fails when there are neither.
std::vector<std::string> task_files(const TaskOptions& options);

// A Windows profile always has a pictures folder, where the e-mail options keep their default
// save location; the user's XDG pictures folder is made when it is missing.
void ensure_pictures_folder();

// What every task verb starts with: the module registered (on the first run), the suite running
// with the command line answering its questions and drawing its progress, the files (or the
// samples), the e-mail options for this run, and the Share-by-e-mail pane holding the files as it
// prepared them. Prints why and throws CLI::RuntimeError when any of it fails.
class TaskRun {
 public:
  TaskRun(const TaskOptions& options, SuiteSettings settings);

  Session& session() noexcept { return suite_.session(); }
  SharePaneDriver& pane() noexcept { return pane_; }
  const std::vector<std::string>& files() const noexcept { return files_; }

 private:
  bool registered_;
  ProgressBar bar_;  // drawn by the suite: made before it and gone after it
  RunningSuite suite_;
  std::vector<std::string> files_;
  RunOptions options_;
  SharePaneDriver pane_;
};

// "  800 x 527       27226 bytes  /path/goldfish.jpg"
void print_tray_file(const TrayFile& file);

}  // namespace suite::cli
