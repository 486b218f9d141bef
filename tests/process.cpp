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

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extra_env, int timeout_seconds) {
  ProcessResult result;
  char out_name[] = "/tmp/cleaner-out-XXXXXX";
  char err_name[] = "/tmp/cleaner-err-XXXXXX";
  const int out_fd = mkstemp(out_name);
  const int err_fd = mkstemp(err_name);
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);  // its own group, so that a timeout takes its helpers too
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    const int null_fd = open("/dev/null", O_RDONLY);
    dup2(null_fd, 0);
    if (chdir(cwd.c_str()) != 0) _exit(126);
    for (const std::string& assignment : extra_env) putenv(strdup(assignment.c_str()));
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-child, SIGKILL);
      waitpid(child, &status, 0);
      result.timed_out = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!result.timed_out && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  close(out_fd);
  close(err_fd);
  result.std_out = ReadWholeFile(out_name);
  result.std_err = ReadWholeFile(err_name);
  unlink(out_name);
  unlink(err_name);
  return result;
}

}  // namespace cleaner::testing
