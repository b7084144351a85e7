#include "host/host_link.h"

#include <array>

namespace quillon {
namespace {

// The child classes that together make a document window a chat room.
constexpr std::array<const char*, 6> kChatRoomClasses = {
    "_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl", "_aol_image"};

bool IsChatRoom(WindowOps& ops, WindowHandle candidate) {
  for (const char* className : kChatRoomClasses)
    if (ops.FindChild(candidate, className) == 0) return false;
  return true;
}

}  // namespace

WindowHandle FindChatRoom(WindowOps& ops) {
  // Each lookup builds on the one before; a missing window ends the search,
  // since a lookup under window 0 would search other programs' windows.
  const WindowHandle main = ops.FindTopLevel("aol frame25");
  if (main == 0) return 0;
  const WindowHandle container = ops.FindChild(main, "mdiclient");
  if (container == 0) return 0;
  const WindowHandle document = ops.FindChild(container, "aol child");
  if (document == 0) return 0;
  // Every document window, front to back and of any class; the first that
  // holds all six classes is the chat room.
  for (WindowHandle candidate = ops.FirstSibling(document); candidate != 0;
       candidate = ops.NextSibling(candidate)) {
    ops.ProcessPendingEvents();
    if (IsChatRoom(ops, candidate)) return candidate;
  }
  return 0;
}

bool SetEditText(WindowOps& ops, WindowHandle window, const std::u16string& text) {
  // A window that did not take the first message is not sent the second.
  return window != 0 && ops.SetText(window, u"") && ops.SetText(window, text);
}

Delivery PostChatLine(WindowOps& ops, const std::u16string& text) {
  const WindowHandle room = FindChatRoom(ops);
  if (room == 0) return Delivery::NotSent;
  const WindowHandle input = ops.FindChild(room, "richcntl");
  if (input == 0) return Delivery::NotSent;
  // Nothing further is sent to a box that did not take the text in time.
  if (!SetEditText(ops, input, text)) return Delivery::NotSent;
  return ops.SendChar(input, u'\r') ? Delivery::Posted : Delivery::Unconfirmed;
}

bool SendChat(WindowOps& ops, const std::u16string& text) { return PostChatLine(ops, text) == Delivery::Posted; }

bool OpenKeyword(WindowOps& ops, const std::u16string& text) {
  WindowHandle window = ops.FindTopLevel("aol frame25");
  for (const char* className : {"aol toolbar", "_aol_toolbar", "_aol_combobox", "edit"}) {
    if (window == 0) return false;
    window = ops.FindChild(window, className);
  }
  if (window == 0) return false;
  if (!SetEditText(ops, window, text)) return false;
  return ops.SendChar(window, u' ') && ops.SendChar(window, u'\r');
}

void Pause(WindowOps& ops, double seconds) {
  const double start = ops.Now();
  for (;;) {
    ops.ProcessPendingEvents();
    const double left = seconds - (ops.Now() - start);
    if (left <= 0) return;
    // Sleeps until input arrives for our windows or the time is up, instead
    // of keeping the processor busy.
    ops.WaitForEvents(left);
  }
}

}  // namespace quillon
