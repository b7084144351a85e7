// Start-up time of the fader, from process start to its window shown, next
// to a bare Win32 window program measured the same way in the same run.
// Run by hand under Wine from the build tree: wine64 tools/startup_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/clock.h"
#include "tools/testing/processes.h"

namespace {

using namespace quillon::testing;

double Milliseconds() { return 1000.0 * quillon::MonotonicSeconds(); }

double MedianStart(const std::wstring& exe, const wchar_t* windowClass) {
  std::vector<double> times;
  for (int round = 0; round < 15; ++round) {
    Process process;
    const double start = Milliseconds();
    if (!process.Start(exe, L"")) return -1;
    WaitForShownWindow(windowClass, 10000);
    times.push_back(Milliseconds() - start);
    process.Kill();
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::wstring folder = ExeFolder();
  const double bare = MedianStart(folder + L"bare_window.exe", L"BareWindow");
  const double fader = MedianStart(folder + L"..\\app\\quillon.exe", L"QuillonFaderMain");
  std::printf("bare window program: %7.1f ms\n", bare);
  std::printf("quillon fader:       %7.1f ms\n", fader);
  std::printf("ratio:               %7.2f\n", fader / bare);
  return 0;
}
