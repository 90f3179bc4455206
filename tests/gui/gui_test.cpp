// The real larkfold.exe under Wine, driven from outside as a user drives it:
// texts typed into its fields, buttons clicked, keys pressed and windows
// closed with real window messages, and every message box read back from the
// box itself (caption, text and the icon it shows).
#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "convert/control_ids.h"
#include "convert/messages.h"
#include "platform/win32/wide_text.h"
#include "tests/gui/program.h"
#include "tests/gui/recordings.h"
#include "tests/gui/windows_of.h"

namespace larkfold::gui {
namespace {

std::wstring Wide(std::string_view text) {
  return WideFromUtf8(text);
}

// A recording that converts at once.
std::string ShortRecording() {
  return WanderingRecording(30);
}

class DialogProgram : public ::testing::Test {
 protected:
  void Start(const std::wstring& executable = ProgramPath(),
             const std::vector<std::pair<std::wstring, std::wstring>>& environment = {}) {
    program_ = std::make_unique<Program>(executable, environment);
    ASSERT_TRUE(program_->Started()) << "cannot start " << Narrow(executable);
    dialog_ = program_->MainDialog();
    ASSERT_NE(dialog_, nullptr) << "the main dialog of " << Narrow(executable)
                                << " did not appear within " << kPatience / 1000 << " s";
  }

  // Presses convert and reads the one message box that follows, then closes it.
  MessageBoxView ConvertAndReadBox() {
    Click(dialog_, IDC_CONVERT);
    return ReadNextBox();
  }

  MessageBoxView ReadNextBox() {
    HWND box = program_->WaitForMessageBox();
    if (box == nullptr) {
      ADD_FAILURE() << "no message box appeared";
      return MessageBoxView{};
    }
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_TRUE(Acknowledge(box)) << "the message box did not close on OK";
    return view;
  }

  // Waits a while and tells whether a message box came up meanwhile.
  bool AnyMessageBoxWithin(DWORD milliseconds) {
    return program_->WaitForMessageBox(milliseconds) != nullptr;
  }

  void SetFields(const std::wstring& speed, const std::wstring& volume, const std::wstring& path) {
    SetItemText(dialog_, IDC_SPEED, speed);
    SetItemText(dialog_, IDC_VOLUME, volume);
    SetItemText(dialog_, IDC_DAT_PATH, path);
  }

  ScratchFolder scratch_;
  std::unique_ptr<Program> program_;
  HWND dialog_ = nullptr;
};

TEST_F(DialogProgram, StartsWithTheDefaultsAndTheFocusInThePath) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(TextOf(dialog_), L"larkfold");
  EXPECT_EQ(ItemText(dialog_, IDC_VOLUME), L"100");
  EXPECT_EQ(ItemText(dialog_, IDC_SPEED), L"1.0");
  EXPECT_EQ(ItemText(dialog_, IDC_DAT_PATH), L"");
  EXPECT_TRUE(IsItemChecked(dialog_, IDC_SOURCE_PCM));
  EXPECT_FALSE(IsItemChecked(dialog_, IDC_SOURCE_FM));
  for (int id = IDC_CHANNELS_3; id <= IDC_CHANNELS_8; ++id) {
    EXPECT_EQ(IsItemChecked(dialog_, id), id == IDC_CHANNELS_5) << "channel button " << id;
  }
  EXPECT_EQ(FocusOf(dialog_), ::GetDlgItem(dialog_, IDC_DAT_PATH));

