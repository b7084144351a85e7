// The host link across processes: the stand-in chat client runs as a program
// of its own and logs what its windows receive.
#include "host/host_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_window_ops.h"
#include "tools/testing/standin.h"

namespace quillon {
namespace {

using testing::Received;
using testing::StandIn;

std::vector<Received> OfKind(const StandIn& host, const std::string& kind) {
  std::vector<Received> found;
  for (const Received& r : host.Records())
    if (r.kind == kind) found.push_back(r);
  return found;
}

bool WaitForRecords(const StandIn& host, const std::string& kind, std::size_t count) {
  return testing::WaitUntil([&] { return OfKind(host, kind).size() >= count; }, 5000);
}

// The sentinel line, typed or sent after a case into room, arrived, and it
// is the only thing the client received.
void ExpectOnlyTheSentinel(const StandIn& host, int room) {
  ASSERT_TRUE(WaitForRecords(host, "chat", 1));
  ASSERT_EQ(host.Records().size(), 1u);
  EXPECT_EQ(host.Records()[0].room, room);
  EXPECT_EQ(host.Records()[0].bytes, "sentinel");
}

class HostLink : public ::testing::Test {
 protected:
  Win32WindowOps ops;
  StandIn host;
};

TEST_F(HostLink, NoClientSendsNothingAnywhereNotEvenToLookAlikeWindows) {
  ASSERT_TRUE(host.Start(L"--decoy"));
  EXPECT_EQ(FindChatRoom(ops), 0u);
  EXPECT_FALSE(SendChat(ops, u"hello"));
  EXPECT_FALSE(OpenKeyword(ops, u"help"));
  // A character posted to a decoy now reaches it after anything sent before.
  PostMessageA(FindWindowA("RICHCNTL", "decoy"), WM_CHAR, '#', 1);
  ASSERT_TRUE(WaitForRecords(host, "decoy", 1));
  ASSERT_EQ(host.Records().size(), 1u);
  EXPECT_EQ(host.Records()[0].bytes, "#");
}

TEST_F(HostLink, PostsIntoTheRoomReplacingWhatTheBoxHeld) {
  ASSERT_TRUE(host.Start());
  ASSERT_NE(FindChatRoom(ops), 0u);
  SendMessageA(host.InputBox(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("half-typed junk"));
  EXPECT_TRUE(SendChat(ops, u"first"));
  EXPECT_TRUE(SendChat(ops, u""));  // an empty text still sends the carriage return
  ASSERT_TRUE(WaitForRecords(host, "chat", 2));
  const auto chat = OfKind(host, "chat");
  EXPECT_EQ(chat[0].bytes, "first");
  EXPECT_EQ(chat[1].bytes, "");
  EXPECT_EQ(testing::WindowText(host.InputBox(1)), L"");
}

TEST_F(HostLink, MarkupAndForeignCharactersArriveAsTheCodePageCarriesThem) {
  ASSERT_TRUE(host.Start());
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_TRUE(SendChat(ops, u"<a href=\"x\">&amp; 'q' \u00e9\u00fc \u4e2d\u20ac"));
  ASSERT_TRUE(WaitForRecords(host, "chat", 1));
  EXPECT_EQ(OfKind(host, "chat")[0].bytes, "<a href=\"x\">&amp; 'q' \xE9\xFC ?\x80");
}

TEST_F(HostLink, TheFrontMostOfTwoRoomsReceives) {
  ASSERT_TRUE(host.Start(L"--windows chat,plain,chat,partial"));
  EXPECT_TRUE(SendChat(ops, u"to the front"));
  ASSERT_TRUE(WaitForRecords(host, "chat", 1));
  EXPECT_EQ(OfKind(host, "chat")[0].room, 3);
}

TEST_F(HostLink, WindowsThatAreNotChatRoomsAreNotTaken) {
  ASSERT_TRUE(host.Start(L"--windows plain,partial"));
  EXPECT_EQ(FindChatRoom(ops), 0u);
  EXPECT_FALSE(SendChat(ops, u"nowhere"));
  // Room 2, the one without its image, takes a line typed into it now.
  ASSERT_TRUE(host.TypeLine(2, "sentinel"));
  ExpectOnlyTheSentinel(host, 2);
}

TEST_F(HostLink, AClientThatStopsAnsweringCostsTheTimeOutAndIsNotDelivered) {
  const ULONGLONG hang = 6000;
  ASSERT_TRUE(host.Start(L"--hang " + std::to_wstring(hang)));
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(SendChat(ops, u"stuck"));
  const ULONGLONG took = GetTickCount64() - start;
  // It waited on the hung client for the 2 s time-out (an answered send
  // takes milliseconds), and gave up well before the client answered again.
  EXPECT_GE(took, 1500u);
  EXPECT_LT(took, hang - 1000);
  // Once the client answers again, a line sent then is all it received.
  ASSERT_TRUE(testing::WaitUntil([&] { return SendChat(ops, u"sentinel"); }, 15000));
  ASSERT_TRUE(WaitForRecords(host, "chat", 1));
  EXPECT_EQ(host.ChatLines(), std::vector<std::u16string>{u"sentinel"});
}

TEST_F(HostLink, OpenKeywordTypesIntoTheToolbarBox) {
  ASSERT_TRUE(host.Start());
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  HWND edit = FindWindowExA(FindWindowExA(FindWindowExA(FindWindowExA(frame, nullptr, "AOL Toolbar", nullptr),
                                                        nullptr, "_AOL_Toolbar", nullptr),
                                          nullptr, "_AOL_Combobox", nullptr),
                            nullptr, "Edit", nullptr);
  ASSERT_TRUE(edit);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("old keyword"));
  EXPECT_TRUE(OpenKeyword(ops, u"http://quillon.example/help"));
  ASSERT_TRUE(WaitForRecords(host, "keyword", 1));
  // The space is typed where the box's caret stands after its text was set,
  // at the start, and is part of what the box submits.
  EXPECT_EQ(OfKind(host, "keyword")[0].bytes, " http://quillon.example/help");
}

TEST_F(HostLink, OpenKeywordWithoutAToolbarDoesNothing) {
  ASSERT_TRUE(host.Start(L"--no-toolbar"));
  EXPECT_FALSE(OpenKeyword(ops, u"x"));
  // A line sent into the room now arrives after anything sent before.
  EXPECT_TRUE(SendChat(ops, u"sentinel"));
  ExpectOnlyTheSentinel(host, 1);
}

struct Counter {
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    return DefWindowProcW(w, m, wp, lp);
  }
};

TEST_F(HostLink, PauseWaitsItsTimeWhileOurWindowsKeepHandlingMessages) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Counter::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PauseProbe";
  RegisterClassW(&wc);
  HWND probe = CreateWindowW(L"PauseProbe", L"", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  int handled = 0;
  SetWindowLongPtrW(probe, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));
  PostMessageW(probe, WM_APP, 0, 0);
  Pause(ops, 0);
  EXPECT_EQ(handled, 1);  // even a pause of no time handles what is queued

  // A message that arrives halfway through the pause is handled in it.
  // A captureless lambda has no calling convention of its own: 32-bit
  // Windows calls timer procedures as stdcall, so the conversion names it.
  TIMERPROC halfway = [](HWND w, UINT, UINT_PTR id, DWORD) CALLBACK {
    KillTimer(w, id);
    PostMessageW(w, WM_APP, 0, 0);
  };
  SetTimer(probe, 1, 80, halfway);
  const double start = ops.Now();
  Pause(ops, 0.2);
  EXPECT_GE(ops.Now() - start, 0.2);
  EXPECT_EQ(handled, 2);
  DestroyWindow(probe);
}

}  // namespace
}  // namespace quillon
