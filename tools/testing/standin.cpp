#include "tools/testing/standin.h"

#include <windows.h>

#include "platform/ansi.h"

namespace quillon::testing {

std::wstring ToolPath(const wchar_t* exe) {
  // Test programs live one folder below the build tree's top.
  std::wstring path = ExeFolder() + L"..\\tools\\" + exe;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) path = ExeFolder() + exe;
  return path;
}

std::wstring StandInPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"QUILLON_STANDIN_EXE", path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return path;
  return ToolPath(L"standin_host.exe");
}

bool StandIn::Start(const std::wstring& options) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  log_ = std::wstring(folder) + L"standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64()) + L".log";
  DeleteFileW(log_.c_str());
  if (!process_.Start(StandInPath(), L"--log \"" + log_ + L"\" " + options)) return false;
  return WaitUntil([&] { return ReadFileBytes(log_).rfind("ready\n", 0) == 0; }, 15000);
}

namespace {

// The log read record by record: what arrived, and the lines that carry no
// bytes ("ready", "hold", "release") in the order they were written.
struct Log {
  std::vector<Received> records;
  std::vector<std::string> marks;
};

Log ReadLog(const std::wstring& path) {
  Log read;
  const std::string log = ReadFileBytes(path);
  std::size_t at = 0;
  while (at < log.size()) {
    const std::size_t colon = log.find(": ", at);
    const std::size_t newline = log.find('\n', at);
    if (newline != std::string::npos && (colon == std::string::npos || newline < colon)) {
      read.marks.push_back(log.substr(at, newline - at));
      at = newline + 1;
      continue;
    }
    if (colon == std::string::npos) break;
    // "KIND [ROOM] LENGTH: BYTES\n"
    const std::string head = log.substr(at, colon - at);
    Received r;
    const std::size_t space = head.find(' ');
    r.kind = head.substr(0, space);
    const std::size_t lastSpace = head.rfind(' ');
    if (lastSpace != space) r.room = std::stoi(head.substr(space + 1, lastSpace - space - 1));
    const std::size_t length = std::stoul(head.substr(lastSpace + 1));
    if (colon + 2 + length > log.size()) break;  // still being written
    r.bytes = log.substr(colon + 2, length);
    read.records.push_back(r);
    at = colon + 2 + length + 1;
  }
  return read;
}

}  // namespace

std::vector<Received> StandIn::Records() const { return ReadLog(log_).records; }

StandIn::Holds StandIn::HoldsSoFar() const {
  Holds holds;
  for (const std::string& mark : ReadLog(log_).marks) {
    if (mark == "hold") ++holds.begun;
    if (mark == "release") ++holds.ended;
  }
  return holds;
}

bool StandIn::WaitForHold(int begun, DWORD milliseconds) const {
  return WaitUntil([&] { return HoldsSoFar().begun > begun; }, milliseconds);
}

std::vector<std::u16string> StandIn::ChatLines() const {
  std::vector<std::u16string> lines;
  for (const Received& r : Records())
    if (r.kind == "chat") lines.push_back(FromAnsi(r.bytes));
  return lines;
}

std::vector<std::u16string> StandIn::Keywords() const {
  std::vector<std::u16string> words;
  for (const Received& r : Records())
    if (r.kind == "keyword") words.push_back(FromAnsi(r.bytes));
  return words;
}

HWND StandIn::InputBox(int room) const {
  // A parent of nullptr would search the top-level windows: stop at a gap.
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  HWND client = frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
  const std::string title = "Chat room " + std::to_string(room);
  HWND document = client ? FindWindowExA(client, nullptr, "AOL Child", title.c_str()) : nullptr;
  return document ? FindWindowExA(document, nullptr, "RICHCNTL", nullptr) : nullptr;
}

bool StandIn::TypeLine(int room, const std::string& text) const {
  HWND box = InputBox(room);
  if (!box) return false;
  for (char c : text) PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
  return PostMessageA(box, WM_CHAR, '\r', 1) != FALSE;
}

}  // namespace quillon::testing
