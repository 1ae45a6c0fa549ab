// Runs the real quillmark-host program, as a user would, and keeps what it
// printed.
#pragma once

#include <string>
#include <vector>

namespace quillmark::host::test {

struct ProgramRun {
  int exitStatus = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs quillmark-host with these arguments (no shell sees them unquoted).
ProgramRun runHost(const std::vector<std::string>& arguments);

// A file under the test's scratch folder holding `text`; returns its path.
std::string scratchFile(const std::string& name, const std::string& text);

// The file's bytes, as they are.
std::string readBytes(const std::string& path);

// The file's bytes with "\r\n" read as "\n".
std::string readNormalised(const std::string& path);

}  // namespace quillmark::host::test
