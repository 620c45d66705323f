#include "engine_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tokshuf::equivalence {
namespace {

constexpr const char* kExtensions[] = {".obs", ".mcm", ".mcl", ".mch"};
constexpr const char* kSentinel = "left from an earlier run\n";

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<absent>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string base(const std::string& input) {
  return input.substr(0, input.size() - 4);
}

// Runs argv with standard error going to errorPath; returns the exit status.
int spawn(const std::vector<std::string>& argv, const std::string& errorPath) {
  std::vector<char*> raw;
  for (const std::string& arg : argv) raw.push_back(const_cast<char*>(arg.c_str()));
  raw.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDWR);
    if (err < 0 || null < 0) _exit(126);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execv(raw[0], raw.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

RunResult runVariant(const std::string& engine, const std::string& threads,
                     const std::vector<std::string>& arguments,
                     const std::string& input) {
  for (const char* extension : kExtensions) {
    writeFile(base(input) + extension, kSentinel);
  }
  std::vector<std::string> argv = {TOKSHUF_VARIANT, "--engine=" + engine,
                                   "--threads=" + threads};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  argv.push_back(input);
  const std::string errorPath = base(input) + ".console";

  RunResult result;
  result.exitStatus = spawn(argv, errorPath);
  result.console = readFile(errorPath);
  for (const char* extension : kExtensions) {
    result.profiles.push_back(readFile(base(input) + extension));
  }
  return result;
}

}  // namespace tokshuf::equivalence
