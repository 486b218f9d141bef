#include "run.h"

#include <memory>

#include "errors.h"
#include "platform.h"
#include "settings.h"
#include "wildcard.h"

namespace cleaner {
namespace {

// Run state, alive for the whole run.
std::string ini_file_name_;
std::int32_t entry_count_ = 0;
std::int32_t entry_index_ = 0;
CleanEntry current_entry_;

constexpr std::size_t kCountSize = 8;
constexpr std::size_t kValueSize = 255;

struct ListingCloser {
  void operator()(platform::Listing* listing) const { platform::FindClose(listing); }
};

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

bool RunActions::Read(const std::string& section, const std::string& key, std::string& value,
                      const std::string& file_name, std::size_t size) {
  return ReadIniValue(section, key, value, file_name, size);
}

void RunActions::Delete(const std::string& target) {
  try {
    platform::DeleteFileOrRaise(target);
  } catch (const EInOutError&) {
    // Read-only, in use, access denied or already gone: passed over in silence.
  }
}

void SweepFolder(const std::string& path, const std::string& file_type, RunActions& actions) {
  // An empty folder would make the pattern start at the root of the drive.
  if (path.empty()) {
    actions.PassedOverWithoutFolder();
    return;
  }
  const std::string prefix = path + platform::kSeparator;
  // A pattern with a folder part lists that folder: the listed names live there.
  const std::size_t split = LastDelimiter(file_type, platform::kFolderStops, platform::IsLeadByte);
  const std::size_t name_at = split == std::string::npos ? 0 : split + 1;
  const std::string target_folder = prefix + file_type.substr(0, name_at);
  const std::string name_pattern = file_type.substr(name_at);

  std::string name;
  std::unique_ptr<platform::Listing, ListingCloser> listing(
      platform::FindFirst(prefix + file_type, &name));
  if (!listing) return;
  do {
    ListedVerdict verdict = ListedVerdict::kDelete;
    std::string target;
    if (IsDotEntry(name)) {
      verdict = ListedVerdict::kDotEntry;
    } else if (!MatchesWildcard(name_pattern, name, platform::kNameRules)) {
      verdict = ListedVerdict::kShortNameOnly;
    } else if (!platform::IsNameReachable(name)) {
      verdict = ListedVerdict::kUnreachable;
    } else {
      target = target_folder + name;
      if (target.size() > platform::kMaxTargetPath) {
        verdict = ListedVerdict::kTargetTooLong;
      } else if (platform::IsFolder(target)) {
        verdict = ListedVerdict::kFolder;
      }
    }
    actions.Listed(name, target, verdict);
    if (verdict == ListedVerdict::kDelete) actions.Delete(target);
  } while (platform::FindNext(listing.get(), &name));
}

void SweepFolder(const std::string& path, const std::string& file_type) {
  RunActions deleting;
  SweepFolder(path, file_type, deleting);
}

void RunEntries(const std::string& ini_file_name, RunActions& actions) {
  ini_file_name_ = ini_file_name;
  entry_count_ = 0;
  current_entry_ = CleanEntry();
  std::string value;
  // Without its own path the program has no settings file: an empty name would make the
  // profile API read another file (WIN.INI), and a cut path could name another one.
  if (ini_file_name_.empty()) return;

  const bool count_found = actions.Read("Entry", "Number", value, ini_file_name_, kCountSize);
  if (count_found) entry_count_ = StrToInt(value);
  actions.CountRead(value, count_found, entry_count_);

  for (entry_index_ = 1; entry_index_ <= entry_count_; ++entry_index_) {
    const std::string key = std::to_string(entry_index_);
    const bool path_read = actions.Read("Path", key, value, ini_file_name_, kValueSize);
    if (path_read) current_entry_.Path = value;
    const bool type_read = actions.Read("FileType", key, value, ini_file_name_, kValueSize);
    if (type_read) current_entry_.FileType = value;
    actions.EntryStarting(entry_index_, current_entry_, path_read, type_read);
    SweepFolder(current_entry_.Path, current_entry_.FileType, actions);
    if (entry_index_ == entry_count_) break;  // no overflow past the largest count
  }
}

void RunCleaning() {
  RunActions deleting;
  RunEntries(IniFileName(), deleting);
  platform::EndProcess(0);
}

}  // namespace cleaner
