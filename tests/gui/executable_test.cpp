// What the build puts into the Windows executables, read from the files
// themselves: the dialog templates control by control, the icon group, the
// version resource, the subsystem and the DLLs they need.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "convert/control_ids.h"
#include "tests/gui/program.h"
#include "tests/gui/windows_of.h"

namespace larkfold::gui {
namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::wstring CliPath() {
  return WindowsPathOf(LARKFOLD_CLI_PATH);
}

// The program's resources, loaded as data.
class Resources {
 public:
  explicit Resources(const std::wstring& path)
      : module_(::LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~Resources() {
    if (module_ != nullptr) {
      ::FreeLibrary(module_);
    }
  }
  bool Loaded() const { return module_ != nullptr; }

  // The bytes of a resource in Japanese; empty when there is none.
  std::string Find(LPCWSTR type, int id) const {
    HRSRC found = ::FindResourceExW(module_, type, MAKEINTRESOURCEW(id), kJapanese);
    if (found == nullptr) {
      return std::string();
    }
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
    return std::string(bytes, ::SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

// Reads a dialog template in the extended format.
class TemplateReader {
 public:
  explicit TemplateReader(const std::string& bytes) : bytes_(bytes) {}

  WORD Word() { return static_cast<WORD>(Byte() | Byte() << 8); }
  DWORD Dword() { return Word() | static_cast<DWORD>(Word()) << 16; }
  short Short() { return static_cast<short>(Word()); }
  unsigned Byte() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0; }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); c != 0; c = Word()) {
      text += static_cast<wchar_t>(c);
    }
    return text;
  }
  // A name or a number: the number is written as "#N".
  std::wstring NameOrNumber() {
    const WORD first = Word();
    if (first == 0) {
      return std::wstring();
    }
    if (first == 0xFFFF) {
      return L"#" + std::to_wstring(Word());
    }
    std::wstring text(1, static_cast<wchar_t>(first));
    return text + String();
  }
  void AlignToDword() { at_ = (at_ + 3) & ~std::size_t{3}; }
  void Skip(std::size_t count) { at_ += count; }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

struct Control {
  std::wstring className;  // the system class, by name
  DWORD id;
  std::wstring text;
  short x, y, cx, cy;
  DWORD style;
  DWORD exStyle = 0;
};

struct DialogTemplate {
  DWORD style, exStyle;
  short x, y, cx, cy;
  std::wstring menu, className, caption;
  WORD pointSize, weight;
  unsigned italic, charset;
  std::wstring font;
  std::vector<Control> controls;
};

std::wstring ClassName(std::wstring name) {
  // The predefined classes, by atom or by name in any letter case.
  static const std::pair<const wchar_t*, const wchar_t*> kAtoms[] = {
      {L"#128", L"button"}, {L"#129", L"edit"}, {L"#130", L"static"}};
  for (const auto& [atom, className] : kAtoms) {
    if (name == atom) {
      return className;
    }
  }
  for (wchar_t& c : name) {
    c = static_cast<wchar_t>(::towlower(c));
  }
  return name;
}

DialogTemplate ParseTemplate(const std::string& bytes) {
  TemplateReader in(bytes);
  DialogTemplate dialog{};
  EXPECT_EQ(in.Word(), 1) << "not an extended template";
  EXPECT_EQ(in.Word(), 0xFFFF) << "not an extended template";
  in.Dword();  // help identifier
  dialog.exStyle = in.Dword();
  dialog.style = in.Dword();
  const WORD count = in.Word();
  dialog.x = in.Short();
  dialog.y = in.Short();
  dialog.cx = in.Short();
  dialog.cy = in.Short();
  dialog.menu = in.NameOrNumber();
  dialog.className = in.NameOrNumber();
  dialog.caption = in.String();
  dialog.pointSize = in.Word();
  dialog.weight = in.Word();
  dialog.italic = in.Byte();
  dialog.charset = in.Byte();
  dialog.font = in.String();
  for (WORD i = 0; i < count; ++i) {
    in.AlignToDword();
    Control control{};
    in.Dword();  // help identifier
    control.exStyle = in.Dword();
    control.style = in.Dword();
    control.x = in.Short();
    control.y = in.Short();
    control.cx = in.Short();
    control.cy = in.Short();
    control.id = in.Dword();
    control.className = ClassName(in.NameOrNumber());
    control.text = in.NameOrNumber();
    in.Skip(in.Word());
    dialog.controls.push_back(control);
  }
  return dialog;
}

void ExpectControls(const std::vector<Control>& actual, const std::vector<Control>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Control& a = actual[i];
    const Control& e = expected[i];
    SCOPED_TRACE("control " + std::to_string(i + 1) + " (" +
                 std::to_string(static_cast<int>(e.id)) + ")");
    EXPECT_EQ(a.className, e.className);
    EXPECT_EQ(a.id, e.id);
    EXPECT_TRUE(a.text == e.text);
    EXPECT_EQ(a.x, e.x);
    EXPECT_EQ(a.y, e.y);
    EXPECT_EQ(a.cx, e.cx);
    EXPECT_EQ(a.cy, e.cy);
    EXPECT_EQ(a.style, e.style) << std::hex << "style 0x" << a.style << ", expected 0x" << e.style;
    EXPECT_EQ(a.exStyle, e.exStyle);
  }
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kNoId = 0xFFFFFFFF;  // -1 as the template's 32-bit identifier

TEST(ProgramResources, MainDialogTemplate) {
  Resources resources(ProgramPath());
  ASSERT_TRUE(resources.Loaded());
  const std::string bytes = resources.Find(RT_DIALOG, 102);
  ASSERT_FALSE(bytes.empty()) << "no Japanese dialog 102";
  const DialogTemplate dialog = ParseTemplate(bytes);
  EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                             DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 301);
  EXPECT_EQ(dialog.cy, 160);
  EXPECT_EQ(dialog.menu, L"");
  EXPECT_EQ(dialog.className, L"");
  EXPECT_EQ(dialog.caption, L"larkfold");
  EXPECT_EQ(dialog.pointSize, 9);
  EXPECT_EQ(dialog.weight, 0);
  EXPECT_EQ(dialog.italic, 0u);
  EXPECT_EQ(dialog.charset, 1u);
  EXPECT_EQ(dialog.font, L"MS UI Gothic");

