#include "platform/ansi.h"

#include <windows.h>

#include <limits>

namespace quillon {
namespace {

bool FitsInt(std::size_t size) { return size <= static_cast<std::size_t>(std::numeric_limits<int>::max()); }

}  // namespace

std::optional<std::string> ToAnsi(std::u16string_view text) {
  if (text.empty()) return std::string();
  if (!FitsInt(text.size())) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
    // A code page that takes no flags (UTF-8 as the ANSI code page) holds
    // every character, so it has nothing to fit either.
    flags = 0;
    size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
  }
  if (size <= 0) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, flags, wide, length, ansi.data(), size, nullptr, nullptr) != size)
    return std::nullopt;
  return ansi;
}

bool SpellsInAnsi(std::u16string_view text) {
  const std::optional<std::string> ansi = ToAnsi(text);
  return ansi && FromAnsi(*ansi) == text;
}

std::u16string FromAnsi(std::string_view bytes) {
  if (bytes.empty() || !FitsInt(bytes.size())) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(wide.data()), size);
  return wide;
}

}  // namespace quillon
