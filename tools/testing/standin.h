// The stand-in chat client as a test peer: started as a process of its own
// with a log, read back record by record.
#pragma once

#include <string>
#include <vector>

#include "tools/testing/processes.h"

namespace quillon::testing {

struct Received {
  std::string kind;   // "chat", "keyword" or "decoy"
  int room = 0;       // the chat room, for "chat"
  std::string bytes;  // exactly what arrived, in the ANSI code page
};

class StandIn {
 public:
  // Starts the stand-in with a fresh log and the given options, and waits
  // until its windows exist.
  bool Start(const std::wstring& options = L"");
  void Stop() { process_.Kill(); }

  std::vector<Received> Records() const;

  // The stalls the client has begun and ended so far (--slow, --hang,
  // --stall-return): while one runs, whoever sent to it is kept waiting
  // inside its send.
  struct Holds {
    int begun = 0;
    int ended = 0;
    bool holding() const { return begun > ended; }
  };
  Holds HoldsSoFar() const;
  // Waits until the client has begun a stall after the first `begun` (as
  // HoldsSoFar gave them before the send); false on time-out. Polls the
  // log: a test whose windows are busy in the send waits on a thread of
  // its own.
  bool WaitForHold(int begun, DWORD milliseconds = 10000) const;
  // The lines chat rooms received, decoded from the ANSI code page.
  std::vector<std::u16string> ChatLines() const;
  std::vector<std::u16string> Keywords() const;

  // The input box of the document window titled "Chat room ROOM"; nullptr
  // when there is none.
  HWND InputBox(int room) const;
  // Types text and a carriage return into that box as posted characters,
  // which reach the client after everything sent to it before: a sentinel
  // line that ends a check for "nothing else arrived". False without a box.
  bool TypeLine(int room, const std::string& text) const;

 private:
  Process process_;
  std::wstring log_;
};

// The path of a program built in the tools folder of this build tree.
std::wstring ToolPath(const wchar_t* exe);
// The stand-in client's program: this tree's, or the one that the
// environment variable QUILLON_STANDIN_EXE names (a client of the other
// bitness, for the tests across bitness).
std::wstring StandInPath();

}  // namespace quillon::testing
