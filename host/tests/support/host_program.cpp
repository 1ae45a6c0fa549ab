#include "host_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillmark::host::test {

namespace {

std::string quoted(const std::string& text) {
  std::string result = "'";
  for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

std::string slurpFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string scratchFile(const std::string& name, const std::string& text) {
  std::filesystem::create_directories(QUILLMARK_TEST_SCRATCH_DIR);
  const std::string path = std::string(QUILLMARK_TEST_SCRATCH_DIR) + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

ProgramRun runHost(const std::vector<std::string>& arguments) {
  std::filesystem::create_directories(QUILLMARK_TEST_SCRATCH_DIR);
  // Tests run in parallel processes: name the capture files by process.
  const std::string stem = std::string(QUILLMARK_TEST_SCRATCH_DIR) + "/run-" +
                           std::to_string(static_cast<long>(getpid()));
  std::string command = quoted(QUILLMARK_HOST_PROGRAM);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " >" + quoted(stem + ".out") + " 2>" + quoted(stem + ".err");
  const int status = std::system(command.c_str());
  ProgramRun run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = slurpFile(stem + ".out");
  run.err = slurpFile(stem + ".err");
  return run;
}

std::string readBytes(const std::string& path) { return slurpFile(path); }

std::string readNormalised(const std::string& path) {
  const std::string text = slurpFile(path);
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

}  // namespace quillmark::host::test
