#include "report.h"
#include "run.h"

int main() {
  cleaner::GuardUnhandledErrors(cleaner::RunCleaning);
  return 0;
}
