// A stand-in for the chat client, with the window classes the fader looks
// for: a main window "AOL Frame25" with an "MDIClient" holding document
// windows "AOL Child"; a chat room holds the six classes of a room, its
// "RICHCNTL" input box sends the line on a carriage return into the
// "RICHCNTLREADONLY" conversation; the toolbar path "AOL Toolbar" >
// "_AOL_Toolbar" > "_AOL_Combobox" > "Edit" is the keyword box.
//
//   standin_host [--log FILE] [--windows LIST] [--no-toolbar] [--no-frame]
//                [--decoy] [--hang MS] [--slow MS] [--stall-return MS]
//
//   --log FILE      appends a record for everything received, flushed at once:
//                     "ready\n" once the windows exist,
//                     "chat ROOM LENGTH: BYTES\n" for a line sent in room ROOM,
//                     "keyword LENGTH: BYTES\n" for a submitted keyword,
//                     "decoy LENGTH: BYTES\n" for anything a decoy received,
//                     "held ROOM LENGTH: BYTES\n" when --stall-return begins
//                     to hold the carriage return of a line;
//                     "hold\n" when a stall below begins (the client, busy,
//                     keeps whoever sent to it waiting) and "release\n"
//                     when it ends, so that a test can act inside one.
//                   BYTES are exactly what arrived, in the ANSI code page.
//   --windows LIST  the document windows, comma-separated, back to front:
//                   "chat" a chat room, "plain" a window of no chat classes,
//                   "partial" a room without its "_AOL_Image"; "none" for
//                   none at all. Rooms are numbered from 1 in this order.
//                   Default: "chat".
//   --no-toolbar    no keyword box
//   --no-frame      no client at all (only what --decoy adds)
//   --decoy         no client; instead top-level windows of class "RICHCNTL"
//                   and "Edit" that log anything they receive
//   --hang MS       the first text set into an input box keeps the client
//                   from answering for MS milliseconds
//   --slow MS       every text and character an input box receives is
//                   answered after MS milliseconds
//   --stall-return MS
//                   a chat room answers the carriage return after MS
//                   milliseconds and only then posts the line; -1: never
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/standin_host/conversation.h"

namespace {

struct Options {
  std::wstring log;
  std::vector<std::wstring> windows = {L"chat"};
  bool toolbar = true, frame = true, decoy = false;
  DWORD hangMs = 0;
  DWORD slowMs = 0;
  int stallReturnMs = 0;
};

// Everything the host's windows share: this program has one of each.
struct Host {
  Options options;
  HWND frame = nullptr, client = nullptr, toolbar = nullptr;
  WNDPROC editProc = nullptr;
  bool hung = false;
};

Host* TheHost(HWND window) {
  return reinterpret_cast<Host*>(GetPropW(GetAncestor(window, GA_ROOT), L"standin.host"));
}

void Record(const Host& host, const std::string& kind, const std::string& bytes) {
  if (host.options.log.empty()) return;
  HANDLE file = CreateFileW(host.options.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string record = kind;
  if (kind != "ready" && kind != "hold" && kind != "release") {
    record += ' ';
    record += std::to_string(bytes.size());
    record += ": ";
    record += bytes;
  }
  record += "\n";
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
}

// Keeps the client busy for milliseconds (INFINITE: for good), between a
// "hold" and a "release" record.
void Stall(const Host& host, DWORD milliseconds) {
  Record(host, "hold", "");
  Sleep(milliseconds);
  Record(host, "release", "");
}

std::string AnsiText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

// The input box of a room and the keyword box: edit controls driven through
// ANSI messages, so the bytes they record are the bytes that arrived.
struct BoxState {
  std::string received;  // the last text set from outside, byte for byte
  bool typedSince = false;
  int room = 0;          // 0: the keyword box
  HWND conversation = nullptr;
};

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Host* host = TheHost(window);
  auto* box = reinterpret_cast<BoxState*>(GetPropW(window, L"standin.box"));
  if (host && box) {
    if ((message == WM_SETTEXT || message == WM_CHAR) && host->options.slowMs > 0) Stall(*host, host->options.slowMs);
    if (message == WM_CHAR && wParam == '\r' && box->room > 0 && host->options.stallReturnMs != 0) {
      Record(*host, "held " + std::to_string(box->room), box->received);
      Stall(*host, host->options.stallReturnMs < 0 ? INFINITE : static_cast<DWORD>(host->options.stallReturnMs));
    }
    if (message == WM_SETTEXT) {
      if (box->room > 0 && host->options.hangMs > 0 && !host->hung) {
        host->hung = true;
        Stall(*host, host->options.hangMs);
      }
      box->received = lParam ? reinterpret_cast<const char*>(lParam) : "";
      box->typedSince = false;
    } else if (message == WM_CHAR && wParam == '\r') {
      const std::string line = box->typedSince ? AnsiText(window) : box->received;
      if (box->room > 0) {
        Record(*host, "chat " + std::to_string(box->room), line);
        AddConversationLine(box->conversation, line);
        CallWindowProcA(host->editProc, window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        box->received.clear();
      } else {
        Record(*host, "keyword", line);
      }
      return 0;
    } else if (message == WM_CHAR) {
      box->typedSince = true;
    } else if (message == WM_NCDESTROY) {
      RemovePropW(window, L"standin.box");
      delete box;
    }
  }
  return CallWindowProcA(host ? host->editProc : DefWindowProcA, window, message, wParam, lParam);
}

HWND MakeBox(Host& host, const char* className, HWND parent, RECT r, int room, HWND conversation) {
  HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, className, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  SetPropW(box, L"standin.box", new BoxState{"", false, room, conversation});
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));
  (void)host;
  return box;
}

