// Measures the registry store's reliability figures with real processes:
//   crash    writers killed with SIGKILL at random moments while they save a settings record;
//            every store must open again and every value be the old or the new one;
//   contend  two processes writing one key (and each its own) thousands of times; no update lost;
//   corrupt  damaged and foreign files; each refused with a message naming it, left byte for byte.
// `quick` runs all three at small sizes (the ctest entry). Exit status 0 when every figure holds.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/winreg.h"
#include "tests/platform/registry/reliability/settings_record.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Child {
  pid_t pid = -1;
  int out = -1;  // the child's standard output
};

// Runs this program again with `args`; its standard output comes back through a pipe.
Child spawn(const std::vector<std::string>& args) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) std::exit(3);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipe_fds[1], STDOUT_FILENO);
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("registry_reliability"));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv("/proc/self/exe", argv.data());
    std::_Exit(127);
  }
  ::close(pipe_fds[1]);
  return Child{pid, pipe_fds[0]};
}

std::string read_line(int fd) {
  std::string line;
  char c;
  while (::read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

std::shared_ptr<platform::registry::RegistryStore> open_or_report(const std::string& path) {
  try {
    return platform::registry::open_store(path);
  } catch (const platform::registry::StoreError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return nullptr;
  }
}

// Child: saves the record with generations first, first+1, ... until killed or done.
int run_saver(const std::string& path, DWORD first, DWORD count) {
  auto store = open_or_report(path);
  if (!store) return 2;
  platform::registry::use_store(store);
  std::printf("ready\n");
  std::fflush(stdout);
  for (DWORD gen = first; gen < first + count; ++gen)
    if (reliability::save_record(gen) != ERROR_SUCCESS) return 1;
  return 0;
}

// Child: `count` times, a value of its own in the shared key, its own key's "Last", and the
// shared "Both" value; prints how many writes failed.
int run_writer(const std::string& path, int id, int count) {
  auto store = open_or_report(path);
  if (!store) return 2;
  platform::registry::use_store(store);
  HKEY shared = nullptr;
  HKEY own = nullptr;
  const std::string own_path = "Software\\Contend\\Process " + std::to_string(id);
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Contend", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared,
                      nullptr) != ERROR_SUCCESS ||
      RegCreateKeyExA(HKEY_CURRENT_USER, own_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &own, nullptr) !=
          ERROR_SUCCESS)
    return 1;
  int failures = 0;
  for (int i = 1; i <= count; ++i) {
    const DWORD mine = static_cast<DWORD>(i);
    const DWORD both = static_cast<DWORD>(id * 1000000 + i);
    const std::string name = "P" + std::to_string(id) + "." + std::to_string(i);
    const auto* m = reinterpret_cast<const BYTE*>(&mine);
    const auto* b = reinterpret_cast<const BYTE*>(&both);
    failures += RegSetValueExA(shared, name.c_str(), 0, REG_DWORD, m, 4) != ERROR_SUCCESS;
    failures += RegSetValueExA(own, "Last", 0, REG_DWORD, m, 4) != ERROR_SUCCESS;
    failures += RegSetValueExA(shared, "Both", 0, REG_DWORD, b, 4) != ERROR_SUCCESS;
  }
  RegCloseKey(shared);
  RegCloseKey(own);
  std::printf("failures %d\n", failures);
  return 0;
}

std::string scratch_folder(const char* what) {
  const fs::path folder = fs::temp_directory_path() / ("registry-reliability-" + std::to_string(::getpid()) + "-" + what);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder.string();
}

