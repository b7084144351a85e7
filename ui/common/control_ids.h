// Control ids and window class names of both windows: what other programs
// (the test drivers) find the controls by.
#pragma once

namespace quillon {

// Command1 is the default button.
enum ControlId : int {
  kIdCommand1 = 100, kIdCommand2, kIdCommand3, kIdCommand4, kIdCommand5, kIdCommand6,
  kIdText1, kIdText2, kIdText3, kIdAsc, kIdAsu, kIdAdd1, kIdAdd2,
  kIdPic1, kIdPic2, kIdPic3, kIdPic4, kIdSb, kIdCheck1, kIdCheck2, kIdCheck3, kIdCheck4,
  kIdFonts, kIdPre, kIdLabel1, kIdLabel2,
};

inline constexpr wchar_t kMainWindowClass[] = L"QuillonFaderMain";
inline constexpr wchar_t kCompactWindowClass[] = L"QuillonFaderCompact";

}  // namespace quillon