  // A fixed-size window with a close box, a taskbar button and no minimise or
  // maximise box, centred on the screen.
  const LONG style = ::GetWindowLongW(dialog_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(::GetWindowLongW(dialog_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  RECT window;
  RECT area;
  ::GetWindowRect(dialog_, &window);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST_F(DialogProgram, RadioGroupsChangeIndependently) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(dialog_, IDC_SOURCE_FM);
  ASSERT_TRUE(WaitUntil([&] { return IsItemChecked(dialog_, IDC_SOURCE_FM); }));
  EXPECT_FALSE(IsItemChecked(dialog_, IDC_SOURCE_PCM));
  EXPECT_TRUE(IsItemChecked(dialog_, IDC_CHANNELS_5));

  Click(dialog_, IDC_CHANNELS_8);
  ASSERT_TRUE(WaitUntil([&] { return IsItemChecked(dialog_, IDC_CHANNELS_8); }));
  EXPECT_FALSE(IsItemChecked(dialog_, IDC_CHANNELS_5));
  EXPECT_TRUE(IsItemChecked(dialog_, IDC_SOURCE_FM));
}

// The fourth warning, for a machine without a high-resolution counter, cannot
// be brought about under Wine; the core's unit tests show it with a fake clock.
TEST_F(DialogProgram, WarnsAboutTheFirstWrongFieldOnly) {
  struct Case {
    const char* why;
    std::wstring speed, volume, path;
    std::string_view warning;
  };
  const Case cases[] = {
      {"speed below 0.9", L"0.89", L"100", L"song.dat", messages::kSpeedOutOfRange},
      {"speed and volume wrong: only the speed", L"2", L"500", L"", messages::kSpeedOutOfRange},
      {"volume above 200", L"1.0", L"201", L"song.dat", messages::kVolumeOutOfRange},
      {"volume and path wrong: only the volume", L"1.1", L"19", L"song.da",
       messages::kVolumeOutOfRange},
      {"path ending in .da", L"0.9", L"20", L"song.da", messages::kNotDatFile},
      {"empty path", L"1.0", L"200", L"", messages::kNotDatFile},
  };
  ASSERT_NO_FATAL_FAILURE(Start());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    SetFields(c.speed, c.volume, c.path);
    const MessageBoxView box = ConvertAndReadBox();
    EXPECT_EQ(box.text, Wide(c.warning));
    EXPECT_EQ(box.caption, L"larkfold");
    EXPECT_EQ(box.icon, BoxIcon::exclamation);
    EXPECT_FALSE(AnyMessageBoxWithin(500)) << "a second message followed the warning";
    // The fields keep what was typed.
    EXPECT_EQ(ItemText(dialog_, IDC_SPEED), c.speed);
    EXPECT_EQ(ItemText(dialog_, IDC_DAT_PATH), c.path);
  }
}

TEST_F(DialogProgram, ReportsFilesThatCannotBeRead) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::wstring held = scratch_.File(L"held.dat");
  ASSERT_TRUE(WriteFileBytes(held, ShortRecording()));

  struct Case {
    const char* why;
    std::wstring path;
    std::string_view message;
  };
  const Case cases[] = {
      {"a missing file", scratch_.File(L"missing.dat"), messages::kFileNotFound},
      {"a missing folder on the way", scratch_.File(L"nowhere\\song.dat"), messages::kCannotOpen},
      {"a file another program holds open", held, messages::kCannotOpen},
  };
  // Another program reading the file, and letting others read it too: the
  // converter shares its file with nobody, so it cannot open it.
  HANDLE holder = ::CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    SetItemText(dialog_, IDC_DAT_PATH, c.path);
    Click(dialog_, IDC_CONVERT);
    HWND box = program_->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(program_->ProgressWindowNow(), nullptr) << "a progress window opened";
    const MessageBoxView view = ReadMessageBox(box);
    ASSERT_TRUE(Acknowledge(box));
    EXPECT_EQ(view.text, Wide(c.message));
    EXPECT_EQ(view.caption, L"larkfold");
    EXPECT_EQ(view.icon, BoxIcon::none);
  }
  ::CloseHandle(holder);

