// cleaner-preview [SETTINGS_FILE]: shows what the cleaner would delete, deleting nothing.
#include "preview.h"

int main(int argc, char** argv) {
  return cleaner::RunPreview(argc > 1 ? argv[1] : cleaner::CleanerSettingsBeside());
}
