#include "Recorder.h"

#include <algorithm>
#include <sstream>

#include "Platform/Text/Utf.h"

namespace WindowTest {
namespace {

Recorder* g_current = nullptr;

// The message Pump is dispatching, how deep the recorder's procedure is nested, and how many
// default procedure calls of it are running, on this thread.
thread_local const MSG* t_dispatching = nullptr;
thread_local int t_depth = 0;
thread_local int t_inDefault = 0;

Via HowItCame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (t_inDefault > 0) return Via::Default;
  const MSG* d = t_dispatching;
  if (t_depth == 0 && d != nullptr && d->hwnd == hwnd && d->message == msg && d->wParam == wParam &&
      d->lParam == lParam) {
    return Via::Posted;
  }
  return Via::Sent;
}

const char* ViaName(Via via) {
  switch (via) {
    case Via::Posted: return "(posted)";
    case Via::Default: return "(def)";
    default: return "";
  }
}
const char16_t kClass[] = u"SkinUITestRecorder";

void RegisterOnce() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Recorder::Proc;
  wc.cbWndExtra = 16;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClass;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) std::abort();
}

}  // namespace

Recorder::Recorder() {
  Platform::Headless::Reset();
  RegisterOnce();
  g_current = this;
}

Recorder::~Recorder() {
  for (auto& [hwnd, name] : m_names) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  Platform::Headless::RunUntilIdle();
  g_current = nullptr;
}

Recorder& Recorder::Current() { return *g_current; }

LPCWSTR Recorder::ClassName() { return kClass; }

HWND Recorder::Create(const char* name, DWORD style, HWND parent, DWORD exStyle, RECT rect) {
  std::u16string title = Platform::Utf8ToUtf16(name);
  HWND hwnd = CreateWindowExW(exStyle, kClass, title.c_str(), style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              nullptr, nullptr);
  if (hwnd != nullptr) m_names[hwnd] = name;
  return hwnd;
}

void Recorder::Clear() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_seen.clear();
}

std::vector<Seen> Recorder::Messages() {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_seen;
}

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Recorder* r = g_current;
  Via via = HowItCame(hwnd, msg, wParam, lParam);
  ++t_depth;
  struct Leave {
    ~Leave() { --t_depth; }
  } leave;
  if (r != nullptr) {
    {
      std::lock_guard<std::mutex> guard(r->m_lock);
      if (r->m_only.empty() || std::count(r->m_only.begin(), r->m_only.end(), msg) > 0) {
        r->m_seen.push_back(Seen{hwnd, msg, wParam, lParam, via});
      }
    }
    if (r->m_answer) {
      if (auto answer = r->m_answer(hwnd, msg, wParam, lParam)) return *answer;
    }
  }
  ++t_inDefault;
  LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
  --t_inDefault;
  return result;
}

bool Recorder::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    t_dispatching = &msg;
    DispatchMessageW(&msg);
    t_dispatching = nullptr;
  }
  return true;
}

std::string Recorder::Describe() {
  std::ostringstream out;
  for (const Seen& s : Messages()) {
    auto it = m_names.find(s.hwnd);
    out << (it != m_names.end() ? it->second : "?") << ":"
        << Platform::Utf16ToUtf8(MessageName(s.msg)) << "(" << s.wParam << "," << s.lParam << ") ";
  }
  return out.str();
}

bool Recorder::Matches(const std::vector<Expect>& expected) {
  std::vector<Seen> seen = Messages();
  if (seen.size() != expected.size()) return false;
  for (size_t i = 0; i < seen.size(); ++i) {
    const Expect& e = expected[i];
    auto it = m_names.find(seen[i].hwnd);
    if (it == m_names.end() || it->second != e.window || seen[i].msg != e.msg) return false;
    if (e.wParam && *e.wParam != seen[i].wParam) return false;
    if (e.lParam && *e.lParam != seen[i].lParam) return false;
  }
  return true;
}

bool Recorder::MatchesTable(const std::vector<Step>& table) {
  std::vector<Seen> seen = Messages();
  if (seen.size() != table.size()) return false;
  for (size_t i = 0; i < seen.size(); ++i) {
    auto it = m_names.find(seen[i].hwnd);
    if (it == m_names.end() || it->second != table[i].window || seen[i].msg != table[i].msg ||
        seen[i].via != table[i].via) {
      return false;
    }
  }
  return true;
}

std::string Recorder::DescribeTable() {
  std::ostringstream out;
  for (const Seen& s : Messages()) {
    auto it = m_names.find(s.hwnd);
    out << (it != m_names.end() ? it->second : "?") << ":"
        << Platform::Utf16ToUtf8(MessageName(s.msg)) << ViaName(s.via) << " ";
  }
  return out.str();
}

const char16_t* MessageName(UINT msg) {
  switch (msg) {
    // clang-format off
#define NAME(m) \
  case m:       \
    return u## #m;
    NAME(WM_CREATE) NAME(WM_DESTROY) NAME(WM_MOVE) NAME(WM_SIZE) NAME(WM_ACTIVATE)
    NAME(WM_SETFOCUS) NAME(WM_KILLFOCUS) NAME(WM_ENABLE) NAME(WM_SETTEXT) NAME(WM_GETTEXT)
    NAME(WM_PAINT) NAME(WM_CLOSE) NAME(WM_ERASEBKGND) NAME(WM_SHOWWINDOW) NAME(WM_SETCURSOR)
    NAME(WM_MOUSEACTIVATE) NAME(WM_GETMINMAXINFO) NAME(WM_WINDOWPOSCHANGING)
    NAME(WM_WINDOWPOSCHANGED) NAME(WM_COPYDATA) NAME(WM_NCCREATE) NAME(WM_NCDESTROY)
    NAME(WM_NCCALCSIZE) NAME(WM_NCHITTEST) NAME(WM_NCACTIVATE) NAME(WM_KEYDOWN) NAME(WM_KEYUP)
    NAME(WM_CHAR) NAME(WM_TIMER) NAME(WM_MOUSEMOVE) NAME(WM_LBUTTONDOWN) NAME(WM_LBUTTONUP)
    NAME(WM_LBUTTONDBLCLK) NAME(WM_RBUTTONDOWN) NAME(WM_RBUTTONUP) NAME(WM_MOUSEWHEEL)
    NAME(WM_PARENTNOTIFY) NAME(WM_CAPTURECHANGED) NAME(WM_MOUSEHOVER) NAME(WM_MOUSELEAVE)
    NAME(WM_NCLBUTTONDOWN) NAME(WM_NCMOUSEMOVE) NAME(WM_STYLECHANGING) NAME(WM_STYLECHANGED)
    NAME(WM_CONTEXTMENU) NAME(WM_SYSKEYDOWN) NAME(WM_SYSKEYUP) NAME(WM_SYSCHAR)
    NAME(WM_ACTIVATEAPP) NAME(WM_NCPAINT) NAME(WM_SYSCOMMAND)
    NAME(WM_GETICON) NAME(WM_NCMOUSELEAVE) NAME(WM_CANCELMODE) NAME(WM_IME_SETCONTEXT)
    NAME(WM_IME_NOTIFY) NAME(WM_USER)
    // clang-format on
#undef NAME
                                                            default : return u"WM_other";
  }
}

}  // namespace WindowTest
