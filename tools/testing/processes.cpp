#include "tools/testing/processes.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace quillon::testing {

Process::Process(Process&& other) noexcept : info_(std::exchange(other.info_, {})) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    info_ = std::exchange(other.info_, {});
  }
  return *this;
}

Process::~Process() { Kill(); }

bool Process::Start(const std::wstring& exe, const std::wstring& args) {
  Kill();
  std::wstring line = L"\"" + exe + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_) != FALSE;
}

bool Process::WaitForExit(DWORD milliseconds) {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
  info_ = {};
}

namespace {

struct Search {
  const std::function<bool(HWND)>& matches;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  if (!search.matches(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

HWND FindWindowWhere(HWND parent, const std::function<bool(HWND)>& matches) {
  Search search{matches, nullptr};
  if (parent) EnumChildWindows(parent, Match, reinterpret_cast<LPARAM>(&search));
  else EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> ShownMenus(DWORD threadId) {
  std::vector<HWND> menus;
  FindWindowWhere(nullptr, [&](HWND top) {
    if (IsWindowVisible(top) && ClassName(top) == L"#32768" && GetWindowThreadProcessId(top, nullptr) == threadId)
      menus.push_back(top);
    return false;
  });
  // Enumerated from the top of the z-order: the submenu lies above its menu.
  std::reverse(menus.begin(), menus.end());
  return menus;
}

HWND WaitForWindow(const wchar_t* className, DWORD processId, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindWindowWhere(nullptr, [&](HWND window) {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          return lstrcmpiW(ClassName(window).c_str(), className) == 0 && (processId == 0 || owner == processId);
        });
        return found != nullptr;
      },
      milliseconds);
  return found;
}

HWND WaitForShownWindow(const wchar_t* className, DWORD milliseconds) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindWindowW(className, nullptr);
        return window && IsWindowVisible(window);
      },
      milliseconds);
  return window && IsWindowVisible(window) ? window : nullptr;
}

std::vector<std::string> Lines(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::wstring ExeFolder() {
  std::vector<wchar_t> path(MAX_PATH * 4);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring folder(path.data(), length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring WindowText(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

}  // namespace quillon::testing
