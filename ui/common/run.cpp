#include "ui/common/run.h"

#include <algorithm>

#include "ui/common/texts.h"

namespace quillon {

Run::Seat& Run::SeatOf(const RunView& view) {
  const auto found = std::find_if(seats_.begin(), seats_.end(), [&](const Seat& s) { return s.view == &view; });
  if (found != seats_.end()) return *found;
  return seats_.emplace_back(Seat{&view, {}, false});
}

void Run::Send(RunView& view) {
  // The pump inside a send, of this window or the other, let this one in.
  send_.Run(
      [&] {
        view.SendBegins();
        const ComposeInputs in = view.Snapshot();
        const std::u16string line = ComposeLine(in, [this] { loop_.Pump(); });
        if (CloseBegun()) return;  // closed while the fade let events in
        const Delivery delivery = PostChatLine(client_, line);
        if (delivery == Delivery::Posted) RemoveSentText(view, in.text);
        // A line that may be in the room is recalled as well as one that is.
        if (delivery != Delivery::NotSent) sentLines_.Add(in.text);
        Seat& seat = SeatOf(view);
        seat.recall.Reset();
        // The client took the text but did not answer the return in time:
        // it posts the line if it recovers, so the text stays for the user
        // to judge but the caption says it may be in the room already.
        seat.lineUnconfirmed = delivery == Delivery::Unconfirmed;
        UpdateCaption(view);
      },
      [&] {
        view.SendEnds();
        return loop_.Ticks();
      });
}

void Run::RemoveSentText(RunView& view, const std::u16string& sent) {
  // What was typed while the line went out follows the sent text; an edit
  // made meanwhile leaves the box as the user made it.
  const std::u16string now = view.ChatText();
  if (now.compare(0, sent.size(), sent) != 0) return;
  view.SetChatText(now.substr(sent.size()));
}

bool Run::Announce(RunView& view, FixedLine which) { return !CloseBegun() && SendChat(client_, view.Line(which)); }

void Run::Advertise(RunView& view) {
  advertising_.Once([&] {
    Announce(view, FixedLine::Advert1);
    Pause(client_, 0.2);
    Announce(view, FixedLine::Advert2);
  });
}

void Run::OpenHelp() { OpenKeyword(client_, kHelpAddress); }

void Run::Recall(RunView& view, bool older) {
  Seat& seat = SeatOf(view);
  const auto line = older ? seat.recall.Older(sentLines_, view.ChatText()) : seat.recall.Newer(sentLines_);
  if (line) view.SetChatText(*line);
}

bool Run::SettingsFileHeld(RunView& view) {
  // Another program holds the file: this run starts as designed and leaves
  // the file alone rather than overwrite settings it never read.
  if (prefs_.Probe() != ProfileStore::FileState::Unreadable) return false;
  prefs_.HoldWrites();
  UpdateCaption(view);
  return true;
}

std::optional<std::u16string> Run::FirstRunOrLastFont() {
  if (!IsFirstRun(prefs_)) return ReadIni(prefs_, kLastFontSection, kLastFontKey);
  WriteIni(prefs_, kFirstRunSection, kFirstRunKey, kFirstRunValue);
  WriteIni(prefs_, kLastFontSection, kLastFontKey, kFirstRunFont);
  return std::nullopt;
}

void Run::Save(RunView& view, const char* section) {
  ShowSaveResult(view, WriteStyleSet(prefs_, section, view.Styles(), FontKey::Include));
}

void Run::Load(RunView& view, const char* section, FontKey font) { ReadStyleSet(prefs_, section, view.Styles(), font); }

CustomColours Run::ReadCustomColours() { return quillon::ReadCustomColours(prefs_); }

void Run::SaveCustomColours(RunView& view, const CustomColours& colours) {
  ShowSaveResult(view, WriteCustomColours(prefs_, colours));
}

void Run::ShowSaveResult(RunView& view, bool saved) {
  saveFailed_ = !saved;
  UpdateCaption(view);
  if (!saved) view.Warn();
}

void Run::UpdateCaption(RunView& view) {
  std::u16string caption = u"quillon fader";
  const char16_t* separator = u" - ";
  const auto note = [&](bool on, const char16_t* text) {
    if (!on) return;
    caption += separator;
    caption += text;
    separator = u", ";
  };
  note(SeatOf(view).lineUnconfirmed, u"line may have been sent");
  note(saveFailed_, u"not saved");
  note(prefs_.WritesHeld(), u"settings file busy");
  view.SetCaption(caption);
}

void Run::SwitchToMain(RunView& compact, RunView& main) {
  compact.Show(false);
  main.Show(true);
}

void Run::Close(RunView& view) {
  if (closing_) return;
  if (handlers_.Running()) {
    if (!closeAsked_) closeAsked_ = &view;
    return;
  }
  Shutdown(view);
  loop_.Quit();
}

void Run::EndSession(RunView& view) {
  if (closing_ || !view.Shown()) return;
  Shutdown(view);
  if (handlers_.Running()) loop_.ExitNow();
  else loop_.Quit();
}

void Run::Shutdown(RunView& view) {
  closing_ = true;
  WriteGroup group(prefs_);
  const bool written = ClosingWrites(view);
  const bool readBack = group.End();
  ShowSaveResult(view, written && readBack);
  SendChat(client_, view.Line(FixedLine::Unloaded));
}

bool Run::ClosingWrites(RunView& view) {
  // Both windows keep the font; the main window its other settings too.
  const bool font = WriteIni(prefs_, kLastFontSection, kLastFontKey, view.Styles().Font());
  if (view.WindowRole() == RunView::Role::Compact) return font;
  const bool settings = WriteStyleSet(prefs_, kLastSettingsSection, view.Styles(), FontKey::Skip);
  return font && settings;
}

}  // namespace quillon
