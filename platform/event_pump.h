// The event pump: the program's message loop and the "process pending events"
// step that some operations run in the middle of a handler.
#pragma once

#include <windows.h>

namespace quillon {

// Marks a top-level window whose keyboard input goes through dialog
// navigation (Tab between controls, Enter clicks the default button).
void EnableDialogNavigation(HWND window);

// Routes one message as the loop does: dialog navigation first, then
// translation and dispatch.
void DispatchOne(MSG& message);

// Handles every message already queued for this thread, then returns. A
// WM_QUIT found is put back so that the main loop still sees it.
void PumpPendingMessages();

// The main loop: runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

}  // namespace quillon
