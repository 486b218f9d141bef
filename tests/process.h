// Runs a program as a child process, as the tests need it.
#pragma once

#include <string>
#include <vector>

namespace cleaner::testing {

struct ProcessResult {
  int exit_code = -1;  // -1 when the child was killed or could not start
  bool timed_out = false;
  std::string std_out;
  std::string std_err;
};

// A child started and not yet waited for.
struct RunningProcess {
  int pid = -1;
  std::string out_name, err_name;
  int out_fd = -1, err_fd = -1;
};

// `run_as_uid`, when not -1, is the user the child runs as (the caller being root).
RunningProcess StartProcess(const std::vector<std::string>& argv, const std::string& cwd,
                            const std::vector<std::string>& extra_env = {}, int run_as_uid = -1);
ProcessResult WaitProcess(RunningProcess& process, int timeout_seconds = 120);

// Runs `argv` in `cwd` with `extra_env` ("NAME=value") added to this environment, and
// kills it when it has not ended within `timeout_seconds`.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extra_env = {}, int timeout_seconds = 120);

}  // namespace cleaner::testing
