#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "scratch.h"

extern char** environ;

namespace cleaner::testing {

RunningProcess StartProcess(const std::vector<std::string>& argv, const std::string& cwd,
                            const std::vector<std::string>& extra_env, int run_as_uid) {
  RunningProcess process;
  char out_name[] = "/tmp/cleaner-out-XXXXXX";
  char err_name[] = "/tmp/cleaner-err-XXXXXX";
  process.out_fd = mkstemp(out_name);
  process.err_fd = mkstemp(err_name);
  process.out_name = out_name;
  process.err_name = err_name;
  process.pid = fork();
  if (process.pid == 0) {
    setpgid(0, 0);  // its own group, so that a timeout takes its helpers too
    dup2(process.out_fd, 1);
    dup2(process.err_fd, 2);
    const int null_fd = open("/dev/null", O_RDONLY);
    dup2(null_fd, 0);
    if (run_as_uid != -1 && (setgid(static_cast<gid_t>(run_as_uid)) != 0 ||
                             setuid(static_cast<uid_t>(run_as_uid)) != 0)) {
      _exit(125);
    }
    if (chdir(cwd.c_str()) != 0) _exit(126);
    for (const std::string& assignment : extra_env) putenv(strdup(assignment.c_str()));
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return process;
}

ProcessResult WaitProcess(RunningProcess& process, int timeout_seconds) {
  ProcessResult result;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (waitpid(process.pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-process.pid, SIGKILL);
      waitpid(process.pid, &status, 0);
      result.timed_out = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!result.timed_out && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  close(process.out_fd);
  close(process.err_fd);
  result.std_out = ReadWholeFile(process.out_name);
  result.std_err = ReadWholeFile(process.err_name);
  unlink(process.out_name.c_str());
  unlink(process.err_name.c_str());
  return result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extra_env, int timeout_seconds) {
  RunningProcess process = StartProcess(argv, cwd, extra_env);
  return WaitProcess(process, timeout_seconds);
}

}  // namespace cleaner::testing