  // In template order, which is also the tab order; no radio button is a tab
  // stop, and the WS_GROUP marks split the radio buttons into their groups.
  const DWORD edit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD push = kChild | WS_TABSTOP | BS_PUSHBUTTON;
  const DWORD label = kChild | WS_GROUP | SS_LEFT;
  const DWORD group = kChild | WS_GROUP | BS_GROUPBOX;
  const DWORD firstRadio = kChild | WS_GROUP | BS_AUTORADIOBUTTON;
  const DWORD radio = kChild | BS_AUTORADIOBUTTON;
  ExpectControls(dialog.controls,
                 {
                     {L"static", kNoId, L"ＤＡＴファイル", 20, 15, 90, 8, label},
                     {L"edit", IDC_DAT_PATH, L"", 20, 25, 200, 22, edit},
                     {L"button", IDC_BROWSE, L"参照", 240, 25, 40, 22, push},
                     {L"button", IDC_CONVERT, L"変換", 20, 100, 40, 35, push},
                     {L"button", IDC_EXIT, L"終了", 240, 100, 40, 35, push},
                     {L"edit", IDC_VOLUME, L"", 20, 65, 40, 20, edit},
                     {L"static", kNoId, L"音量(%)", 20, 55, 40, 8, label},
                     {L"edit", IDC_SPEED, L"", 90, 65, 40, 20, edit},
                     {L"static", kNoId, L"再生速度", 90, 55, 40, 8, label},
                     {L"button", kNoId, L"音源", 85, 96, 48, 44, group},
                     {L"button", IDC_SOURCE_FM, L"ＦＭ", 95, 108, 30, 10, firstRadio},
                     {L"button", IDC_SOURCE_PCM, L"ＰＣＭ", 95, 124, 30, 10, radio},
                     {L"button", kNoId, L"チャンネル数", 156, 80, 60, 60, group},
                     {L"button", IDC_CHANNELS_3, L"３", 166, 92, 20, 10, firstRadio},
                     {L"button", IDC_CHANNELS_4, L"４", 192, 92, 20, 10, radio},
                     {L"button", IDC_CHANNELS_5, L"５", 166, 108, 20, 10, radio},
                     {L"button", IDC_CHANNELS_6, L"６", 192, 108, 20, 10, radio},
                     {L"button", IDC_CHANNELS_7, L"７", 166, 124, 20, 10, radio},
                     {L"button", IDC_CHANNELS_8, L"８", 192, 124, 20, 10, radio},
                 });
}

TEST(ProgramResources, ProgressWindowTemplate) {
  Resources resources(ProgramPath());
  ASSERT_TRUE(resources.Loaded());
  const std::string bytes = resources.Find(RT_DIALOG, 129);
  ASSERT_FALSE(bytes.empty()) << "no Japanese dialog 129";
  const DialogTemplate dialog = ParseTemplate(bytes);
  // No WS_VISIBLE: the window shows itself when it is initialised.
  EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                             DS_SETFONT | DS_FIXEDSYS));
  EXPECT_EQ(dialog.exStyle, 0u);
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 186);
  EXPECT_EQ(dialog.cy, 60);
  EXPECT_EQ(dialog.caption, L"Dialog");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.weight, 400);
  EXPECT_EQ(dialog.italic, 0u);
  EXPECT_EQ(dialog.charset, 1u);
  EXPECT_EQ(dialog.font, L"MS Shell Dlg");
  ExpectControls(
      dialog.controls,
      {
          {L"static", kNoId, L"", 7, 7, 150, 12, kChild | WS_GROUP | SS_LEFT},
          {L"button", 1001, L"キャンセル", 129, 33, 50, 20, kChild | WS_TABSTOP | BS_PUSHBUTTON},
      });
}

