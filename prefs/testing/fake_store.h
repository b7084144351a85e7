// A ProfileStore in memory for the tests: sections and keys match without
// regard to case, as in the file, and every call is recorded in order.
#pragma once

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "prefs/prefs.h"

namespace quillon::testing {

struct StoreCall {
  bool write;
  std::string section, key;
  std::u16string value;  // written, or returned by a read
  std::size_t bufferSize;
  std::string file;
  bool operator==(const StoreCall&) const = default;
};

class FakeStore : public ProfileStore {
 public:
  FileState Probe(const std::string&) override { return fileState; }
  void BeginWriteGroup() override { ++groupDepth; }
  void EndWriteGroup() override { --groupDepth; }

  bool Write(const std::string& section, const std::string& key, const std::u16string& value,
             const std::string& file) override {
    calls.push_back({true, section, key, value, 0, file});
    groupDepthAtWrites.push_back(groupDepth);
    if (failingKeys.count(Fold(key))) return false;
    values[Fold(file) + "\n" + Fold(section) + "\n" + Fold(key)] = value;
    return true;
  }

  std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize,
                      const std::string& file) override {
    const auto found = values.find(Fold(file) + "\n" + Fold(section) + "\n" + Fold(key));
    std::u16string value = found == values.end() ? std::u16string() : found->second;
    if (value.size() >= bufferSize) value.resize(bufferSize == 0 ? 0 : bufferSize - 1);
    calls.push_back({false, section, key, value, bufferSize, file});
    return value;
  }

  void Put(const std::string& section, const std::string& key, const std::u16string& value,
           const std::string& file = kPrefsFile) {
    values[Fold(file) + "\n" + Fold(section) + "\n" + Fold(key)] = value;
  }

  std::vector<StoreCall> Writes() const { return Only(true); }
  std::vector<StoreCall> Reads() const { return Only(false); }

  std::vector<StoreCall> calls;
  std::map<std::string, std::u16string> values;
  // Writes of these keys (named in lower case) fail.
  std::set<std::string> failingKeys;
  FileState fileState = FileState::Readable;
  int groupDepth = 0;
  std::vector<int> groupDepthAtWrites;

 private:
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
