// The conversation pane of a stand-in chat room: the lines the room received,
// one under the other, newest at the bottom.
#pragma once

#include <windows.h>

#include <string>

// Registers the pane's window class under the given name.
void RegisterConversationClass(const char* className);

// Adds a received line (bytes in the ANSI code page) and repaints.
void AddConversationLine(HWND pane, const std::string& line);

// Draws the lines into dc within area.
void PaintConversation(HWND pane, HDC dc, const RECT& area);
