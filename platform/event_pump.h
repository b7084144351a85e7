// The event pump: the program's message loop and the "process pending events"
// step that some operations run in the middle of a handler.
#pragma once

#include <windows.h>

namespace quillon {

// Marks a top-level window whose keyboard input goes through dialog
// navigation (Enter clicks the default button, arrows and mnemonics as in a
// dialog). Tab is first offered to the window itself as kTabKeyMessage
// (wParam: 1 for Shift+Tab), so that it can keep a tab order of its own
// apart from the z-order; a window that returns 0 leaves Tab to the dialog
// manager. Focus rectangles show and hide as in a dialog: hidden after mouse
// input unless the user always wants them, shown once the keyboard is used.
void EnableDialogNavigation(HWND window);
inline constexpr UINT kTabKeyMessage = WM_APP + 0x51;

// Routes one message as the loop does: dialog navigation first, then
// translation and dispatch.
void DispatchOne(MSG& message);

// Handles every message already queued for this thread, then returns. A
// WM_QUIT found is put back so that the main loop still sees it.
void PumpPendingMessages();

// The main loop: runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

}  // namespace quillon