bool crash_figure(long long target_saves, int max_delay_ms) {
  const std::string folder = scratch_folder("crash");
  const std::string path = folder + "/crash.db";
  {
    auto store = open_or_report(path);
    if (!store) return false;
    platform::registry::ScopedStore scoped(store);
    if (reliability::save_record(0) != ERROR_SUCCESS) return false;
  }
  std::vector<long long> before(reliability::kRecordValues, 0);
  long long next = 1;
  int open_failures = 0, violations = 0, killed = 0;
  long long saves_done = 0;
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> delay_us(0, max_delay_ms * 1000);
  const auto start = Clock::now();
  int round = 0;
  // Each writer would go on for ever; it is killed at a random moment until the saves that
  // completed across all writers reach the target.
  for (; saves_done < target_saves; ++round) {
    Child child = spawn({"save", path, std::to_string(next), "1000000"});
    if (read_line(child.out) != "ready") {
      std::fprintf(stderr, "round %d: the writer did not start\n", round);
      ++open_failures;
      ::kill(child.pid, SIGKILL);
      ::waitpid(child.pid, nullptr, 0);
      break;
    }
    ::usleep(static_cast<useconds_t>(delay_us(random)));
    int status = 0;
    if (::waitpid(child.pid, &status, WNOHANG) == 0) {
      ::kill(child.pid, SIGKILL);
      ::waitpid(child.pid, &status, 0);
      ++killed;
    }
    ::close(child.out);

    auto store = open_or_report(path);
    if (!store) {
      ++open_failures;
      break;
    }
    platform::registry::ScopedStore scoped(store);
    const reliability::RecordState state = reliability::read_record();
    bool ok = state.readable;
    if (ok) {
      const auto& g = state.gens;
      const long long top = g[0];
      for (std::size_t i = 0; i < g.size(); ++i) {
        const bool is_new = g[i] == top && top >= next;
        const bool is_old = top > next ? g[i] == top - 1 : g[i] == before[i];
        if (!is_new && !is_old) ok = false;
        if (i > 0 && g[i] > g[i - 1]) ok = false;  // values are written in order
      }
      if (ok) {
        const bool whole = g.back() == top;
        saves_done += std::max(0LL, top - next + (whole ? 1 : 0));
        before = g;
        next = top + 1;
      }
    }
    if (!ok) {
      ++violations;
      std::fprintf(stderr, "round %d: %s\n", round, state.readable ? "a value is neither old nor new" : state.problem.c_str());
      break;
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf(
      "crash:   %d writers, %d killed with SIGKILL at a random moment (0-%d ms after start), %lld saves of %d values "
      "completed in %.1f s; stores that failed to open: %d; values neither old nor new: %d\n",
      round, killed, max_delay_ms, saves_done, reliability::kRecordValues, seconds, open_failures, violations);
  fs::remove_all(folder);
  return open_failures == 0 && violations == 0;
}

bool contend_figure(int writes) {
  const std::string folder = scratch_folder("contend");
  const std::string path = folder + "/contend.db";
  if (!open_or_report(path)) return false;
  const auto start = Clock::now();
  Child a = spawn({"write", path, "1", std::to_string(writes)});
  Child b = spawn({"write", path, "2", std::to_string(writes)});
  int failures = 0;
  bool ok = true;
  for (Child* c : {&a, &b}) {
    const std::string line = read_line(c->out);
    int status = 0;
    ::waitpid(c->pid, &status, 0);
    ::close(c->out);
    int n = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || std::sscanf(line.c_str(), "failures %d", &n) != 1) ok = false;
    failures += n;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  auto store = open_or_report(path);
  if (!store) return false;
  platform::registry::ScopedStore scoped(store);
  const auto dword = [](const char* key, const char* name) -> long long {
    DWORD v = 0, size = 4;
    HKEY k = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, key, &k) != ERROR_SUCCESS) return -1;
    const LONG rc = RegQueryValueExA(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS ? static_cast<long long>(v) : -1;
  };
  int lost = 0;
  for (int id = 1; id <= 2; ++id)
    for (int i = 1; i <= writes; ++i)
      lost += dword("Software\\Contend", ("P" + std::to_string(id) + "." + std::to_string(i)).c_str()) != i;
  const long long last1 = dword("Software\\Contend\\Process 1", "Last");
  const long long last2 = dword("Software\\Contend\\Process 2", "Last");
  const long long both = dword("Software\\Contend", "Both");
  const bool both_ok = both == 1000000 + writes || both == 2000000 + writes;
  std::printf(
      "contend: 2 processes x %d rounds of 3 writes (%d commits) in %.1f s; failed writes: %d; values lost: %d; "
      "own last values: %lld and %lld (expected %d); shared value %lld (%s)\n",
      writes, 6 * writes, seconds, failures, lost, last1, last2, writes, both,
      both_ok ? "one of the two last writes" : "WRONG");
  fs::remove_all(folder);
  return ok && failures == 0 && lost == 0 && last1 == writes && last2 == writes && both_ok;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool corrupt_figure() {
  const std::string folder = scratch_folder("corrupt");
  const std::string good_path = folder + "/good.db";
  {
    auto store = open_or_report(good_path);
    if (!store) return false;
    platform::registry::ScopedStore scoped(store);
    for (DWORD gen = 0; gen < 20; ++gen) (void)reliability::save_record(gen);
  }
  const std::string good = read_bytes(good_path);
  std::mt19937 random(7);
  std::string garbage(good.size(), '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  std::string scrambled = good;  // header intact, every page after the first overwritten
  for (std::size_t i = 4096; i < scrambled.size(); ++i) scrambled[i] = static_cast<char>(random());
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"garbage", garbage},
      {"text", "Windows Registry Editor Version 5.00\r\n"},
      {"cut-in-header", good.substr(0, 60)},
      {"first-page-only", good.substr(0, 4096)},
      {"half", good.substr(0, good.size() / 2)},
      {"last-page-missing", good.substr(0, good.size() - 4096)},
      {"pages-scrambled", scrambled},
  };
  int refused = 0, named = 0, untouched = 0;
  for (const auto& [name, bytes] : cases) {
    const std::string path = folder + "/" + name + ".db";
    std::ofstream(path, std::ios::binary) << bytes;
    try {
      (void)platform::registry::open_store(path);
      std::fprintf(stderr, "corrupt: %s opened\n", name.c_str());
    } catch (const platform::registry::StoreError& e) {
      ++refused;
      named += std::string(e.what()).find(path) != std::string::npos;
      std::printf("  %-18s %s\n", name.c_str(), e.what());
    }
    untouched += read_bytes(path) == bytes;
  }
  const int n = static_cast<int>(cases.size());
  std::printf("corrupt: %d damaged files; refused: %d; message names the file: %d; byte-identical afterwards: %d\n", n,
              refused, named, untouched);
  fs::remove_all(folder);
  return refused == n && named == n && untouched == n;
}

int usage() {
  std::fprintf(stderr,
               "usage: registry_reliability crash [SAVES [MAX_DELAY_MS]]\n"
               "       registry_reliability contend [WRITES]\n"
               "       registry_reliability corrupt\n"
               "       registry_reliability quick\n");
  return 64;
}

int arg(int argc, char** argv, int index, int fallback) { return argc > index ? std::atoi(argv[index]) : fallback; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string verb = argv[1];
  if (verb == "save" && argc == 5)
    return run_saver(argv[2], static_cast<DWORD>(std::atol(argv[3])), static_cast<DWORD>(std::atol(argv[4])));
  if (verb == "write" && argc == 5) return run_writer(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  bool ok = true;
  if (verb == "crash") ok = crash_figure(arg(argc, argv, 2, 1000), arg(argc, argv, 3, 500));
  else if (verb == "contend") ok = contend_figure(arg(argc, argv, 2, 10000));
  else if (verb == "corrupt") ok = corrupt_figure();
  else if (verb == "quick") ok = crash_figure(5, 100) & contend_figure(40) & corrupt_figure();
  else return usage();
  std::printf("%s\n", ok ? "all figures hold" : "FIGURES DO NOT HOLD");
  return ok ? 0 : 1;
}