  // Once the other program lets go, the same file converts.
  SetItemText(dialog_, IDC_DAT_PATH, held);
  EXPECT_EQ(ConvertAndReadBox().text, Wide(messages::kFinished));
  EXPECT_TRUE(Exists(scratch_.File(L"held.voi")));
}

// The suite puts each conversion the native tool made into the data folder as
// SOURCE-CHANNELS-VOLUME-SPEED.dat with its result beside it as .expected.voi.
TEST_F(DialogProgram, WritesTheSameFileAsTheNativeTool) {
  const std::wstring data = EnvironmentValue(L"LARKFOLD_GUI_DATA");
  ASSERT_FALSE(data.empty()) << "LARKFOLD_GUI_DATA names no folder; tests/suites/50-gui.sh "
                                "prepares it with the native tool's conversions";
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = ::FindFirstFileW((data + L"\\*.expected.voi").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring file = entry.cFileName;
      names.push_back(file.substr(0, file.size() - std::wstring(L".expected.voi").size()));
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
  }
  ASSERT_FALSE(names.empty()) << "no *.expected.voi in " << Narrow(data);

  ASSERT_NO_FATAL_FAILURE(Start());
  for (const std::wstring& name : names) {
    SCOPED_TRACE(Narrow(name));
    std::wstring source, channels, volume, speed;
    {
      std::wsmatch parts;
      const std::wregex pattern(L"(fm|pcm)-([3-8])-([0-9]+)-([0-9.]+)");
      ASSERT_TRUE(std::regex_match(name, parts, pattern)) << "unexpected case name";
      source = parts[1], channels = parts[2], volume = parts[3], speed = parts[4];
    }
    std::string recording;
    ASSERT_TRUE(ReadFileBytes(data + L"\\" + name + L".dat", recording));
    const std::wstring dat = scratch_.File(name + L".dat");
    ASSERT_TRUE(WriteFileBytes(dat, recording));

    Click(dialog_, source == L"fm" ? IDC_SOURCE_FM : IDC_SOURCE_PCM);
    Click(dialog_, IDC_CHANNELS_3 + std::stoi(channels) - 3);
    ASSERT_TRUE(WaitUntil([&] {
      return IsItemChecked(dialog_, IDC_CHANNELS_3 + std::stoi(channels) - 3) &&
             IsItemChecked(dialog_, source == L"fm" ? IDC_SOURCE_FM : IDC_SOURCE_PCM);
    }));
    SetFields(speed, volume, dat);
    const MessageBoxView box = ConvertAndReadBox();
    EXPECT_EQ(box.text, Wide(messages::kFinished));
    EXPECT_EQ(box.caption, L"larkfold");
    EXPECT_EQ(box.icon, BoxIcon::none);

    std::string made, expected;
    ASSERT_TRUE(ReadFileBytes(scratch_.File(name + L".voi"), made)) << "no VOI was written";
    ASSERT_TRUE(ReadFileBytes(data + L"\\" + name + L".expected.voi", expected));
    EXPECT_TRUE(made == expected) << "the VOI differs from the native tool's (" << made.size()
                                  << " bytes against " << expected.size() << ")";
  }
}

TEST_F(DialogProgram, ARenamedCopyCaptionsItsBoxesWithItsNewName) {
  const std::wstring copy = scratch_.File(L"別名の変換器.exe");
  ASSERT_TRUE(::CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE));
  ASSERT_NO_FATAL_FAILURE(Start(copy));
  EXPECT_EQ(TextOf(dialog_), L"larkfold") << "the dialog's own caption stays";

  SetItemText(dialog_, IDC_DAT_PATH, L"");
  const MessageBoxView warning = ConvertAndReadBox();
  EXPECT_EQ(warning.text, Wide(messages::kNotDatFile));
  EXPECT_EQ(warning.caption, L"別名の変換器");

  SetItemText(dialog_, IDC_DAT_PATH, scratch_.File(L"missing.dat"));
  const MessageBoxView failure = ConvertAndReadBox();
  EXPECT_EQ(failure.text, Wide(messages::kFileNotFound));
  EXPECT_EQ(failure.caption, L"別名の変換器");
}

TEST_F(DialogProgram, EnterAndEscapeNeitherConvertNorClose) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // With an empty path a conversion would show its warning at once.
  HWND path = ::GetDlgItem(dialog_, IDC_DAT_PATH);
  ASSERT_EQ(FocusOf(dialog_), path);
  for (HWND target : {path, ::GetDlgItem(dialog_, IDC_CONVERT), ::GetDlgItem(dialog_, IDC_EXIT)}) {
    PressKey(target, VK_RETURN);
    PressKey(target, VK_ESCAPE);
  }
  EXPECT_FALSE(AnyMessageBoxWithin(1500)) << "a key started a conversion";
  EXPECT_TRUE(program_->IsRunning());
  EXPECT_TRUE(::IsWindowVisible(dialog_)) << "a key closed the dialog";
}

