#include "validator.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "validator_checks.h"

#if !defined(_WIN32)
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#endif

namespace quillmark::host {

namespace {

struct Check {
  const char* name;
  void (*run)(const std::string& plugin, std::uint64_t seed);
};

constexpr Check kChecks[] = {
    {"descriptor", &checkDescriptor},  {"create-delete", &checkCreateDelete},
    {"load-unload", &checkLoadUnload}, {"faults", &checkFaults},
    {"scenes", &checkScenes},
};

enum class Outcome { Passed, Failed, Crashed, TimedOut };

const char* outcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Passed:
      return "passed";
    case Outcome::Failed:
      return "failed";
    case Outcome::Crashed:
      return "crashed";
    case Outcome::TimedOut:
      return "timed out";
  }
  return "?";
}

struct Result {
  std::string name;
  Outcome outcome = Outcome::Failed;
  std::string message;
};

// Runs the check here; the message is empty when it passes.
std::string runHere(const Check& check, const ValidateOptions& options) {
  try {
    check.run(options.plugin, options.seed);
    return "";
  } catch (const std::exception& error) {
    const std::string text = error.what();
    return text.empty() ? "failed" : text;
  } catch (...) {
    return "a non-standard exception reached the host";
  }
}

#if !defined(_WIN32)
// The check in a child process, so that a crash or hang of the plugin is
// reported rather than shared. The child writes its failure message to a
// pipe and exits 0 (passed) or 1 (failed).
Result runIsolated(const Check& check, const ValidateOptions& options) {
  Result result{check.name, Outcome::Failed, ""};
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    result.message = "could not make a pipe for the child";
    return result;
  }
  std::cout.flush();
  std::cerr.flush();
  const pid_t child = fork();
  if (child < 0) {
    result.message = "could not start a child process";
    return result;
  }
  if (child == 0) {
    close(pipeEnds[0]);
    const std::string message = runHere(check, options);
    std::size_t written = 0;
    while (written < message.size()) {
      const ssize_t n = write(pipeEnds[1], message.data() + written, message.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    close(pipeEnds[1]);
    _exit(message.empty() ? 0 : 1);
  }
  close(pipeEnds[1]);

  // Reads the message as it comes (so a long one cannot block the child)
  // until the pipe closes or the time limit passes.
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const long limitMs = static_cast<long>(options.timeLimitSeconds) * 1000;
  std::string message;
  bool timedOut = false;
  while (true) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long elapsedMs =
        (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    if (elapsedMs >= limitMs) {
      timedOut = true;
      break;
    }
    pollfd wanted{pipeEnds[0], POLLIN, 0};
    const int ready = poll(&wanted, 1, static_cast<int>(std::min(limitMs - elapsedMs, 200L)));
    if (ready <= 0) continue;
    char buffer[4096];
    const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    message.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeEnds[0]);
  if (timedOut) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  if (timedOut) {
    result.outcome = Outcome::TimedOut;
    result.message = "no result within " + std::to_string(options.timeLimitSeconds) + " s";
  } else if (WIFSIGNALED(status)) {
    result.outcome = Outcome::Crashed;
    result.message = "the child process died of signal " + std::to_string(WTERMSIG(status)) + " (" +
                     strsignal(WTERMSIG(status)) + ")";
  } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    result.outcome = Outcome::Passed;
  } else {
    result.outcome = Outcome::Failed;
    result.message = message.empty() ? "the child process exited with status " +
                                           std::to_string(WEXITSTATUS(status))
                                     : message;
  }
  return result;
}
#else
// Without fork, checks run in this process: a crash ends the whole run.
Result runIsolated(const Check& check, const ValidateOptions& options) {
  Result result{check.name, Outcome::Failed, runHere(check, options)};
  if (result.message.empty()) result.outcome = Outcome::Passed;
  return result;
}
#endif

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string reproduceLine(const ValidateOptions& options, const std::string& check) {
  return options.program + " validate --plugin " + shellQuoted(options.plugin) + " --seed " +
         std::to_string(options.seed) + " --check " + check;
}

bool onTerminal() {
#if defined(_WIN32)
  return false;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

bool isCheckName(std::string_view name) {
  for (const Check& check : kChecks) {
    if (name == check.name) return true;
  }
  return false;
}

int validate(const ValidateOptions& options) {
  std::vector<const Check*> chosen;
  for (const Check& check : kChecks) {
    if (options.only.empty() || options.only == check.name) chosen.push_back(&check);
  }
  const bool progress = onTerminal();
  std::vector<Result> results;
  int passed = 0;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    if (progress) {
      std::cerr << "\r[" << i + 1 << "/" << chosen.size() << "] " << chosen[i]->name << "...\033[K"
                << std::flush;
    }
    results.push_back(runIsolated(*chosen[i], options));
    if (progress) std::cerr << "\r\033[K" << std::flush;
    const Result& result = results.back();
    if (result.outcome == Outcome::Passed) ++passed;
    if (!options.json) {
      std::cout << result.name << ": " << outcomeText(result.outcome);
      if (!result.message.empty()) std::cout << ": " << result.message;
      std::cout << "\n";
      if (result.outcome != Outcome::Passed) {
        std::cout << "  reproduce: " << reproduceLine(options, result.name) << "\n";
      }
      std::cout << std::flush;
    }
  }
  const int failed = static_cast<int>(results.size()) - passed;
  if (options.json) {
    nlohmann::json report;
    report["plugin"] = options.plugin;
    report["seed"] = options.seed;
    report["checks"] = nlohmann::json::array();
    for (const Result& result : results) {
      nlohmann::json each;
      each["name"] = result.name;
      each["result"] = outcomeText(result.outcome);
      each["message"] = result.message;
      if (result.outcome != Outcome::Passed) {
        each["reproduce"] = reproduceLine(options, result.name);
      }
      report["checks"].push_back(each);
    }
    report["passed"] = passed;
    report["failed"] = failed;
    std::cout << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  } else {
    std::cout << passed << " passed, " << failed << " failed\n";
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace quillmark::host
