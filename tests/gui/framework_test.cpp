// The framework's error box, on a program of the framework whose handlers
// throw: the box names the failure, shows the stop sign, and the program goes
// on running.
#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "tests/gui/framework_probe.h"
#include "tests/gui/program.h"
#include "tests/gui/windows_of.h"

namespace larkfold::gui {
namespace {

TEST(Framework, ReportsAnExceptionOutOfAHandlerInItsErrorBox) {
  Program program(WindowsPathOf(LARKFOLD_FRAMEWORK_PROBE_PATH));
  ASSERT_TRUE(program.Started());
  HWND dialog = program.MainDialog();
  ASSERT_NE(dialog, nullptr) << "the probe's dialog did not appear";

  struct Case {
    const char* why;
    int button;
    std::wstring text;
  };
  const Case cases[] = {
      {"a file exception names the file, the operation and the system's reason",
       kThrowFileException, WideFromUtf8(DescribeFileException(ProbeFileException()))},
      {"running out of memory", kThrowBadAlloc, L"メモリが不足しています"},
      {"any other exception", kThrowOther, L"予期しないエラーが発生しました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    Click(dialog, c.button);
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error box appeared";
    const MessageBoxView view = ReadMessageBox(box);
    ASSERT_TRUE(Acknowledge(box));
    EXPECT_EQ(view.text, c.text);
    EXPECT_EQ(view.caption, L"larkfold_framework_probe");
    EXPECT_EQ(view.icon, BoxIcon::stop);
    EXPECT_TRUE(program.IsRunning()) << "the exception ended the program";
  }
}

}  // namespace
}  // namespace larkfold::gui
