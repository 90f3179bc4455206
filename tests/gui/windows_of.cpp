#include "tests/gui/windows_of.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace larkfold::gui {
namespace {

constexpr UINT kReplyTimeout = 5000;
constexpr int kMessageBoxText = 0xFFFF;

// The icon control of a message box: 0x14 on Windows, stc1 under Wine.
constexpr int kMessageBoxIconIds[] = {0x14, 0x440};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeout,
                             &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// A 32-bit picture in memory that GDI can draw into.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    screen_ = ::GetDC(nullptr);
    memory_ = ::CreateCompatibleDC(screen_);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = ::CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = ::SelectObject(memory_, bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    ::SelectObject(memory_, old_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(memory_);
    ::ReleaseDC(nullptr, screen_);
  }

  HDC Screen() const { return screen_; }
  HDC Dc() const { return memory_; }
  std::uint32_t* Bits() const { return static_cast<std::uint32_t*>(bits_); }

  Image Picture() const {
    ::GdiFlush();
    Image image{width_, height_, {}};
    image.pixels.assign(Bits(), Bits() + static_cast<std::size_t>(width_) * height_);
    for (std::uint32_t& pixel : image.pixels) {
      pixel &= 0xFFFFFF;
    }
    return image;
  }

 private:
  int width_;
  int height_;
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

// What the screen shows in `rect` (screen coordinates).
Image CaptureScreen(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) {
    return Image{};
  }
  Canvas canvas(width, height);
  ::BitBlt(canvas.Dc(), 0, 0, width, height, canvas.Screen(), rect.left, rect.top, SRCCOPY);
  return canvas.Picture();
}

// `icon` as this process draws it on `background`, at `width` x `height`.
Image Render(HICON icon, int width, int height, std::uint32_t background) {
  Canvas canvas(width, height);
  std::fill(canvas.Bits(), canvas.Bits() + static_cast<std::size_t>(width) * height, background);
  ::DrawIconEx(canvas.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  return canvas.Picture();
}

// The share of pixels that differ.
double Difference(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) {
    return 1.0;
  }
  std::size_t differing = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    differing += a.pixels[i] != b.pixels[i];
  }
  return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

BoxIcon IconOf(HWND box) {
  HWND control = nullptr;
  for (int id : kMessageBoxIconIds) {
    control = ::GetDlgItem(box, id);
    if (control != nullptr) {
      break;
    }
  }
  if (control == nullptr || !::IsWindowVisible(control) || Ask(control, STM_GETICON, 0, 0) == 0) {
    return BoxIcon::none;
  }
  RECT rect;
  ::GetWindowRect(control, &rect);
  const Image shown = CaptureScreen(rect);
  if (shown.pixels.empty()) {
    return BoxIcon::unknown;
  }
  // The corners of the system's icons are transparent, so the top-left pixel
  // is the box's own background.
  const std::uint32_t background = shown.pixels.front();
  const struct {
    LPCWSTR name;
    BoxIcon icon;
  } candidates[] = {{IDI_EXCLAMATION, BoxIcon::exclamation},
                    {IDI_HAND, BoxIcon::stop},
                    {IDI_ASTERISK, BoxIcon::information},
                    {IDI_QUESTION, BoxIcon::question}};
  BoxIcon best = BoxIcon::unknown;
  double bestDifference = 0.02;  // a few pixels of anti-aliasing at most
  for (const auto& candidate : candidates) {
    const double difference = Difference(
        shown, Render(::LoadIconW(nullptr, candidate.name), shown.width, shown.height, background));
    if (difference < bestDifference) {
      best = candidate.icon;
      bestDifference = difference;
    }
  }
  return best;
}

}  // namespace

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeout) {
  const ULONGLONG end = ::GetTickCount64() + timeout;
  for (;;) {
    if (HWND window = find()) {
      return window;
    }
    if (::GetTickCount64() >= end) {
      return nullptr;
    }
    ::Sleep(50);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout) {
  const ULONGLONG end = ::GetTickCount64() + timeout;
  for (;;) {
    if (done()) {
      return true;
    }
    if (::GetTickCount64() >= end) {
      return false;
    }
    ::Sleep(50);
  }
}

std::vector<HWND> DialogsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == search->processId && ::IsWindowVisible(window) &&
            ClassOf(window) == L"#32770") {
          search->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<std::size_t>(Ask(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < text.size() ? copied : 0);
  return text;
}

std::wstring ItemText(HWND dialog, int id) {
  return TextOf(::GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
  Ask(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsItemChecked(HWND dialog, int id) {
  return Ask(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND dialog, int id) {
  ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND window, WPARAM key) {
  const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  ::PostMessageW(window, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
  ::PostMessageW(window, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | 0xC0000000);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) {
    return nullptr;
  }
  return info.hwndFocus;
}

const char* NameOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::none:
      return "no icon";
    case BoxIcon::exclamation:
      return "exclamation mark";
    case BoxIcon::stop:
      return "stop sign";
    case BoxIcon::information:
      return "information";
    case BoxIcon::question:
      return "question mark";
    case BoxIcon::unknown:
      break;
  }
  return "an icon of no known kind";
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  wchar_t caption[256] = {};
  ::GetWindowTextW(box, caption, 256);
  view.caption = caption;
  view.text = ItemText(box, kMessageBoxText);

  // Under Wine without a window manager a window drawn over another window of
  // its program stays black on the screen; in the screen's bottom-left corner
  // the box is clear of the program's dialog.
  RECT rect;
  ::GetWindowRect(box, &rect);
  const int bottom = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(box, nullptr, 0, bottom - (rect.bottom - rect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  BoxIcon icon = BoxIcon::unknown;
  WaitUntil(
      [&] {
        icon = IconOf(box);
        return icon != BoxIcon::unknown;
      },
      3000);
  view.icon = icon;
  return view;
}

bool Acknowledge(HWND box) {
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  return WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); });
}

std::string Narrow(const std::wstring& text) {
  return Utf8FromWide(text);
}

}  // namespace larkfold::gui
