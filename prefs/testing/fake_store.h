// A ProfileStore in memory for the tests: sections and keys match without
// regard to case, as in the file, and every call is recorded in order.
#pragma once

#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "prefs/prefs.h"

namespace quillon::testing {

struct StoreCall {
  bool write;
  std::string section, key;
  std::u16string value;  // written, or returned by a read
  std::size_t bufferSize;
  bool operator==(const StoreCall&) const = default;
};

class FakeStore : public ProfileStore {
 public:
  FileState Probe() override { return fileState; }

  bool Write(const std::string& section, const std::string& key, const std::u16string& value) override {
    calls.push_back({true, section, key, value, 0});
    groupDepthAtWrites.push_back(GroupDepth());
    if (failingKeys.count(Fold(key))) return false;
    if (!lostKeys.count(Fold(key))) Put(section, key, value);
    return true;
  }

  std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize) override {
    std::u16string value = Held(section, key);
    if (value.size() >= bufferSize) value.resize(bufferSize == 0 ? 0 : bufferSize - 1);
    calls.push_back({false, section, key, value, bufferSize});
    return value;
  }

  void Put(const std::string& section, const std::string& key, const std::u16string& value) {
    values[Fold(section) + "\n" + Fold(key)] = value;
  }

  std::vector<StoreCall> Writes() const { return Only(true); }
  std::vector<StoreCall> Reads() const { return Only(false); }

  std::vector<StoreCall> calls;
  std::map<std::string, std::u16string> values;
  // Writes of these keys (named in lower case) fail.
  std::set<std::string> failingKeys;
  // Writes of these keys report success but do not reach the file, as on
  // a full disk.
  std::set<std::string> lostKeys;
  FileState fileState = FileState::Readable;
  std::vector<int> groupDepthAtWrites;
  // The keys read back at the ends of groups, as "section key"; the
  // outermost groups' begins and ends.
  std::vector<std::string> readBacks;
  int groupBegins = 0;
  int groupEnds = 0;
  // Another copy of the program holds the file past the wait.
  bool keptOut = false;
  // What FileBytes gives, first to last (the outermost group's begin, then
  // its end); nullopt once they are used up. What PutBack was given.
  std::vector<std::string> fileBytes;
  std::vector<std::string> putBack;

 protected:
  bool GroupBegins() override {
    ++groupBegins;
    return !keptOut;
  }
  void GroupEnds() override { ++groupEnds; }
  std::optional<std::string> FileBytes() override {
    if (fileBytes.empty()) return std::nullopt;
    std::string bytes = fileBytes.front();
    fileBytes.erase(fileBytes.begin());
    return bytes;
  }
  void PutBack(const std::string& bytes) override { putBack.push_back(bytes); }
  std::u16string ReadBack(const std::string& section, const std::string& key) override {
    readBacks.push_back(section + " " + key);
    return Held(section, key);
  }

 private:
  std::u16string Held(const std::string& section, const std::string& key) const {
    const auto found = values.find(Fold(section) + "\n" + Fold(key));
    return found == values.end() ? std::u16string() : found->second;
  }
  static std::string Fold(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  std::vector<StoreCall> Only(bool write) const {
    std::vector<StoreCall> some;
    for (const StoreCall& call : calls)
      if (call.write == write) some.push_back(call);
    return some;
  }
};

}  // namespace quillon::testing
