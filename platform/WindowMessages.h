#pragma once
// Message, command and key numbers of the window layer. The framework's window code is written
// against the meanings of the classic desktop message set, so the values are the same ones.
#include <cstdint>

// Window messages.
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_NCHITTEST = 0x0084;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_ENTERMENULOOP = 0x0211;
inline constexpr uint32_t WM_EXITMENULOOP = 0x0212;
inline constexpr uint32_t WM_POWERBROADCAST = 0x0218;
inline constexpr uint32_t WM_ENTERSIZEMOVE = 0x0231;
inline constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;

// WM_SYSCOMMAND commands (wParam & 0xFFF0).
inline constexpr uint32_t SC_SIZE = 0xF000;
inline constexpr uint32_t SC_MOVE = 0xF010;
inline constexpr uint32_t SC_MINIMIZE = 0xF020;
inline constexpr uint32_t SC_MAXIMIZE = 0xF030;
inline constexpr uint32_t SC_CLOSE = 0xF060;
inline constexpr uint32_t SC_RESTORE = 0xF120;
inline constexpr uint32_t SC_MONITORPOWER = 0xF170;

// WM_SIZE types.
inline constexpr uint32_t SIZE_RESTORED = 0;
inline constexpr uint32_t SIZE_MINIMIZED = 1;
inline constexpr uint32_t SIZE_MAXIMIZED = 2;
inline constexpr uint32_t SIZE_MAXHIDE = 4;

// WM_ACTIVATE states.
inline constexpr uint32_t WA_INACTIVE = 0;
inline constexpr uint32_t WA_ACTIVE = 1;

// WM_POWERBROADCAST events.
inline constexpr uint32_t PBT_APMQUERYSUSPEND = 0;
inline constexpr uint32_t PBT_APMRESUMESUSPEND = 7;

// WM_NCHITTEST answer for the client area.
inline constexpr int32_t HTCLIENT = 1;

// Key state of mouse messages.
inline constexpr uint32_t MK_LBUTTON = 0x0001;
inline constexpr uint32_t MK_RBUTTON = 0x0002;
inline constexpr uint32_t MK_SHIFT = 0x0004;
inline constexpr uint32_t MK_CONTROL = 0x0008;
inline constexpr uint32_t MK_MBUTTON = 0x0010;

// Key-flags word of keyboard messages (the high word of lParam).
inline constexpr uint32_t KF_EXTENDED = 0x0100;
inline constexpr uint32_t KF_ALTDOWN = 0x2000;
inline constexpr uint32_t KF_REPEAT = 0x4000;
inline constexpr uint32_t KF_UP = 0x8000;

// Virtual keys; letters and digits are their upper-case ASCII codes.
inline constexpr uint32_t VK_BACK = 0x08;
inline constexpr uint32_t VK_TAB = 0x09;
inline constexpr uint32_t VK_RETURN = 0x0D;
inline constexpr uint32_t VK_SHIFT = 0x10;
inline constexpr uint32_t VK_CONTROL = 0x11;
inline constexpr uint32_t VK_MENU = 0x12;
inline constexpr uint32_t VK_PAUSE = 0x13;
inline constexpr uint32_t VK_CAPITAL = 0x14;
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_PRIOR = 0x21;
inline constexpr uint32_t VK_NEXT = 0x22;
inline constexpr uint32_t VK_END = 0x23;
inline constexpr uint32_t VK_HOME = 0x24;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_INSERT = 0x2D;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_NUMPAD0 = 0x60;
inline constexpr uint32_t VK_MULTIPLY = 0x6A;
inline constexpr uint32_t VK_ADD = 0x6B;
inline constexpr uint32_t VK_SUBTRACT = 0x6D;
inline constexpr uint32_t VK_DECIMAL = 0x6E;
inline constexpr uint32_t VK_DIVIDE = 0x6F;
inline constexpr uint32_t VK_F1 = 0x70;
inline constexpr uint32_t VK_F4 = 0x73;
inline constexpr uint32_t VK_F12 = 0x7B;
inline constexpr uint32_t VK_OEM_1 = 0xBA;
inline constexpr uint32_t VK_OEM_PLUS = 0xBB;
inline constexpr uint32_t VK_OEM_COMMA = 0xBC;
inline constexpr uint32_t VK_OEM_MINUS = 0xBD;
inline constexpr uint32_t VK_OEM_PERIOD = 0xBE;
inline constexpr uint32_t VK_OEM_2 = 0xBF;
inline constexpr uint32_t VK_OEM_3 = 0xC0;
inline constexpr uint32_t VK_OEM_4 = 0xDB;
inline constexpr uint32_t VK_OEM_5 = 0xDC;
inline constexpr uint32_t VK_OEM_6 = 0xDD;
inline constexpr uint32_t VK_OEM_7 = 0xDE;

// Message-box types and answers.
inline constexpr uint32_t MB_OK = 0x00;
inline constexpr uint32_t MB_YESNO = 0x04;
inline constexpr uint32_t MB_ICONHAND = 0x10;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr uint32_t MB_ICONASTERISK = 0x40;
inline constexpr uint32_t MB_TYPEMASK = 0x0F;
inline constexpr uint32_t MB_ICONMASK = 0xF0;
inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;

// Packs two signed 16-bit coordinates the way mouse and move messages carry them.
constexpr int64_t MakeCoordParam(int32_t x, int32_t y) {
  return static_cast<int64_t>(static_cast<uint32_t>(static_cast<uint16_t>(x)) |
                              (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
constexpr int32_t CoordParamX(int64_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
constexpr int32_t CoordParamY(int64_t lParam) {
  return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}

// Keyboard lParam: repeat count in the low word, key flags in the high word.
constexpr int64_t MakeKeyParam(uint32_t repeat, uint32_t flags) {
  return static_cast<int64_t>((repeat & 0xFFFF) | ((flags & 0xFFFF) << 16));
}
