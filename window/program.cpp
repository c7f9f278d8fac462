#include "program.h"

#include <commctrl.h>

#include "korvane_version.h"

namespace korvex::window {
namespace {

std::size_t Index(Window window) { return static_cast<std::size_t>(window); }

constexpr wchar_t kHiddenOwnerClass[] = L"KorvexOwner";

// The hidden owner goes only with the program: a WM_CLOSE, which any program
// can send, would otherwise destroy it and the message windows it owns.
LRESULT CALLBACK HiddenOwnerProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return message == WM_CLOSE ? 0 : DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND CreateHiddenOwner() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (!GetClassInfoExW(instance, kHiddenOwnerClass, &window_class)) {
    window_class.lpfnWndProc = HiddenOwnerProcedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = kHiddenOwnerClass;
    if (!RegisterClassExW(&window_class)) return nullptr;
  }
  return CreateWindowExW(0, kHiddenOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

// Reports a window the system would not make on the debugger's output, as
// the exceptions caught in the window procedures.
void ReportFailedCreation(const char* what) {
  OutputDebugStringA("korvex: could not create ");
  OutputDebugStringA(what);
  OutputDebugStringA("\n");
}

}  // namespace

void ReportCaughtException(const char* where) noexcept {
  OutputDebugStringA("korvex: exception caught in ");
  OutputDebugStringA(where);
  try {
    throw;
  } catch (const std::exception& error) {
    OutputDebugStringA(": ");
    OutputDebugStringA(error.what());
  } catch (...) {
  }
  OutputDebugStringA("\n");
}

Program::Program(Volume* volume) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  editor_ = std::make_unique<Editor>(
      EditorServices{registry_, characters_, session_, shell_, volume ? *volume : volume_,
                     {KORVANE_VERSION_MAJOR, KORVANE_VERSION_MINOR, KORVANE_VERSION_PATCH}, &lock_});
  editor_window_ = std::make_unique<EditorWindow>(*editor_);
}

Program::~Program() {
  for (auto& message : messages_) message.reset();
  editor_window_.reset();
  if (hidden_owner_) ::DestroyWindow(hidden_owner_);
}

bool Program::StartProgram() {
  if (!editor_window_->Create() || (session_.EditorCreated(), editor_->Form_Load(), !editor_window_->CreateControls())) {
    ReportFailedCreation("the Editor window");
    return false;
  }
  editor_window_->ShowAndPaint();
  return true;
}

HWND Program::MessageHwnd(Window window) const {
  const auto& message = messages_[Index(window)];
  return message ? message->Hwnd() : nullptr;
}

bool Program::CreateMessageWindow(Window window) {
  // Owner of the message windows that have no task-bar button of their own;
  // made when the first is needed, not before the Editor is shown.
  if (!hidden_owner_) hidden_owner_ = CreateHiddenOwner();
  auto message = std::make_unique<MessageWindow>(MessageLayout(window), session_, hidden_owner_);
  if (!message->Create(editor_window_->Hwnd())) {
    ReportFailedCreation("a message window");
    return false;
  }
  messages_[Index(window)] = std::move(message);
  return true;
}

void Program::SetMessageText(Window window, std::string_view text) {
  if (auto& message = messages_[Index(window)]) message->SetText(text);
}

void Program::MakeTopMost(Window window) {
  if (HWND hwnd = MessageHwnd(window)) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Program::ShowAndPaint(Window window) {
  if (auto& message = messages_[Index(window)]) message->ShowAndPaint();
}

void Program::DestroyWindow(Window window) {
  if (window == Window::Editor)
    editor_window_->Destroy();
  else
    messages_[Index(window)].reset();
}

void Program::EndProgram() { PostQuitMessage(0); }

bool Program::PreTranslate(MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  HWND focus = GetFocus();
  // An open drop-down list takes Enter to close itself.
  if (HWND combo = GetParent(focus); combo && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return false;
  wchar_t window_class[16] = {};
  GetClassNameW(focus, window_class, 16);
  LONG_PTR type = (focus ? GetWindowLongPtrW(focus, GWL_STYLE) : 0) & BS_TYPEMASK;
  // A command button reached with Tab has become the default one
  // (BS_DEFPUSHBUTTON), one clicked has not: Enter presses either.
  if (lstrcmpiW(window_class, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
    SendMessageW(focus, BM_CLICK, 0, 0);
  return true;  // Enter does nothing anywhere else
}

void Program::Dispatch(MSG& message) {
  if (PreTranslate(message)) return;
  HWND active = GetActiveWindow();
  if (active && IsDialogMessageW(active, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Program::RunMessageLoop() {
  MSG message;
  // -1 is a message that could not be received (under Wine, a text of a
  // megabyte sent by another program): reported, and the program goes on.
  for (BOOL got; (got = GetMessageW(&message, nullptr, 0, 0)) != 0;) {
    if (got == -1)
      OutputDebugStringA("korvex: a message could not be received\n");
    else
      Dispatch(message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace korvex::window