// The system's Open dialog, owned by the main dialog: the one window of the
// program with a file name field.
HWND OpenDialogOf(Program& program) {
  constexpr int kFileNameField = 0x47C;  // cmb13, the file name of an Open dialog
  return WaitForWindow([&]() -> HWND {
    for (HWND dialog : DialogsOf(program.Id())) {
      if (::GetDlgItem(dialog, kFileNameField) != nullptr) {
        return dialog;
      }
    }
    return nullptr;
  });
}

// The edit control somewhere inside `window` (the file name field is an edit
// in a combo box in an extended combo box).
HWND EditInside(HWND window) {
  if (ClassOf(window) == L"Edit") {
    return window;
  }
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (HWND edit = EditInside(child)) {
      return edit;
    }
  }
  return nullptr;
}

// Presses a button of the Open dialog by its command, as its button would.
void Command(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

TEST_F(DialogProgram, BrowseReplacesThePathWithTheChosenFilesFullPath) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(WriteFileBytes(scratch_.File(L"picked.dat"), ShortRecording()));
  SetItemText(dialog_, IDC_DAT_PATH, L"typed before.dat");

  Click(dialog_, IDC_BROWSE);
  HWND open = OpenDialogOf(*program_);
  ASSERT_NE(open, nullptr) << "no Open dialog appeared";
  EXPECT_EQ(::GetWindow(open, GW_OWNER), dialog_) << "the main dialog does not own it";
  EXPECT_FALSE(::IsWindowEnabled(dialog_)) << "the main dialog stays usable";
  EXPECT_EQ(ItemText(open, 0x470), L"DAT File  （ *.dat ）") << "the file type filter";
  HWND readOnly = ::GetDlgItem(open, 0x410);
  EXPECT_TRUE(readOnly == nullptr || !::IsWindowVisible(readOnly)) << "the read-only box shows";

  // A name typed without its extension gets ".dat".
  HWND name = EditInside(::GetDlgItem(open, 0x47C));
  ASSERT_NE(name, nullptr);
  ::SendMessageTimeoutW(name, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(scratch_.File(L"picked").c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
  Command(open, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(open) || !::IsWindowVisible(open); }));
  EXPECT_TRUE(WaitUntil([&] {
    return ItemText(dialog_, IDC_DAT_PATH) == scratch_.File(L"picked.dat");
  })) << "the path reads \""
      << Narrow(ItemText(dialog_, IDC_DAT_PATH)) << "\"";

  // Cancelling the Open dialog leaves the path as it was.
  SetItemText(dialog_, IDC_DAT_PATH, L"kept.dat");
  Click(dialog_, IDC_BROWSE);
  open = OpenDialogOf(*program_);
  ASSERT_NE(open, nullptr) << "no Open dialog appeared";
  Command(open, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(open) || !::IsWindowVisible(open); }));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dialog_) != FALSE; }));
  EXPECT_EQ(ItemText(dialog_, IDC_DAT_PATH), L"kept.dat");
}

TEST_F(DialogProgram, ExitButtonEndsTheProgramWhenIdle) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(dialog_, IDC_EXIT);
  DWORD code = 1;
  ASSERT_TRUE(program_->WaitForExit(10000, &code)) << "the program is still running";
  EXPECT_EQ(code, 0u);
}

TEST_F(DialogProgram, CloseBoxEndsTheProgramWhenIdle) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program_->WaitForExit(10000)) << "the program is still running";
}

// A conversion that searches long enough to be watched: the reference search
// on eight channels of 35999 frames takes about 40 s.
class LongConversion : public DialogProgram {
 protected:
  void SetUp() override {
    dat_ = scratch_.File(L"long.dat");
    voi_ = scratch_.File(L"long.voi");
    ASSERT_TRUE(WriteFileBytes(dat_, WanderingRecording(35999)));
    ASSERT_TRUE(WriteFileBytes(voi_, kOlderVoi));
    ASSERT_NO_FATAL_FAILURE(Start(ProgramPath(), {{L"LARKFOLD_SEARCH", L"exhaustive"}}));
    SetItemText(dialog_, IDC_DAT_PATH, dat_);
    Click(dialog_, IDC_CHANNELS_8);
    ASSERT_TRUE(WaitUntil([&] { return IsItemChecked(dialog_, IDC_CHANNELS_8); }));
    Click(dialog_, IDC_CONVERT);
    progress_ = program_->WaitForProgressWindow();
    ASSERT_NE(progress_, nullptr) << "no progress window appeared";
  }

