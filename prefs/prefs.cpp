#include "prefs/prefs.h"

#include <iterator>

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

}  // namespace

bool WriteIni(ProfileStore& store, const std::string& section, const std::string& key,
              const std::u16string& value, const std::string& file) {
  if (store.WritesHeld() || !FitsOnOneLine(value)) return false;
  return store.Write(section, UpperCase(key), value, file);
}

std::u16string ReadIni(ProfileStore& store, const std::string& section, const std::string& key,
                       const std::string& file) {
  std::u16string value = store.Read(section, LowerCase(key), kReadBufferSize, file);
  if (value.size() > kReadBufferSize - 1) value.resize(kReadBufferSize - 1);
  return value;
}

}  // namespace quillon
