#include <windows.h>

#include <cstdlib>

#include "report.h"
#include "run.h"

// Every exception is caught and reported before it could reach std::terminate, so the
// run-time's verbose handler, and the demangler it drags in, are left out of the program.
namespace __gnu_cxx {  // NOLINT(bugprone-reserved-identifier): the run-time's own name
void __verbose_terminate_handler() { std::abort(); }  // NOLINT(bugprone-reserved-identifier)
}  // namespace __gnu_cxx

// A windowed program, so that starting it opens nothing, not even a console.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cleaner::GuardUnhandledErrors(cleaner::RunCleaning);
  return 0;
}
