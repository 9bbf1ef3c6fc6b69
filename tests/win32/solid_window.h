#pragma once

#include <windows.h>

namespace setup::testing {

// A window class whose windows paint themselves in one colour, the same on the screen
// (WM_PAINT) and in a picture (WM_PRINTCLIENT).
template <COLORREF colour>
LRESULT CALLBACK SolidWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto paint = [window](HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  };
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      paint(BeginPaint(window, &ps));
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

inline void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = name;
  RegisterClassW(&window_class);
}

// A framed, captioned top-level window of `window_class` whose client area is `client`,
// destroyed with this object.
class TestWindow {
 public:
  TestWindow(const wchar_t* window_class, SIZE client) {
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    handle_ = CreateWindowW(window_class, L"Test", WS_OVERLAPPEDWINDOW, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  ~TestWindow() {
    if (handle_) DestroyWindow(handle_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return handle_; }
  void Show() {
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
    UpdateWindow(handle_);
  }
  // A child window of `window_class` at `frame` (client coordinates), visible.
  HWND AddChild(const wchar_t* window_class, RECT frame) {
    return CreateWindowW(window_class, L"", WS_CHILD | WS_VISIBLE, frame.left, frame.top,
                         frame.right - frame.left, frame.bottom - frame.top, handle_, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  }

 private:
  HWND handle_ = nullptr;
};

}  // namespace setup::testing
