// The window kind: the top-level window of a window definition, of the
// runtime's own class (or the class the definition names), with its frame
// and title bar from the border style, background colour and picture, icon,
// shape, placement and background music. Its window procedure turns window
// messages into the window unit's events and passes notifications on to the
// controls.
#include <cstring>

#include "runtime/window/definition/cursor_block_data.h"
#include "runtime/window/kinds/double_buffer_win32.h"
#include "runtime/window/kinds/kind_host_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/kinds/picture_decoder_win32.h"

namespace talv {
namespace {

using definition::WindowApply;
using definition::WindowEvent;
using definition::WindowKind;
using definition::WindowProperty;

constexpr char kWindowClass[] = "TalviqueWindow";

LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

bool RegisterWindowClass(const char* name) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, name, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

bool Sizeable(uint32_t border) { return border == 1 || border == 3 || border == 5; }

// An icon from an ICO file image (its first image); null when it is none.
HICON IconFromFileImage(const definition::Bytes& bytes, int size) {
  CursorFileImage image;
  if (bytes.size() < 6 || bytes[2] != 1 || !ReadCursorFileImage(bytes.data(), bytes.size(), &image))
    return nullptr;
  return CreateIconFromResourceEx(const_cast<uint8_t*>(bytes.data() + image.image_offset),
                                  DWORD(image.image_size), TRUE, 0x00030000, size, size,
                                  LR_DEFAULTCOLOR);
}

class WindowUnit : public KindObject {
 public:
  WindowUnit() : KindObject(WindowKind{}) {}
  ~WindowUnit() override { ReleaseIcons(); }

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    const WindowKind& k = kind<WindowKind>();
    const char* class_name = k.class_name.empty() ? kWindowClass : k.class_name.c_str();
    if (!RegisterWindowClass(class_name)) return false;
    DWORD style = 0, ex_style = 0;
    Styles(&style, &ex_style);
    style |= args.style & WS_DISABLED;
    if (k.position == 2) style |= WS_MINIMIZE;
    if (k.position == 3 && Sizeable(k.border_style)) style |= WS_MAXIMIZE;
    int x = args.x, y = args.y;
    if (k.position == 1) {
      x = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
    }
    HWND owner = k.own_taskbar_button ? nullptr : CurrentKindHost().OwnerWindow();
    creating_ = this;
    HWND window = CreateWindowExA(ex_style, class_name, k.caption.c_str(), style, x, y,
                                  args.width, args.height, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    creating_ = nullptr;
    if (!window) return false;
    if (hwnd_ != window) Adopt(window, false);
    RECT r;
    GetWindowRect(window, &r);
    if (!(style & (WS_MINIMIZE | WS_MAXIMIZE)) &&
        (r.right - r.left != args.width || r.bottom - r.top != args.height))
      SetWindowPos(window, nullptr, 0, 0, args.width, args.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    MakeIcons();
    MakePicture();
    ApplyMovable();
    ApplyShape();
    if (k.always_on_top)
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    StartMusic();
    return true;
  }

  bool ReadKindProperty(int32_t index, kinds::PropertyValue* out) override {
    if (index == WindowProperty::Position && hwnd_) {  // a live window tells its state
      out->integer = IsIconic(hwnd_) ? 2 : IsZoomed(hwnd_) ? 3 : 0;
      return true;
    }
    return KindObject::ReadKindProperty(index, out);
  }

  COLORREF BackdropColour() const override {
    return ColourOf(kind<WindowKind>().background_colour);
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    const WindowKind& k = kind<WindowKind>();
    switch (message) {
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORLISTBOX:
      case WM_SETCURSOR: {
        bool handled = false;
        LRESULT r = RouteToControls(hwnd_, message, wparam, lparam, &handled);
        if (handled) return r;
        break;
      }
      case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        HDC dc = reinterpret_cast<HDC>(wparam);
        FillSolid(dc, client, ColourOf(k.background_colour));
        PaintPicture(dc, client);
        return 1;
      }
      case WM_NCHITTEST: {
        LRESULT hit = DefWindowProcA(hwnd_, message, wparam, lparam);
        return hit == HTCLIENT && k.drag_by_client_area ? HTCAPTION : hit;
      }
      case WM_MOVE:
        Raise(WindowEvent::PositionChanged);
        return 0;
      case WM_SIZE:
        ApplyShape();
        if (!picture_.empty()) InvalidateRect(hwnd_, nullptr, TRUE);
        Raise(WindowEvent::SizeChanged);
        return 0;
      case WM_CLOSE: {
        // The close queries: a false answer keeps the window open. A
        // handler may destroy the window itself, and with it this object:
        // after each query only the handle kept here is looked at.
        HWND window = hwnd_;
        if (Raise(WindowEvent::CloseRequested).refused || !StillOurs(window, this)) return 0;
        if (Raise(WindowEvent::CloseQuery).refused || !StillOurs(window, this)) return 0;
        DestroyWindow(window);
        return 0;
      }
      case WM_QUERYENDSESSION:
        // Log-off or shutdown asks first; the session may end unless a
        // handler answers false.
        return Raise(WindowEvent::SessionEndQuery).refused ? FALSE : TRUE;
      case WM_ENDSESSION:
        // The session ends when wparam is true, and the system may end the
        // process as soon as this returns, without WM_CLOSE or WM_DESTROY:
        // the handler does the closing work now.
        if (wparam) Raise(WindowEvent::SessionEnding);
        return 0;
      case WM_DESTROY: {
        HWND window = hwnd_;
        Raise(WindowEvent::WillBeDestroyed);
        if (StillOurs(window, this) && help_opened_)
          WinHelpA(window, help_file_.c_str(), HELP_QUIT, 0);
        return 0;
      }
      default: break;
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
  }

  // Opens the help file (F1): HELP_CONTEXT with the context, else the
  // contents; nothing when the file does not exist.
  void OpenHelp() {
    const WindowKind& k = kind<WindowKind>();
    std::string file = k.help_file;
    if (file.empty()) {
      char path[MAX_PATH] = {};
      GetModuleFileNameA(nullptr, path, MAX_PATH);
      file = path;
      size_t dot = file.find_last_of('.');
      size_t slash = file.find_last_of('\\');
      if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        file.resize(dot + 1);
      else
        file += '.';
      file += "hlp";
    }
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    help_file_ = file;
    help_opened_ = true;
    if (k.help_context != 0)
      WinHelpA(hwnd_, file.c_str(), HELP_CONTEXT, ULONG_PTR(k.help_context));
    else
      WinHelpA(hwnd_, file.c_str(), HELP_FINDER, 0);
  }

  static WindowUnit* creating_;

 protected:
  // Whether `window` still exists as the window of `unit`. Compares the
  // pointer only: `unit` may have been released by a handler.
  static bool StillOurs(HWND window, const WindowUnit* unit) {
    return IsWindow(window) && FromWindow(window) == unit;
  }

  void RefreshFromWindow() override {
    if (!hwnd_) return;
    int n = GetWindowTextLengthA(hwnd_);
    std::string caption(size_t(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(hwnd_, &caption[0], n + 1);
    caption.resize(size_t(n > 0 ? n : 0));
    kind<WindowKind>().caption = caption;
  }

  void Apply(int32_t index) override {
    const WindowKind& k = kind<WindowKind>();
    switch (definition::ApplyOf<WindowKind>(index)) {
      case WindowApply::Caption: SetWindowTextA(hwnd_, k.caption.c_str()); break;
      case WindowApply::Restyle: Restyle(); break;
      case WindowApply::Backdrop:
        MakePicture();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      case WindowApply::Music: StartMusic(); break;
      case WindowApply::Position:
        ShowWindow(hwnd_, k.position == 2 ? SW_MINIMIZE
                          : k.position == 3 && Sizeable(k.border_style) ? SW_MAXIMIZE
                                                                        : SW_RESTORE);
        break;
      case WindowApply::Movable: ApplyMovable(); break;
      case WindowApply::Icon: MakeIcons(); break;
      case WindowApply::Owner:
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(k.own_taskbar_button ? nullptr
                                                                          : CurrentKindHost().OwnerWindow()));
        break;
      case WindowApply::Shape: ApplyShape(); break;
      case WindowApply::Topmost:
        SetWindowPos(hwnd_, k.always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
      case WindowApply::Stored: break;
    }
  }

 private:
  void Styles(DWORD* style, DWORD* ex_style) const {
    const WindowKind& k = kind<WindowKind>();
    *style = WS_CLIPCHILDREN;
    *ex_style = 0;
    if (k.border_style != 0) {
      if (!k.caption.empty() || k.control_box) *style |= WS_CAPTION;
      if (k.control_box) *style |= WS_SYSMENU;
      if (Sizeable(k.border_style)) *style |= WS_THICKFRAME;
      if (k.border_style == 3 || k.border_style == 4) *ex_style |= WS_EX_TOOLWINDOW;
      if (k.border_style == 5 || k.border_style == 6) *ex_style |= WS_EX_CLIENTEDGE;
    }
    if (k.maximize_button) *style |= WS_MAXIMIZEBOX;
    if (k.minimize_button) *style |= WS_MINIMIZEBOX;
    // A top-level window without a title bar is a pop-up window (an
    // overlapped one always gets a caption).
    if (!(*style & WS_CAPTION)) *style |= WS_POPUP;
  }

  void Restyle() {
    constexpr DWORD kMine = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                            WS_MINIMIZEBOX | WS_POPUP;
    constexpr DWORD kMineEx = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
    DWORD style = 0, ex = 0;
    Styles(&style, &ex);
    DWORD old = DWORD(GetWindowLongA(hwnd_, GWL_STYLE));
    DWORD old_ex = DWORD(GetWindowLongA(hwnd_, GWL_EXSTYLE));
    SetWindowLongA(hwnd_, GWL_STYLE, LONG((old & ~kMine) | (style & kMine)));
    SetWindowLongA(hwnd_, GWL_EXSTYLE, LONG((old_ex & ~kMineEx) | (ex & kMineEx)));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  void MakeIcons() {
    ReleaseIcons();
    const definition::Bytes& icon = kind<WindowKind>().icon;
    big_ = IconFromFileImage(icon, GetSystemMetrics(SM_CXICON));
    small_ = IconFromFileImage(icon, GetSystemMetrics(SM_CXSMICON));
    owned_icons_ = big_ || small_;
    if (!owned_icons_) {
      HINSTANCE instance = GetModuleHandleA(nullptr);
      big_ = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_SHARED));
      small_ = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_));
  }

  void ReleaseIcons() {
    if (owned_icons_) {
      if (big_) DestroyIcon(big_);
      if (small_) DestroyIcon(small_);
    }
    big_ = small_ = nullptr;
    owned_icons_ = false;
  }

  void MakePicture() {
    const WindowKind& k = kind<WindowKind>();
    picture_ = DecodePicture(k.background_picture.data(), k.background_picture.size(),
                             ColourOf(k.background_colour));
  }

  // Picture modes: 0 at the top-left corner, 1 tiled, 2 stretched, 3 centred.
  void PaintPicture(HDC dc, const RECT& client) const {
    if (picture_.empty()) return;
    switch (kind<WindowKind>().picture_mode) {
      case 1:
        for (int y = 0; y < client.bottom; y += picture_.height())
          for (int x = 0; x < client.right; x += picture_.width()) DrawPicture(dc, picture_, x, y);
        break;
      case 2: DrawPictureStretched(dc, picture_, client); break;
      case 3:
        DrawPicture(dc, picture_, (client.right - picture_.width()) / 2,
                    (client.bottom - picture_.height()) / 2);
        break;
      default: DrawPicture(dc, picture_, 0, 0); break;
    }
  }

  void ApplyMovable() {
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (menu && !kind<WindowKind>().movable) DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  }

  // Shapes: 0 rectangle, 1 ellipse, 2 rounded rectangle (others: rectangle).
  void ApplyShape() {
    uint32_t shape = kind<WindowKind>().window_shape;
    if (shape != 1 && shape != 2) {
      if (shaped_) SetWindowRgn(hwnd_, nullptr, TRUE);
      shaped_ = false;
      return;
    }
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HRGN region = shape == 1 ? CreateEllipticRgn(0, 0, w + 1, h + 1)
                             : CreateRoundRectRgn(0, 0, w + 1, h + 1, 24, 24);
    SetWindowRgn(hwnd_, region, TRUE);  // the system owns the region now
    shaped_ = true;
  }

  void StartMusic() {
    const WindowKind& k = kind<WindowKind>();
    if (k.background_music.empty() || k.music_play_mode > 1) return;
    CurrentKindHost().PlaySoundBytes(k.background_music.data(), k.background_music.size(), k.music_play_mode == 0);
  }

  friend LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

  DecodedPicture picture_;
  HICON big_ = nullptr, small_ = nullptr;
  bool owned_icons_ = false;
  bool shaped_ = false;
  bool help_opened_ = false;
  std::string help_file_;
};

WindowUnit* WindowUnit::creating_ = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* unit = static_cast<WindowUnit*>(KindObject::FromWindow(window));
  if (!unit && WindowUnit::creating_ && message == WM_NCCREATE) {
    unit = WindowUnit::creating_;
    unit->Adopt(window, false);
  }
  if (!unit || CurrentKindHost().ShuttingDown()) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    LRESULT r = DefWindowProcA(window, message, wparam, lparam);
    WindowObject* owner = unit->window();
    RemovePropA(window, "TalviqueUnit");
    unit->hwnd_ = nullptr;
    if (owner) CurrentKindHost().WindowDestroyed(owner);  // releases the unit objects, this one too
    return r;
  }
  return unit->Handle(message, wparam, lparam);
}

}  // namespace

// Opens the help file of the window unit `object` (F1 of the pre-filter).
void OpenWindowHelp(KindObject* object) {
  if (auto* w = dynamic_cast<WindowUnit*>(object)) w->OpenHelp();
}

namespace kinds {
void* WindowKindInterface(int operation) { return KindInterfaceOf<WindowUnit>(operation); }
}  // namespace kinds

}  // namespace talv
