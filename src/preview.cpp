#include "preview.h"

#include <cstdio>
#include <set>
#include <vector>

#include "errors.h"
#include "path.h"
#include "platform.h"
#include "run.h"
#include "settings.h"

namespace cleaner {
namespace {

constexpr std::size_t kCountRoom = 7;
constexpr std::size_t kValueRoom = 254;
constexpr std::size_t kLongRead = 1 << 16;

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }
std::string Shown(const std::string& native) { return platform::NativeToUtf8(native); }

// The keys of entries: decimal without sign, blanks or leading zeros.
bool IsPlainNumber(const std::string& key) {
  return !key.empty() && key.size() <= 10 && key[0] != '0' &&
         key.find_first_not_of("0123456789") == std::string::npos;
}

const char* Reason(ListedVerdict verdict) {
  switch (verdict) {
    case ListedVerdict::kDotEntry:
      return "\".\" or \"..\"";
    case ListedVerdict::kFolder:
      return "a folder";
    case ListedVerdict::kTargetTooLong:
      return "target path too long to delete whole";
    case ListedVerdict::kShortNameOnly:
      return "matched only through its short name";
    case ListedVerdict::kUnreachable:
      return "no path can name it";
    case ListedVerdict::kDelete:
      break;
  }
  return "";
}

class PreviewActions : public RunActions {
 public:
  explicit PreviewActions(std::string settings_file) : settings_(std::move(settings_file)) {}

  bool Read(const std::string& section, const std::string& key, std::string& value,
            const std::string& file_name, std::size_t size) override {
    // Once the cleaner would have deleted its settings file, it reads nothing more.
    if (settings_gone_) {
      value.clear();
      return false;
    }
    return RunActions::Read(section, key, value, file_name, size);
  }

  void CountRead(const std::string& text, bool found, std::int32_t count) override {
    if (!found) {
      Print("[Entry] Number is missing or empty: the cleaner does nothing.\n");
      return;
    }
    Print("[Entry] Number=" + Shown(text) + ": " + std::to_string(count) + " entries\n");
    WarnIfCut("Entry", "Number", kCountRoom, "the count");
    if (count <= 0) Print("The count is not positive: the cleaner does nothing.\n");
    WarnAboutKeys(count);
  }

  void EntryStarting(std::int32_t index, const CleanEntry& entry, bool path_read,
                     bool file_type_read) override {
    ++entries_;
    const std::string key = std::to_string(index);
    if (path_read) last_path_entry_ = index;
    if (file_type_read) last_type_entry_ = index;
    Print("\nEntry " + key + "\n");
    Print("  folder:  " + Shown(entry.Path) + Origin(path_read, last_path_entry_) + "\n");
    Print("  pattern: " + Shown(entry.FileType) + Origin(file_type_read, last_type_entry_) + "\n");
    if (path_read) WarnIfCut("Path", key, kValueRoom, "the folder");
    if (file_type_read) WarnIfCut("FileType", key, kValueRoom, "the pattern");
    if (LastDelimiter(entry.FileType, platform::kFolderStops, platform::IsLeadByte) !=
        std::string::npos) {
      Warn("the pattern has a folder part: it lists and deletes files in that folder");
    }
  }

  void PassedOverWithoutFolder() override {
    Warn("no entry up to this one names a folder: the entry is passed over");
  }

  void Listed(const std::string& name, const std::string& target, ListedVerdict verdict) override {
    // The cleaner would have deleted it already and would not see it listed again.
    if (!target.empty() && deleted_.count(target)) return;
    if (verdict != ListedVerdict::kDelete)
      PassOver(target.empty() ? name : target, Reason(verdict));
  }

  void Delete(const std::string& target) override {
    if (deleted_.count(target)) return;
    if (platform::IsReadOnly(target)) {
      PassOver(target, "read-only");
      return;
    }
    Print("  delete     " + Shown(target) + "\n");
    deleted_.insert(target);
    if (!settings_gone_ && platform::SameFile(target, settings_)) {
      Warn(
          "this entry deletes the settings file itself: the entries after it read no values "
          "and repeat this one");
      settings_gone_ = true;
    }
  }

