#include "prefs/prefs.h"

#include <iterator>
#include <map>
#include <set>

namespace quillon {
namespace {

// ASCII letters only, so the result does not depend on the locale.
std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// A value that holds any of these would not stay one line of the file.
constexpr char16_t kLineEnders[] = {u'\r', u'\n', u'\0'};

bool FitsOnOneLine(const std::u16string& value) {
  return value.find_first_of(kLineEnders, 0, std::size(kLineEnders)) == std::u16string::npos;
}

// White space of the C locale but the line feed, which ends the lines.
bool IsSpaceOtherThanLineFeed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpaceOtherThanLineFeed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceOtherThanLineFeed(text.back())) text.remove_suffix(1);
  return text;
}

// A section's keys in the order of the file: the key's name in lower case,
// and "=" and its value, or nothing for a line without "=".
using SectionKeys = std::vector<std::pair<std::string, std::string>>;

// Each section's keys, by the section's name in lower case; keys before the
// first section under "". The keys a group wrote are left out.
std::map<std::string, SectionKeys> KeysBySection(std::string_view text,
                                                 const std::set<std::pair<std::string, std::string>>& left) {
  std::map<std::string, SectionKeys> sections;
  std::string section;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      section = LowerCase(std::string(Trimmed(line.substr(1, close == std::string_view::npos ? close : close - 1))));
      continue;
    }
    const std::size_t equals = line.find('=');
    std::string key = LowerCase(std::string(Trimmed(line.substr(0, equals))));
    if (left.count({section, key})) continue;
    std::string value;
    if (equals != std::string_view::npos) {
      value = '=';
      value += Trimmed(line.substr(equals + 1));
    }
    sections[section].emplace_back(std::move(key), std::move(value));
  }
  return sections;
}

}  // namespace

bool KeepsEverythingElse(std::string_view before, std::string_view after,
                         const std::vector<std::pair<std::string, std::string>>& written) {
  std::set<std::pair<std::string, std::string>> left;
  for (const auto& [section, key] : written) left.emplace(LowerCase(section), LowerCase(key));
  const auto was = KeysBySection(before, left), is = KeysBySection(after, left);
  for (const auto& [section, keys] : was) {
    const auto now = is.find(section);
    if (now == is.end() || now->second != keys) return false;
  }
  return true;
}

bool ProfileStore::MayWrite() const { return !writesHeld_ && !(openGroup_ && openGroup_->shutOut_); }

int ProfileStore::GroupDepth() const { return openGroup_ ? openGroup_->depth_ : 0; }

void ProfileStore::NoteWrite(const std::string& section, const std::string& key, const std::u16string& value,
                             bool reported) {
  if (openGroup_) openGroup_->written_.push_back({section, key, value, reported});
}

// Bytes read while another copy writes could only put its work back half
// done, so a group kept out does not read them.
WriteGroup::WriteGroup(ProfileStore& store)
    : store_(store),
      outer_(store.openGroup_),
      depth_(outer_ ? outer_->depth_ + 1 : 1),
      shutOut_(outer_ ? outer_->shutOut_ : !store.GroupBegins()),
      before_(outer_ || shutOut_ ? std::nullopt : store.FileBytes()) {
  store_.openGroup_ = this;
}

WriteGroup::~WriteGroup() {
  if (!ended_) End();
}

bool WriteGroup::End() {
  if (ended_) return false;
  ended_ = true;
  store_.openGroup_ = outer_;
  bool saved = ReadsBackAsWritten() && !shutOut_;
  if (outer_) {
    // The group around reads these back too when it ends.
    outer_->written_.insert(outer_->written_.end(), written_.begin(), written_.end());
    return saved;
  }
  if (before_ && !written_.empty()) {
    saved = KeepsTheRestOfTheFile() && saved;
    if (!saved) store_.PutBack(*before_);
  }
  store_.GroupEnds();
  return saved;
}

// Each key once, for the last value written to it; a write that reported
// failure is not read back.
bool WriteGroup::ReadsBackAsWritten() const {
  bool all = true;
  std::set<std::pair<std::string, std::string>> checked;
  for (auto write = written_.rbegin(); write != written_.rend(); ++write) {
    if (!checked.insert({write->section, write->key}).second) continue;
    all = write->reported && store_.ReadBack(write->section, write->key) == store_.ReadsBackAs(write->value) && all;
  }
  return all;
}

bool WriteGroup::KeepsTheRestOfTheFile() const {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const Written& write : written_) keys.emplace_back(write.section, write.key);
  const std::optional<std::string> after = store_.FileBytes();
  return after && KeepsEverythingElse(*before_, *after, keys);
}

bool WriteIni(ProfileStore& store, const std::string& section, const std::string& key,
              const std::u16string& value) {
  if (!store.MayWrite() || !FitsOnOneLine(value)) return false;
  const std::string stored = UpperCase(key);
  const bool written = store.Write(section, stored, value);
  store.NoteWrite(section, stored, value, written);
  return written;
}

std::u16string ReadIni(ProfileStore& store, const std::string& section, const std::string& key) {
  std::u16string value = store.Read(section, LowerCase(key), kReadBufferSize);
  if (value.size() > kReadBufferSize - 1) value.resize(kReadBufferSize - 1);
  return value;
}

}  // namespace quillon