HWND Child(const char* className, HWND parent, const char* text, RECT r, DWORD style = 0) {
  return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    // Conversation above, input box along the bottom, the rest in a row.
    const int width = LOWORD(lParam), height = HIWORD(lParam);
    HWND conversation = FindWindowExA(window, nullptr, "RICHCNTLREADONLY", nullptr);
    HWND input = FindWindowExA(window, nullptr, "RICHCNTL", nullptr);
    if (conversation) MoveWindow(conversation, 4, 24, width - 8, height - 60, TRUE);
    if (input) MoveWindow(input, 4, height - 32, width - 8, 26, TRUE);
  }
  return DefMDIChildProcA(window, message, wParam, lParam);
}

// A window class of this program's own, with the arrow cursor and the
// given system colour (COLOR_*) behind its windows.
void RegisterOwnClass(const char* name, WNDPROC procedure, int background) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

void RegisterClasses(Host& host) {
  WNDCLASSA edit{};
  GetClassInfoA(nullptr, "EDIT", &edit);
  host.editProc = edit.lpfnWndProc;
  edit.hInstance = GetModuleHandleW(nullptr);
  edit.lpszClassName = "RICHCNTL";
  RegisterClassA(&edit);

  for (const char* name : {"_AOL_Static", "_AOL_Combobox", "_AOL_Icon", "_AOL_Image", "AOL Toolbar", "_AOL_Toolbar"})
    RegisterOwnClass(name, PlainProc, COLOR_BTNFACE);
  RegisterConversationClass("RICHCNTLREADONLY");
  RegisterOwnClass("AOL Child", DocumentProc, COLOR_BTNFACE);
}

