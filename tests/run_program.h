#pragma once
// Runs a program of the build as a person or the companion would: in a given
// folder, with some environment variables set or removed, collecting its
// exit status and what it wrote.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace vesprin::testing {

struct ProgramRun {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out, err;
};

// The whole content of a file; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A program started and not yet waited for.
struct StartedProgram {
  pid_t pid = -1;
  std::filesystem::path out, err;
};

// `env`: a value sets the variable, none removes it. Several may run at once.
inline StartedProgram startProgram(const std::string& program, const std::vector<std::string>& args,
                                   const std::filesystem::path& cwd,
                                   const std::map<std::string, std::optional<std::string>>& env) {
  namespace fs = std::filesystem;
  static int count = 0;
  const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(++count);
  StartedProgram started{-1, fs::temp_directory_path() / ("vesprin-run-out-" + tag),
                         fs::temp_directory_path() / ("vesprin-run-err-" + tag)};
  std::vector<std::string> envp;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (!env.count(entry.substr(0, entry.find('=')))) envp.push_back(entry);
  }
  for (const auto& [k, v] : env)
    if (v) envp.push_back(k + "=" + *v);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envv;
  for (auto& e : envp) envv.push_back(e.data());
  envv.push_back(nullptr);

  started.pid = ::fork();
  if (started.pid == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(started.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(started.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::alarm(120);  // a run that waits for nobody is killed, and the test says so
    ::execve(program.c_str(), argv.data(), envv.data());
    ::_exit(127);
  }
  return started;
}

inline ProgramRun waitProgram(const StartedProgram& started) {
  ProgramRun r;
  int st = 0;
  ::waitpid(started.pid, &st, 0);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  r.out = readFile(started.out);
  r.err = readFile(started.err);
  std::filesystem::remove(started.out);
  std::filesystem::remove(started.err);
  return r;
}

inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::filesystem::path& cwd,
                             const std::map<std::string, std::optional<std::string>>& env) {
  return waitProgram(startProgram(program, args, cwd, env));
}

}  // namespace vesprin::testing