  void Summary() const {
    Print("\nSummary: " + std::to_string(entries_) + " entries, " +
          std::to_string(deleted_.size()) + " files would be deleted, " +
          std::to_string(passed_over_) + " passed over.\n");
    if (!deleted_.empty()) {
      Print(
          "A file that is in use or locked when the cleaner runs is passed over too; only the "
          "real run can tell.\n");
    }
  }

 private:
  static std::string Origin(bool read, std::int32_t from) {
    if (read) return "  (its own value)";
    if (from == 0) return "  (none yet)";
    return "  (carried over from entry " + std::to_string(from) + ")";
  }

  void Warn(const std::string& text) { Print("  warning: " + text + "\n"); }

  void PassOver(const std::string& what, const char* why) {
    ++passed_over_;
    Print("  pass over  " + Shown(what) + "  (" + why + ")\n");
  }

  // The cleaner reads each value with a fixed room and cuts what does not fit.
  void WarnIfCut(const char* section, const std::string& key, std::size_t room, const char* what) {
    std::string whole;
    RunActions::Read(section, key, whole, settings_, kLongRead);
    if (whole.size() > room) {
      Print("  warning: " + std::string(what) + " is " + std::to_string(whole.size()) +
            " characters long and is cut to its first " + std::to_string(room) + "\n");
    }
  }

  // Keys that belong to no entry, and a count beyond the last entry with values.
  void WarnAboutKeys(std::int32_t count) {
    std::int32_t highest = 0;
    for (const char* section : {"Path", "FileType"}) {
      for (const std::string& key : platform::ReadProfileKeys(section, settings_.c_str())) {
        std::string value;
        if (!IsPlainNumber(key)) {
          Print("warning: [" + std::string(section) + "] key \"" + Shown(key) +
                "\" belongs to no entry: entries are numbered 1, 2, 3 ...\n");
        } else if (ReadIniValue(section, key, value, settings_, kLongRead)) {
          const long long number = std::stoll(key);
          if (number <= count && number > highest) highest = static_cast<std::int32_t>(number);
        }
      }
    }
    if (count > 0 && highest < count) {
      const std::string last = std::to_string(highest);
      Print("warning: " +
            (highest + 1 == count
                 ? "entry " + std::to_string(count) + " has no values of its own and repeats "
                 : "entries " + std::to_string(highest + 1) + " to " + std::to_string(count) +
                       " have no values of their own and repeat ") +
            "entry " + last + "\n");
    }
  }

  std::string settings_;
  bool settings_gone_ = false;
  std::int32_t entries_ = 0;
  std::int32_t last_path_entry_ = 0;
  std::int32_t last_type_entry_ = 0;
  std::size_t passed_over_ = 0;
  std::set<std::string> deleted_;
};

}  // namespace

std::string CleanerSettingsBeside() {
  return ExtractFilePath(platform::OwnExecutablePath(), platform::kPathStops,
                         platform::IsLeadByte) +
         "cleaner.ini";
}

int RunPreview(const std::string& settings_file) {
  platform::PrepareUtf8Console();
  Print("Settings file: " + Shown(settings_file) + "\n");
  if (!platform::IsReadableFile(settings_file)) {
    Print("warning: the settings file is missing or cannot be read: the cleaner does nothing.\n");
  }
  PreviewActions preview(settings_file);
  try {
    RunEntries(settings_file, preview);
  } catch (const EConvertError& error) {
    // The message's own text is UTF-8; only the quoted count is native.
    Print("error: " + std::string(error.ClassName()) + ": " +
          FillMessage(error.MessageTemplate(), Shown(error.Argument())) + ".\n" +
          "The cleaner shows this in its error box, deletes nothing and ends with exit code "
          "1.\n");
    std::fflush(stdout);
    return 1;
  }
  preview.Summary();
  std::fflush(stdout);
  return 0;
}

}  // namespace cleaner