void AddDocument(Host& host, const std::wstring& kind, int room) {
  const std::string title = kind == L"plain" ? "Welcome" : "Chat room " + std::to_string(room);
  MDICREATESTRUCTA create{};
  create.szClass = "AOL Child";
  create.szTitle = title.c_str();
  create.hOwner = GetModuleHandleW(nullptr);
  create.x = 10 + 24 * room;
  create.y = 10 + 24 * room;
  create.cx = 520;
  create.cy = 300;
  HWND document = reinterpret_cast<HWND>(SendMessageA(host.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  if (kind == L"plain") return;
  Child("_AOL_Static", document, "", {4, 4, 120, 20});
  HWND conversation = Child("RICHCNTLREADONLY", document, "", {4, 24, 508, 200}, WS_BORDER);
  Child("_AOL_Combobox", document, "", {130, 4, 200, 20});
  Child("_AOL_Icon", document, "", {210, 4, 230, 20});
  MakeBox(host, "RICHCNTL", document, {4, 230, 508, 256}, room, conversation);
  if (kind != L"partial") Child("_AOL_Image", document, "", {240, 4, 260, 20});
  RECT r;
  GetClientRect(document, &r);
  SendMessageA(document, WM_SIZE, 0, MAKELPARAM(r.right, r.bottom));
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Host* host = TheHost(window);
  switch (message) {
    case WM_SIZE:
      if (host && host->client) {
        const int top = host->toolbar ? 34 : 0;
        if (host->toolbar) MoveWindow(host->toolbar, 0, 0, LOWORD(lParam), top, TRUE);
        MoveWindow(host->client, 0, top, LOWORD(lParam), HIWORD(lParam) - top, TRUE);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefFrameProcA(window, host ? host->client : nullptr, message, wParam, lParam);
  }
}

LRESULT CALLBACK DecoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<Host*>(GetPropW(window, L"standin.host"));
  if (host && message == WM_SETTEXT) Record(*host, "decoy", lParam ? reinterpret_cast<const char*>(lParam) : "");
  if (host && message == WM_CHAR) Record(*host, "decoy", std::string(1, static_cast<char>(wParam)));
  return DefWindowProcA(window, message, wParam, lParam);
}

void MakeDecoys(Host& host) {
  for (const char* name : {"RICHCNTL", "Edit"}) {
    // A class of this program's own under the same name as the client's.
    RegisterOwnClass(name, DecoyProc, COLOR_WINDOW);
    HWND window = CreateWindowExA(0, name, "decoy", WS_OVERLAPPEDWINDOW, 0, 0, 100, 60, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetPropW(window, L"standin.host", &host);
  }
}

Options ParseOptions() {
  Options options;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--log" && hasValue) {
      options.log = argv[++i];
    } else if (arg == L"--windows" && hasValue) {
      options.windows.clear();
      std::wstring list = argv[++i];
      for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(L',', start), list.size());
        const std::wstring item = list.substr(start, comma - start);
        if (!item.empty() && item != L"none") options.windows.push_back(item);
        start = comma + 1;
      }
    } else if (arg == L"--no-toolbar") {
      options.toolbar = false;
    } else if (arg == L"--no-frame") {
      options.frame = false;
    } else if (arg == L"--decoy") {
      options.decoy = true;
      options.frame = false;
    } else if (arg == L"--hang" && hasValue) {
      options.hangMs = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (arg == L"--slow" && hasValue) {
      options.slowMs = static_cast<DWORD>(_wtoi(argv[++i]));
    } else if (arg == L"--stall-return" && hasValue) {
      options.stallReturnMs = _wtoi(argv[++i]);
    }
  }
  LocalFree(argv);
  return options;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Host host;
  host.options = ParseOptions();
  if (host.options.decoy) MakeDecoys(host);
  if (host.options.frame) {
    // Registered as a class of its own before the classes that reuse names.
    RegisterOwnClass("AOL Frame25", FrameProc, COLOR_APPWORKSPACE);
    RegisterClasses(host);
    host.frame = CreateWindowExA(0, "AOL Frame25", "Chat client (stand-in)", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 380, 20, 620, 420, nullptr, nullptr, instance, nullptr);
    SetPropW(host.frame, L"standin.host", &host);
    CLIENTCREATESTRUCT mdi{};
    host.client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  0, 34, 600, 340, host.frame, nullptr, instance, &mdi);
    if (host.options.toolbar) {
      host.toolbar = Child("AOL Toolbar", host.frame, "", {0, 0, 600, 34});
      HWND bar = Child("_AOL_Toolbar", host.toolbar, "", {0, 0, 600, 34});
      Child("STATIC", bar, "Keyword:", {6, 9, 66, 25});
      HWND combo = Child("_AOL_Combobox", bar, "", {70, 5, 330, 29});
      MakeBox(host, "EDIT", combo, {0, 0, 260, 24}, 0, nullptr);
    }
    int room = 0;
    for (const std::wstring& kind : host.options.windows) AddDocument(host, kind, ++room);
    ShowWindow(host.frame, SW_SHOWNOACTIVATE);
    RECT r;
    GetClientRect(host.frame, &r);
    SendMessageA(host.frame, WM_SIZE, 0, MAKELPARAM(r.right, r.bottom));
  }
  Record(host, "ready", "");

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!host.client || !TranslateMDISysAccel(host.client, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 0;
}
