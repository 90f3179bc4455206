// Poses the program for the pictures in the README: the main dialog as it
// starts, then a conversion's progress window showing its text. The pictures
// themselves are taken by take_screenshots.sh outside Wine; the two sides
// meet through files in the folder LARKFOLD_SCREENSHOTS names: "NAME.ready"
// (holding the rectangle to take) from here, "NAME.done" back.
#include <gtest/gtest.h>

#include <regex>

#include "convert/control_ids.h"
#include "convert/messages.h"
#include "platform/win32/wide_text.h"
#include "tests/gui/program.h"
#include "tests/gui/recordings.h"
#include "tests/gui/windows_of.h"

namespace larkfold::gui {
namespace {

RECT Union(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

// Hands the rectangle over and waits until the picture has been taken.
bool Pose(const std::wstring& folder, const std::wstring& name, const RECT& rect) {
  const std::string text = std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                           std::to_string(rect.right - rect.left) + " " +
                           std::to_string(rect.bottom - rect.top) + "\n";
  if (!WriteFileBytes(folder + L"\\" + name + L".ready", text)) {
    return false;
  }
  return WaitUntil([&] { return Exists(folder + L"\\" + name + L".done"); }, 60000);
}

TEST(Screenshots, MainDialogAndProgressWindow) {
  const std::wstring folder = EnvironmentValue(L"LARKFOLD_SCREENSHOTS");
  if (folder.empty()) {
    GTEST_SKIP() << "LARKFOLD_SCREENSHOTS names no folder (tests/gui/take_screenshots.sh does)";
  }
  // A tidy path for the picture, in the prefix's own drive C:.
  ::CreateDirectoryW(L"C:\\songs", nullptr);
  const std::wstring dat = L"C:\\songs\\crossing_partials.dat";
  ASSERT_TRUE(WriteFileBytes(dat, WanderingRecording(35999)));

  Program program(ProgramPath(), {{L"LARKFOLD_SEARCH", L"exhaustive"}});
  HWND dialog = program.MainDialog();
  ASSERT_NE(dialog, nullptr) << "the main dialog did not appear";
  ::Sleep(1000);  // let it paint
  RECT main;
  ::GetWindowRect(dialog, &main);
  ASSERT_TRUE(Pose(folder, L"main-dialog", main)) << "the main dialog's picture was not taken";

  SetItemText(dialog, IDC_DAT_PATH, dat);
  Click(dialog, IDC_CHANNELS_8);
  ASSERT_TRUE(WaitUntil([&] { return IsItemChecked(dialog, IDC_CHANNELS_8); }));
  Click(dialog, IDC_CONVERT);
  HWND progress = program.WaitForProgressWindow();
  ASSERT_NE(progress, nullptr) << "no progress window appeared";
  ASSERT_TRUE(WaitUntil([&] {
    return std::regex_match(ItemText(progress, -1), std::wregex(L"残り時間約[0-9]+秒"));
  }));

  // The window opens over the dialog's top-left corner. Under Wine without a
  // window manager a window over another of its program's windows stays black
  // on the screen, so for the picture it stands below the dialog instead.
  RECT shown;
  ::SetWindowPos(progress, nullptr, main.left, main.bottom + 12, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::Sleep(1000);  // a few updates of the text, and the painting
  ::GetWindowRect(progress, &shown);
  ASSERT_TRUE(Pose(folder, L"progress-window", Union(main, shown)))
      << "the progress window's picture was not taken";

  Click(progress, kProgressCancel);
  HWND box = program.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ItemText(box, 0xFFFF), WideFromUtf8(messages::kCancelled));
  Acknowledge(box);
  Click(dialog, IDC_EXIT);
  EXPECT_TRUE(program.WaitForExit(10000));
  ::DeleteFileW(dat.c_str());
}

}  // namespace
}  // namespace larkfold::gui
