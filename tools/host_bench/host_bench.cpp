// How long a send takes against the stand-in client with 1, 10 and 100
// document windows open (the chat room behind all others, so every window
// is tested), next to a bare cross-process SendMessage round trip measured
// in the same run; and how much processor time a pause of 0.2 s uses.
// The baseline is the same three messages sent bare, each a round trip to
// the client. Run by hand under Wine: wine64 host_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "host/host_link.h"
#include "platform/win32_window_ops.h"
#include "tools/testing/standin.h"
#include "tools/testing/timing.h"

namespace {

using namespace quillon;

using testing::MedianMicroseconds;

double ProcessorSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
  return value(kernel) + value(user);
}

std::wstring Windows(int count) {
  std::wstring list = L"chat";
  for (int i = 1; i < count; ++i) list += L",plain";
  return list;
}

}  // namespace

int main() {
  Win32WindowOps ops;
  std::printf("%-28s %12s %12s %8s\n", "case", "median us", "baseline us", "ratio");
  for (int documents : {1, 10, 100}) {
    testing::StandIn host;
    if (!host.Start(L"--windows " + Windows(documents))) {
      std::fprintf(stderr, "the stand-in client did not start\n");
      return 1;
    }
    HWND frame = FindWindowA("AOL Frame25", nullptr);
    HWND input = reinterpret_cast<HWND>(ops.FindChild(FindChatRoom(ops), "richcntl"));
    const char* line = "<Font Color=#FF0000>x";
    const double empty = MedianMicroseconds(300, [&] { SendMessageA(frame, WM_NULL, 0, 0); });
    // The same three messages a send delivers, sent bare to a box already known.
    const double bare = MedianMicroseconds(60, [&] {
      SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line));
      SendMessageA(input, WM_CHAR, '\r', 0);
    });
    const double send = MedianMicroseconds(60, [&] { SendChat(ops, u"<Font Color=#FF0000>x"); });
    const double find = MedianMicroseconds(60, [&] { FindChatRoom(ops); });
    char name[64];
    std::snprintf(name, sizeof name, "SendChat, %d document windows", documents);
    std::printf("%-28s %12.1f %12.1f %8.2f   (finding the room: %.1f us; an empty round trip: %.1f us)\n", name,
                send, bare, send / bare, find, empty);
  }
  const double wallStart = MonotonicSeconds(), cpuStart = ProcessorSeconds();
  for (int i = 0; i < 5; ++i) Pause(ops, 0.2);
  const double wall = MonotonicSeconds() - wallStart, cpu = ProcessorSeconds() - cpuStart;
  std::printf("Pause(0.2) x5: %.3f s wall, %.4f s processor, %.2f %% of wall time\n", wall, cpu, 100 * cpu / wall);
  return 0;
}
