#include "suite/cli/task_options.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "platform/shlobj.h"
#include "suite/cli/commands.h"
#include "suite/cli/email_options_store.h"

namespace suite::cli {

void add_task_options(CLI::App& command, TaskOptions& options) {
  command.add_option("files", options.files, "Photos and other files to send (default: the bundled sample photos)");
  command
      .add_option("--set", options.assignments,
                  "Change an e-mail option for this run: \"Name=Value\" (see `zozed options email`);\n"
                  "repeat it for several")
      ->allow_extra_args(false)
      ->type_name("NAME=VALUE");
  command.add_flag("--save", options.save, "Keep this run's option changes for later runs");
  auto* yes = command.add_flag("--yes,-y", options.yes, "Answer every question with yes / continue");
  command.add_flag("--no,-n", options.no, "Answer every question with no / cancel")->excludes(yes);
}

std::vector<std::string> sample_photos() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const auto folder = (executable.parent_path() / ".." / "share" / "zozed" / "samples").lexically_normal();
  std::vector<std::string> photos;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.is_regular_file() && entry.path().extension() == ".jpg") photos.push_back(entry.path().string());
  std::sort(photos.begin(), photos.end());
  return photos;
}

std::vector<std::string> task_files(const TaskOptions& options) {
  if (!options.files.empty()) return options.files;
  auto photos = sample_photos();
  if (photos.empty()) {
    std::cerr << "zozed: no files given and no sample photos installed beside the program\n";
    throw CLI::RuntimeError(2);
  }
  std::cerr << "zozed: no files given; using the " << photos.size() << " bundled sample photos\n";
  return photos;
}

RunOptions::RunOptions(const TaskOptions& options) : keep_(options.save) {
  complete_email_options();
  before_ = std::make_unique<EmailOptionsSnapshot>();
  try {
    for (const auto& assignment : options.assignments) set_email_option(assignment);
  } catch (const std::invalid_argument& wrong) {
    before_->restore();
    std::cerr << "zozed: " << wrong.what() << "\n";
    throw CLI::RuntimeError(2);
  } catch (const std::runtime_error& failed) {
    before_->restore();
    std::cerr << "zozed: " << failed.what() << "\n";
    throw CLI::RuntimeError(1);
  }
}

RunOptions::~RunOptions() {
  if (!keep_) before_->restore();
}

void ensure_pictures_folder() {
  WCHAR path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    std::cerr << "zozed: there is no pictures folder and none could be made; saving for later needs a save location\n";
}

namespace {

bool registered_or_fail() {
  if (!ensure_module_registered()) throw CLI::RuntimeError(1);
  return true;
}

SuiteSettings with_command_line(SuiteSettings settings, const TaskOptions& options, ProgressBar& bar) {
  settings.answerer = make_answerer(options.answer_mode());
  settings.progress = [&bar](LONG percent) { bar.show(percent); };
  return settings;
}

}  // namespace

TaskRun::TaskRun(const TaskOptions& options, SuiteSettings settings)
    : registered_(registered_or_fail()),
      bar_("Preparing"),
      suite_(with_command_line(std::move(settings), options, bar_)),
      files_((ensure_pictures_folder(), task_files(options))),
      options_(options),
      pane_(suite_.session()) {
  pane_.open(files_);
  bar_.show(0);
}

void print_tray_file(const TrayFile& file) {
  if (file.width > 0)
    std::printf("  %5d x %-5d %9lld bytes  %s\n", file.width, file.height, static_cast<long long>(file.bytes),
                file.path.c_str());
  else
    std::printf("  %13s %9lld bytes  %s\n", "", static_cast<long long>(file.bytes), file.path.c_str());
}

}  // namespace suite::cli
