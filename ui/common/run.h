// One run of the program: what its two windows share and the rules of the
// commands they offer. The send, the advertisement, saving and loading, the
// switch between the windows, closing and the end of the Windows session
// all let events in while they run, so a command of either window may
// arrive inside another; the run decides what each such meeting does.
// Portable: the windows reach it through RunView, the chat client through
// WindowOps, the preferences file through ProfileStore, the event loop
// through EventLoop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_link.h"
#include "prefs/custom_colours.h"
#include "prefs/prefs.h"
#include "prefs/style_set.h"
#include "ui/common/compose.h"
#include "ui/common/reentry.h"
#include "ui/common/send_state.h"
#include "ui/common/sent_lines.h"

namespace quillon {

// The event loop the run lives in.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Handles the events already queued, then returns.
  virtual void Pump() = 0;
  // The system's tick count: milliseconds since start-up, 64 bits wide.
  virtual std::int64_t Ticks() = 0;
  // Ends the loop once the handler running returns.
  virtual void Quit() = 0;
  // Ends the program now, whatever runs.
  virtual void ExitNow() = 0;
};

// The lines a window holds besides the chat text.
enum class FixedLine { Loaded, Unloaded, Advert1, Advert2 };

// What the run asks of a window.
class RunView {
 public:
  enum class Role { Main, Compact };

  virtual ~RunView() = default;
  virtual Role WindowRole() const = 0;
  // What a send reads from the controls now.
  virtual ComposeInputs Snapshot() const = 0;
  // The style settings as the preferences file reads and writes them.
  virtual StyleControls& Styles() = 0;
  // The chat text box; setting it leaves the caret at the end.
  virtual std::u16string ChatText() const = 0;
  virtual void SetChatText(const std::u16string& text) = 0;
  virtual std::u16string Line(FixedLine which) const = 0;
  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual bool Shown() const = 0;
  virtual void Show(bool shown) = 0;
  // A send of this window begins and ends: the peek stays away meanwhile.
  virtual void SendBegins() {}
  virtual void SendEnds() {}
  // A handler of this window has returned: what it changed reaches screen
  // readers.
  virtual void HandlerDone() {}
  // The warning sound of a save that did not reach the file.
  virtual void Warn() {}
};

class Run {
 public:
  Run(WindowOps& client, ProfileStore& prefs, EventLoop& loop) : client_(client), prefs_(prefs), loop_(loop) {}
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // Runs handler as one of view's handlers. Closing either window while a
  // handler of either runs waits until the outermost one has returned;
  // once closing has begun no handler runs, and the answer is false.
  template <class Handler>
  bool Handle(RunView& view, Handler&& handler);

  // --- Sending
  // Composes the line from view's controls and posts it. After a posted
  // line only the text that was sent leaves the text box, so what was typed
  // meanwhile stays; a line not posted stays whole. A send that starts
  // while another runs, in either window, is ignored.
  void Send(RunView& view);
  // Whether an Enter whose message carries the 32-bit tick count
  // messageTime may start a send: not while one runs, nor when it queued
  // while the last send waited on the client.
  bool EnterMaySend(std::uint32_t messageTime) { return send_.EnterMaySend(messageTime, loop_.Ticks()); }
  bool Sending() const { return send_.Sending(); }
  // Posts one of view's fixed lines; false when it reached no chat room or
  // closing has begun, whose "unloaded" line must be the last.
  bool Announce(RunView& view, FixedLine which);
  // The two advertisement lines, 0.2 s apart; the windows stay responsive.
  // One asked for during the pause starts nothing.
  void Advertise(RunView& view);
  // Types the help page's address into the client's keyword box.
  void OpenHelp();
  // Up (older) and Down in view's chat text step through the lines sent in
  // this run, from either window.
  void Recall(RunView& view, bool older);

