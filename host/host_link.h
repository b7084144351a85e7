// The link to the chat client: finds its open chat room and posts a line into
// it, types into its keyword box and pauses while our windows stay responsive.
// Portable: everything it needs of the windowing system
// goes through WindowOps, which platform/ implements with user32 and kernel32.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

// An opaque window handle; 0 is no window. Never kept between calls.
using WindowHandle = std::uintptr_t;

// The window operations the host link uses. Class names are compared without
// regard to case, always against the whole class name.
class WindowOps {
 public:
  virtual ~WindowOps() = default;
  // The first top-level window of the class, whatever its caption; 0 if none.
  virtual WindowHandle FindTopLevel(const char* className) = 0;
  // The first direct child of parent (front-most first) of the class; 0 if none.
  virtual WindowHandle FindChild(WindowHandle parent, const char* className) = 0;
  // The front-most sibling of window (maybe window itself); 0 for window 0.
  virtual WindowHandle FirstSibling(WindowHandle window) = 0;
  // The sibling directly behind window; 0 at the end of the list.
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
  // Replaces the window's text (the text crosses in the ANSI code page).
  // False when the message was not delivered: no such window, or it did not
  // answer within the time-out.
  virtual bool SetText(WindowHandle window, const std::u16string& text) = 0;
  // Delivers one typed character; false as for SetText.
  virtual bool SendChar(WindowHandle window, char16_t code) = 0;
  // Lets our own windows handle the input and paint messages already queued.
  virtual void ProcessPendingEvents() = 0;
  // A monotonic clock in seconds.
  virtual double Now() = 0;
  // Sleeps until input for our windows arrives or the time has passed.
  virtual void WaitForEvents(double seconds) = 0;
};

// The front-most document window of the client that holds the six child
// classes of a chat room, or 0. Pending events run once per window tested.
WindowHandle FindChatRoom(WindowOps& ops);

// Empties the window's text, then sets it to text. True when both arrived.
bool SetEditText(WindowOps& ops, WindowHandle window, const std::u16string& text);

// How far a line got into the chat room.
enum class Delivery {
  NotSent,      // no room, or its input box did not take the text: not posted
  Unconfirmed,  // the box took the text but the carriage return was not
                // answered in time: the client posts it if it recovers
  Posted,       // the text and the carriage return were both taken
};

// Posts text into the chat room: sets its input box and delivers a carriage
// return. With no client or no chat room nothing is sent to any window.
Delivery PostChatLine(WindowOps& ops, const std::u16string& text);

// PostChatLine, true only when the line was posted.
bool SendChat(WindowOps& ops, const std::u16string& text);

// Types text into the client's toolbar keyword box, then a space and a carriage
// return. True when it reached the box; with no box nothing is sent anywhere.
bool OpenKeyword(WindowOps& ops, const std::u16string& text);

// Returns once at least seconds have passed, processing pending events at
// least once (also for 0) and whenever input arrives meanwhile.
void Pause(WindowOps& ops, double seconds);

}  // namespace quillon