  // The cancelled conversion's message; afterwards the older VOI is untouched
  // and no temporary file is left.
  void ExpectCancelled() {
    // It disappears at once. (Wine without a window manager then takes two
    // seconds more to destroy a hidden window.)
    EXPECT_TRUE(
        WaitUntil([&] { return !::IsWindow(progress_) || !::IsWindowVisible(progress_); }, 1000))
        << "the progress window stayed";
    const MessageBoxView box = ReadNextBox();
    EXPECT_EQ(box.text, Wide(messages::kCancelled));
    EXPECT_EQ(box.caption, L"larkfold");
    EXPECT_EQ(box.icon, BoxIcon::none);
    std::string voi;
    ASSERT_TRUE(ReadFileBytes(voi_, voi));
    EXPECT_EQ(voi, kOlderVoi) << "the cancelled conversion wrote the VOI";
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileW(scratch_.File(L"*.tmp").c_str(), &entry);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left";
    if (search != INVALID_HANDLE_VALUE) {
      ::FindClose(search);
    }
  }

  static constexpr char kOlderVoi[] = "an older VOI file, to be kept";
  std::wstring dat_;
  std::wstring voi_;
  HWND progress_ = nullptr;
};

TEST_F(LongConversion, ProgressWindowShowsTheRemainingTimeAndIgnoresKeysAndASecondPress) {
  std::wstring text;
  EXPECT_TRUE(WaitUntil([&] {
    text = ItemText(progress_, -1);
    return std::regex_match(text, std::wregex(L"残り時間約[0-9]+秒"));
  })) << "the progress window shows \""
      << Narrow(text) << "\"";
  EXPECT_EQ(TextOf(progress_), L"Dialog");

  // It opens at the top-left corner of the main dialog's client area.
  POINT progressOrigin = {0, 0};
  POINT dialogOrigin = {0, 0};
  ::ClientToScreen(progress_, &progressOrigin);
  ::ClientToScreen(dialog_, &dialogOrigin);
  EXPECT_EQ(progressOrigin.x, dialogOrigin.x);
  EXPECT_EQ(progressOrigin.y, dialogOrigin.y);

  HWND cancel = ::GetDlgItem(progress_, kProgressCancel);
  PressKey(cancel, VK_RETURN);
  PressKey(cancel, VK_ESCAPE);
  Click(dialog_, IDC_CONVERT);
  EXPECT_FALSE(AnyMessageBoxWithin(1500)) << "a key or the second press ended the conversion";
  EXPECT_TRUE(::IsWindow(progress_)) << "the progress window went away";

  Click(progress_, kProgressCancel);
  ExpectCancelled();
  EXPECT_TRUE(::IsWindowVisible(dialog_)) << "the dialog closed";
  EXPECT_TRUE(program_->IsRunning());
}

TEST_F(LongConversion, ProgressWindowCloseBoxCancelsLikeItsButton) {
  ::PostMessageW(progress_, WM_CLOSE, 0, 0);
  ExpectCancelled();
  EXPECT_TRUE(::IsWindowVisible(dialog_));
}

TEST_F(LongConversion, ExitButtonCancelsAndKeepsTheDialogOpen) {
  Click(dialog_, IDC_EXIT);
  ExpectCancelled();
  EXPECT_TRUE(::IsWindowVisible(dialog_)) << "the dialog closed";
  ASSERT_TRUE(program_->IsRunning());

  // No conversion runs any more: the exit button now ends the program.
  Click(dialog_, IDC_EXIT);
  EXPECT_TRUE(program_->WaitForExit(10000)) << "the program is still running";
}

TEST_F(LongConversion, CloseBoxCancelsAndThenEndsTheProgram) {
  ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog_) || !::IsWindowVisible(dialog_); }, 5000))
      << "the dialog stayed on the screen";
  ExpectCancelled();
  DWORD code = 1;
  ASSERT_TRUE(program_->WaitForExit(10000, &code)) << "the program is still running";
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace larkfold::gui
