// Start-up, shutdown, save and load of the main window against the real
// preferences file "c:\myini.ini" of the test's own Wine prefix.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using testing::Lines;

const std::wstring kFile = testing::PrefsFile();

std::string FileText() { return testing::ReadFileBytes(kFile); }

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A line as the profile functions leave it when they rewrite a file: spaces
// and tabs around section names, keys and values dropped.
std::string Normalised(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  if (!trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']')
    return "[" + Trimmed(trimmed.substr(1, trimmed.size() - 2)) + "]";
  const auto equals = trimmed.find('=');
  if (equals == std::string::npos) return trimmed;
  return Trimmed(trimmed.substr(0, equals)) + "=" + Trimmed(trimmed.substr(equals + 1));
}

class StartUp : public MainWindow {
 protected:
  void Close() {
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    form.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }
  void Reopen() {
    MakeForm();
    ASSERT_TRUE(form->Open());
    ASSERT_TRUE(Drained("the reopened window to settle"));
  }
  void Scroll(int request) {
    SendMessageW(form->hwnd(), WM_HSCROLL, request, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  }
};

TEST_F(StartUp, AFirstRunRecordsItselfAndStartsWithTheDefaultValues) {
  Open();
  EXPECT_EQ(form->cmbFonts.Text(), u"arial");
  EXPECT_GT(form->cmbFonts.Count(), 1);
  EXPECT_EQ(Lines(FileText()), (std::vector<std::string>{"[new]", "ISHE?=no", "[lastfont]", "IS=Arial"}));
  // A line sent now arrives right after the one the start posted.
  SendFrom(form->Text1.hwnd(), L"sentinel");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= 2; }));
  EXPECT_EQ(host.ChatLines(),
            (std::vector<std::u16string>{LoadedLine(), ExpectedLine(kFirstRun, u"sentinel")}));
  EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Centred on the screen.
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(StartUp, SaveWritesTheTenKeysInOrderAndLoadRestoresThem) {
  Open();
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Check4.hwnd(), BM_CLICK, 0, 0);
  form->SetColour(1, 0xFFFFFF);
  form->SetColour(3, 255);
  Scroll(SB_LINELEFT);
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  const auto lines = Lines(FileText());
  const std::vector<std::string> opts = {"[opts]",          "FONT=arial",     "BOLD=1",      "ITALIC=0",
                                         "UNDERLINE=0",     "WAVY=1",         "COLOR1=16777215",
                                         "COLOR2=8388608",  "COLOR3=255",     "COLOR4=16711680", "SBAR=1"};
  ASSERT_GE(lines.size(), opts.size());
  EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(opts.size()), lines.end()), opts);

  // Change everything, then load: all comes back, the bar applied again.
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  form->SetColour(1, 0);
  Scroll(SB_RIGHT);
  SendMessageW(form->Command3.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->Check1.Value(), 1);
  EXPECT_EQ(form->Check4.Value(), 1);
  EXPECT_EQ(form->pic1.BackColor(), 0xFFFFFF);
  EXPECT_EQ(form->sb.Value(), 1);
  EXPECT_FALSE(form->pic4.Enabled());

  // Saving again replaces the values where they stand.
  SendMessageW(form->Check2.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  const auto again = Lines(FileText());
  EXPECT_EQ(again.size(), lines.size());
  EXPECT_EQ(again[again.size() - 8], "ITALIC=1");
}