TEST(ProgramResources, IconGroupHoldsNineImages) {
  Resources resources(ProgramPath());
  ASSERT_TRUE(resources.Loaded());
  const std::string group = resources.Find(RT_GROUP_ICON, 128);
  ASSERT_GE(group.size(), 6u) << "no Japanese icon group 128";
  TemplateReader in(group);
  in.Word();
  EXPECT_EQ(in.Word(), 1) << "not an icon group";
  const WORD count = in.Word();
  std::set<std::pair<int, int>> images;  // (size, bits per pixel)
  for (WORD i = 0; i < count; ++i) {
    const unsigned width = in.Byte();
    const unsigned height = in.Byte();
    in.Skip(4);  // colour count, reserved, planes
    const WORD bits = in.Word();
    in.Dword();  // bytes
    const WORD id = in.Word();
    EXPECT_EQ(width, height);
    // The image itself agrees with its entry.
    const std::string image = resources.Find(RT_ICON, id);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, static_cast<LONG>(width));
    EXPECT_EQ(header.biHeight, static_cast<LONG>(2 * height));
    EXPECT_EQ(header.biBitCount, bits);
    images.emplace(static_cast<int>(width), bits);
  }
  const std::set<std::pair<int, int>> expected = {{48, 4},  {48, 8}, {48, 24}, {32, 4}, {32, 8},
                                                  {32, 24}, {16, 4}, {16, 8},  {16, 24}};
  EXPECT_EQ(count, 9);
  EXPECT_EQ(images, expected);
}

std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  if (!::VerQueryValueW(info.data(), query.c_str(), &value, &length) || value == nullptr) {
    return L"<none>";
  }
  return static_cast<const wchar_t*>(value);
}

TEST(ProgramResources, VersionResource) {
  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  std::vector<char> info(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

  WORD* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0411) << "not Japanese";
  EXPECT_EQ(VersionString(info, L"InternalName"), L"larkfold");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"larkfold");
}

// The executable's subsystem and the DLLs it imports, from its PE headers.
struct ExecutableFacts {
  WORD subsystem = 0;
  std::vector<std::string> dlls;
};

ExecutableFacts ReadExecutable(const std::wstring& path) {
  std::string bytes;
  ExecutableFacts facts;
  if (!ReadFileBytes(path, bytes) || bytes.size() < sizeof(IMAGE_DOS_HEADER)) {
    return facts;
  }
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  facts.subsystem = nt->OptionalHeader.Subsystem;
  const auto* sections = IMAGE_FIRST_SECTION(nt);
  const auto offsetOf = [&](DWORD rva) -> std::size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
        return rva - s.VirtualAddress + s.PointerToRawData;
      }
    }
    return 0;
  };
  const DWORD imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + offsetOf(imports));
       entry->Name != 0; ++entry) {
    facts.dlls.emplace_back(bytes.data() + offsetOf(entry->Name));
  }
  return facts;
}

TEST(Executables, NeedNoDllBeyondTheSystems) {
  // Names in small letters: the linker writes them in either case.
  const std::set<std::string> system = {"advapi32.dll", "comdlg32.dll", "gdi32.dll",
                                        "kernel32.dll", "user32.dll",   "msvcrt.dll"};
  struct Case {
    const char* why;
    std::wstring path;
    WORD subsystem;
  };
  const Case cases[] = {
      {"the dialog program", ProgramPath(), IMAGE_SUBSYSTEM_WINDOWS_GUI},
      {"the command-line tool", CliPath(), IMAGE_SUBSYSTEM_WINDOWS_CUI},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const ExecutableFacts facts = ReadExecutable(c.path);
    EXPECT_EQ(facts.subsystem, c.subsystem);
    ASSERT_FALSE(facts.dlls.empty()) << "cannot read " << Narrow(c.path);
    for (std::string dll : facts.dlls) {
      for (char& ch : dll) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      }
      EXPECT_TRUE(system.count(dll)) << dll << " is not a system DLL";
    }
  }
}

}  // namespace
}  // namespace larkfold::gui