  // --- Settings
  // At start-up: whether another program holds the preferences file. Then
  // this run starts as designed and writes nothing to it, rather than
  // overwrite settings it never read; the caption says so.
  bool SettingsFileHeld(RunView& view);
  // The first-run test: on a first run the file gains "new" and "lastfont".
  // The font to start with: nothing on a first run, else the last font.
  std::optional<std::u16string> FirstRunOrLastFont();
  // Saves view's full style set into section. A save that did not reach
  // the file, or does not read back as written, shows in the caption until
  // a later save succeeds, with the warning sound; nothing modal.
  void Save(RunView& view, const char* section);
  // Reads the style set in section into view's controls.
  void Load(RunView& view, const char* section, FontKey font = FontKey::Include);
  CustomColours ReadCustomColours();
  // Saves the colour dialogs' custom colours, shown as a save is.
  void SaveCustomColours(RunView& view, const CustomColours& colours);
  // "quillon fader", and what the user should know of view's last send,
  // the last save and the preferences file.
  void UpdateCaption(RunView& view);

  // --- Windows
  // Hands main's settings over to the compact window and shows it in
  // main's place; compact makes it at the first switch (nullptr when it
  // could not be made: main stays shown, and the answer is false).
  template <class MakeCompact>
  bool SwitchToCompact(RunView& main, MakeCompact&& compact);
  // Shows the main window in place of the compact one.
  void SwitchToMain(RunView& compact, RunView& main);

  // --- The end
  // The user closes view. Inside a handler the handler unwinds first, and
  // the window closed first shuts down when the outermost one has
  // returned. The shutdown runs once a run: view's closing writes as one
  // write group, shown as a save, then the "unloaded" line, then the loop
  // ends.
  void Close(RunView& view);
  // Windows' session ends: the shown window runs the shutdown. Windows may
  // end the process as soon as this returns, so a handler this interrupted
  // must not run on and post after "unloaded": the program ends at once.
  void EndSession(RunView& view);
  // Closing has begun or waits for the handlers to return.
  bool CloseBegun() const { return closing_ || closeAsked_; }

 private:
  // What the run keeps of each window.
  struct Seat {
    const RunView* view;
    quillon::Recall recall;               // where its chat text stands in the lines sent
    bool lineUnconfirmed = false;  // its last line may be in the room
  };
  Seat& SeatOf(const RunView& view);
  void ShowSaveResult(RunView& view, bool saved);
  // After a posted line: takes the sent text off the front of view's chat
  // text, unless it was edited meanwhile.
  void RemoveSentText(RunView& view, const std::u16string& sent);
  void Shutdown(RunView& view);
  // What view writes when the run ends; false when a write did not reach
  // the file.
  bool ClosingWrites(RunView& view);

  WindowOps& client_;
  ProfileStore& prefs_;
  EventLoop& loop_;
  Reentry handlers_;  // handlers running, of both windows
  SendState send_;
  Reentry advertising_;
  RunView* closeAsked_ = nullptr;  // closed while a handler ran
  bool closing_ = false;           // the shutdown has begun
  bool saveFailed_ = false;        // the last save did not reach the file
  SentLines sentLines_;
  std::vector<Seat> seats_;
};

template <class Handler>
bool Run::Handle(RunView& view, Handler&& handler) {
  if (closing_) return false;
  {
    const Reentry::Scope pass(handlers_);
    handler();
  }
  view.HandlerDone();
  if (!handlers_.Running() && closeAsked_) Close(*closeAsked_);
  return true;
}

template <class MakeCompact>
bool Run::SwitchToCompact(RunView& main, MakeCompact&& compact) {
  // The compact window reads the hand-over when it is made; main's caption
  // says so when the settings did not reach the file.
  Save(main, kHandOverSection);
  main.Show(false);
  RunView* shown = compact();
  if (!shown) {
    main.Show(true);
    return false;
  }
  shown->Show(true);
  return true;
}

}  // namespace quillon