TEST_F(StartUp, ClosingRecordsTheLastSettingsAndTheNextStartRestoresThem) {
  Open();
  SendMessageW(form->Check3.hwnd(), BM_CLICK, 0, 0);
  form->SetColour(2, 0x00FF00);
  Scroll(SB_PAGELEFT);
  Scroll(SB_PAGELEFT);
  form->cmbFonts.SelectByName(u"times new roman");
  const std::u16string font = form->cmbFonts.Text();
  Close();
  EXPECT_EQ(host.ChatLines().back(), UnloadedLine());
  const std::string text = FileText();
  EXPECT_NE(text.find("[optsl]\r\nBOLD=0\r\nITALIC=0\r\nUNDERLINE=1\r\nWAVY=0\r\nCOLOR1=0\r\nCOLOR2=65280\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("FONT="), std::string::npos);  // the last settings hold no font

  Reopen();
  EXPECT_EQ(form->cmbFonts.Text(), font);
  EXPECT_EQ(form->Check3.Value(), 1);
  EXPECT_EQ(form->pic2.BackColor(), 0x00FF00);
  EXPECT_EQ(form->sb.Value(), 0);
  EXPECT_FALSE(form->pic3.Enabled());
}

TEST_F(StartUp, AHandWrittenLowerCaseKeyIsReadAndReplacedInPlace) {
  ASSERT_TRUE(testing::WriteFileBytes(kFile, "[lastfont]\r\nis=Arial\r\n[opts]\r\nfont=arial\r\nbold=1\r\n"));
  Open(L"", true);
  SendMessageW(form->Command3.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->Check1.Value(), 1);
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Command2.hwnd(), BM_CLICK, 0, 0);
  int boldLines = 0;
  for (const std::string& line : Lines(FileText()))
    if (_strnicmp(line.c_str(), "bold=", 5) == 0) {
      ++boldLines;
      EXPECT_EQ(line.substr(5), "0");
    }
  EXPECT_EQ(boldLines, 1);
}

TEST_F(StartUp, RemovingTheLastFontMakesAFirstRunAgain) {
  ASSERT_TRUE(testing::WriteFileBytes(kFile, "[new]\r\nISHE?=no\r\n[optsl]\r\nBOLD=1\r\n"));
  Open(L"", true);
  EXPECT_EQ(form->Check1.Value(), 0);  // a first run reads no last settings
  EXPECT_NE(FileText().find("[lastfont]\r\nIS=Arial"), std::string::npos);
}

TEST_F(StartUp, AdvertiseHelpAndTheCompactHandOver) {
  Open();
  SendMessageW(form->Command5.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 3; }));
  EXPECT_EQ(host.ChatLines()[1], AdvertLine1());
  EXPECT_EQ(host.ChatLines()[2], AdvertLine2());
  SendMessageW(form->Command4.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return host.Keywords().size() == 1; }));
  EXPECT_NE(host.Keywords()[0].find(u"http://quillon.example/fader/help"), std::u16string::npos);
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  EXPECT_NE(FileText().find("[optsc]\r\nFONT=arial\r\n"), std::string::npos);
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));
}

// A preferences file as a careless hand or a broken program leaves it.
std::string HostileFile(std::mt19937& random) {
  const char* sections[] = {"opts", "optsl", "lastfont", "new", "other", "OPTSL", "", "optsl "};
  const char* keys[] = {"font", "BOLD", "italic", "underline", "WAVY", "color1", "color2", "color3",
                        "color4", "sbar", "is", "ishe?", "junk", ""};
  const std::string values[] = {"", "x", "1x", "-1", "2", "1", "0", "99999999999", "16777215", "-16777216",
                                " 1 ", "\x01\x02\x7f", std::string(10000, 'a'), "arial", "nosuchfont", "+1",
                                "1.5", "\t0"};
  std::string file = random() % 8 == 0 ? "\xEF\xBB\xBF" : "";
  const std::string end = random() % 4 == 0 ? "\n" : "\r\n";
  const int lines = 1 + static_cast<int>(random() % 20);
  for (int i = 0; i < lines; ++i) {
    if (random() % 4 == 0) {
      file += '[';
      file += sections[random() % 8];
      file += ']';
      file += end;
    } else if (random() % 10 == 0) {
      file += "no equals sign here" + end;
    } else {
      file += std::string(keys[random() % 14]) + "=" + values[random() % 18] + end;
    }
  }
  if (random() % 5 == 0 && !file.empty()) file.resize(file.size() - end.size());  // no final line end
  return file;
}

TEST_F(StartUp, HostilePreferencesFilesNeitherStopTheStartNorLoseTheirOtherLines) {
  ASSERT_TRUE(host.Start());
  std::mt19937 random(1207);
  for (int round = 0; round < 150; ++round) {
    const std::string before = HostileFile(random);
    ASSERT_TRUE(testing::WriteFileBytes(kFile, before));
    Reopen();
    SCOPED_TRACE(before.substr(0, 200));
    ASSERT_TRUE(form->hwnd());
    for (int box = 1; box <= 4; ++box) EXPECT_TRUE(form->Check(box) == 0 || form->Check(box) == 1);
    EXPECT_TRUE(form->Bar() >= 0 && form->Bar() <= 2);
    EXPECT_FALSE(form->cmbFonts.Text().empty());
    EXPECT_EQ(form->pic3.Enabled(), form->Bar() >= 1);
    EXPECT_EQ(form->pic4.Enabled(), form->Bar() == 2);
    Close();
    // Every line the program was not asked to write is still there: only
    // the last font and the last settings are written on closing.
    // Lines with no key and empty section headers carry nothing and are
    // dropped by the profile functions themselves.
    std::multiset<std::string> kept;
    for (const std::string& line : Lines(FileText())) kept.insert(Normalised(line));
    for (const std::string& original : Lines(before)) {
      const std::string line = Normalised(original);
      if (line == "[]" || line.rfind("=", 0) == 0) continue;
      const std::string key = line.substr(0, line.find('='));
      static const std::set<std::string> written = {"is", "ishe?", "bold", "italic", "underline", "wavy", "color1",
                                                    "color2", "color3", "color4", "sbar"};
      std::string lower = key;
      for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
      if (written.count(lower) && line.find('=') != std::string::npos) continue;
      EXPECT_EQ(kept.count(line) > 0, true) << "lost: " << line.substr(0, 80);
    }
  }
}

}  // namespace
}  // namespace quillon
