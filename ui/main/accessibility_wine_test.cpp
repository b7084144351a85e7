// What a screen reader learns of the swatches, the preview strip and the
// bar: read from another process, as assistive technology reads it, through
// the window texts and through the accessibility API (oleacc).
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// The program itself, started as a process of its own, its windows found
// from this one.
class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::DeletePrefsFile();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(program.Start(testing::ExeFolder() + L"..\\app\\quillon.exe", L""));
    main = testing::WaitForShownWindow(kMainWindowClass, 15000);
    ASSERT_TRUE(main);
  }
  void TearDown() override {
    for (HWND window : {main, compact})
      if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    testing::WaitUntil([&] { return !IsWindow(main); }, 5000);
    CoUninitialize();
  }

  // The bar moved to a value as the user moves it, and the program done with it.
  static void MoveBar(HWND window, int request) {
    SendMessageW(window, WM_HSCROLL, request, reinterpret_cast<LPARAM>(GetDlgItem(window, kIdSb)));
  }

  testing::Process program;
  HWND main = nullptr, compact = nullptr;
};

// What the accessibility API reports of a control.
struct Reported {
  std::wstring name, value;
  long state = 0;
  bool found = false;
};

Reported Report(HWND control) {
  Reported r;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      !object)
    return r;
  r.found = true;
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (object->get_accName(self, &text) == S_OK && text) r.name = text;
  SysFreeString(text);
  text = nullptr;
  if (object->get_accValue(self, &text) == S_OK && text) r.value = text;
  SysFreeString(text);
  VARIANT state;
  VariantInit(&state);
  if (object->get_accState(self, &state) == S_OK && state.vt == VT_I4) r.state = state.lVal;
  object->Release();
  return r;
}

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

struct Named {
  int id;
  const wchar_t* name;
};
const Named kMainNames[] = {{kIdPic1, L"colour 1"}, {kIdPic2, L"colour 2"}, {kIdPic3, L"colour 3"},
                            {kIdPic4, L"colour 4"}, {kIdPre, L"preview"},   {kIdSb, L"colours"}};

TEST_F(Program, TheSwatchesThePreviewAndTheBarAreNamedInBothWindows) {
  for (const Named& n : kMainNames) {
    SCOPED_TRACE(n.name);
    HWND control = GetDlgItem(main, n.id);
    EXPECT_EQ(testing::WindowText(control), n.name);
    const Reported r = Report(control);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.name, n.name);
  }
  SendMessageW(GetDlgItem(main, kIdCommand6), BM_CLICK, 0, 0);
  compact = testing::WaitForShownWindow(kCompactWindowClass, 15000);
  ASSERT_TRUE(compact);
  for (const Named& n : kMainNames) {
    if (n.id == kIdPre) continue;  // the compact window has no preview
    SCOPED_TRACE(n.name);
    EXPECT_EQ(Report(GetDlgItem(compact, n.id)).name, n.name);
  }
}

TEST_F(Program, SwatchesNotInUseAreReportedUnavailable) {
  HWND pic3 = GetDlgItem(main, kIdPic3), pic4 = GetDlgItem(main, kIdPic4);
  EXPECT_FALSE(Report(pic4).state & STATE_SYSTEM_UNAVAILABLE);
  MoveBar(main, SB_LINELEFT);
  EXPECT_FALSE(Report(pic3).state & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(Report(pic4).state & STATE_SYSTEM_UNAVAILABLE);
  MoveBar(main, SB_LINELEFT);
  EXPECT_TRUE(Report(pic3).state & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(Report(pic3).name, L"colour 3");
}

TEST_F(Program, TheValuesAreTheColoursAndTheNumberOfColours) {
  // Windows' oleacc reads them from the annotations the program makes; Wine's
  // implements no annotations, so only Windows can show this.
  if (RunningUnderWine()) GTEST_SKIP() << "Wine's oleacc has no annotations (IAccPropServices)";
  HWND bar = GetDlgItem(main, kIdSb);
  EXPECT_EQ(Report(GetDlgItem(main, kIdPic1)).value, L"000000");
  EXPECT_EQ(Report(GetDlgItem(main, kIdPic2)).value, L"000080");
  EXPECT_EQ(Report(GetDlgItem(main, kIdPic3)).value, L"0000C0");
  EXPECT_EQ(Report(GetDlgItem(main, kIdPic4)).value, L"0000FF");
  EXPECT_EQ(Report(bar).name, L"colours");
  EXPECT_EQ(Report(bar).value, L"four");
  MoveBar(main, SB_LEFT);
  EXPECT_EQ(Report(bar).value, L"two");
  EXPECT_EQ(Report(GetDlgItem(main, kIdPic3)).value, L"0000C0, not in use");
}

// The names are texts nobody sees: the controls draw none.
class Names : public MainWindow {
 protected:
  // The control's pixels as the screen shows them.
  static std::vector<COLORREF> Seen(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    return ClientPixels(control).colours;
  }
};

TEST_F(Names, DrawNothingThatIsSeen) {
  Open();
  SetFocus(form->Text1.hwnd());
  for (Control* control : std::initializer_list<Control*>{&form->pic2, &form->pre, &form->sb}) {
    const std::u16string name = control->Text();
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    ASSERT_FALSE(name.empty());
    const std::vector<COLORREF> named = Seen(control->hwnd());
    control->SetText(u"");
    const std::vector<COLORREF> unnamed = Seen(control->hwnd());
    control->SetText(name);
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(named, unnamed);
  }
  // A swatch shows its colour and nothing else.
  for (COLORREF pixel : Seen(form->pic2.hwnd())) ASSERT_EQ(pixel, RGB(0, 0, 128));
}

}  // namespace
}  // namespace quillon
