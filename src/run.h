// The cleaning run and the folder sweep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cleaner {

// The folder and file-name pattern in force for the entry being processed.
struct CleanEntry {
  std::string Path;
  std::string FileType;
};

// What the sweep makes of one listed name.
enum class ListedVerdict {
  kDelete,
  kDotEntry,       // "." or ".."
  kFolder,         // a folder, or a link to one
  kTargetTooLong,  // the deletion would cut the path and could name another file
  kShortNameOnly,  // listed through its short alias; its own name does not match
  kUnreachable,    // the system cannot name the listed file by a path
};

// Where the sweep and the run act. The cleaner deletes; the preview records instead,
// so that both go through the very same reading and sweeping code.
class RunActions {
 public:
  virtual ~RunActions() = default;

  // Reads one settings value; the preview answers for a settings file it has deleted.
  virtual bool Read(const std::string& section, const std::string& key, std::string& value,
                    const std::string& file_name, std::size_t size);
  // The count as read: the text, and whether a value was found at all.
  virtual void CountRead(const std::string& /*text*/, bool /*found*/, std::int32_t /*count*/) {}
  // An entry is about to be swept; tells which of its values the file supplied.
  virtual void EntryStarting(std::int32_t /*index*/, const CleanEntry& /*entry*/,
                             bool /*path_read*/, bool /*file_type_read*/) {}
  // The entry has no folder yet, so it is passed over rather than sweeping the root.
  virtual void PassedOverWithoutFolder() {}
  // Each listed name with what the sweep made of it, and the path it would delete.
  virtual void Listed(const std::string& /*name*/, const std::string& /*target*/,
                      ListedVerdict /*verdict*/) {}
  // Called for each name judged kDelete. A failure stays inside.
  virtual void Delete(const std::string& target);
};

// Deletes every file in `path` whose name matches `file_type`. Never deletes a folder,
// never enters one, and passes over a file that cannot be deleted.
void SweepFolder(const std::string& path, const std::string& file_type, RunActions& actions);
void SweepFolder(const std::string& path, const std::string& file_type);

// Reads the count and the entries of `ini_file_name` and sweeps each entry in turn.
// Raises EConvertError, before any entry is processed, when the count is not an integer.
void RunEntries(const std::string& ini_file_name, RunActions& actions);

// The program: cleans by the settings file beside the executable and ends the process
// with exit code 0.
[[noreturn]] void RunCleaning();

}  // namespace cleaner
