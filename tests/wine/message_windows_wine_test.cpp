// The four message windows as the user sees them, their single instances,
// the program's end with its last window, and messages from other programs.
#include <atomic>
#include <vector>

#include "window_fixture.h"

namespace korvex::testing {
namespace {

struct ExpectedMessage {
  Window window;
  const char* title;
  const char* text;
  const char* button;
  int client_width, client_height;  // pixels at 96 DPI
  RECT button_rect, label_rect;     // pixels, in the client area
  bool resizable, taskbar, topmost;
  POINT corner;  // of the client area on the screen, wherever the Editor stands; {0, 0}: not fixed
};

const ExpectedMessage kMessages[] = {
    {Window::ReadRegFail, "Registry Read Failed", "Cannot open Korvane registry key!", "Cancel", 342, 101,
     {112, 48, 225, 89}, {32, 16, 313, 41}, true, true, true, {}},
    {Window::SaveRegFail, "Registry Save Failed", "Unable to save Korvane registry settings!", "Cancel", 343, 103,
     {104, 48, 225, 89}, {24, 16, 329, 33}, true, true, false, {}},
    {Window::DismountFail, "Dismount Volume Failed",
     "The attempt to dismount the filesystem  from the Korvane drive failed.  Please check that the current drive "
     "letter is a Korvane drive and that there are no open files on this drive.",
     "OK", 435, 129, {168, 88, 265, 121}, {16, 16, 417, 65}, false, false, false, {184, 250}},  // 2760, 3750 twips
    {Window::DismountOk, "Dismount Volume Successful",
     "The filesystem has successfully dismounted the Korvane drive. The Korvane driver may now be unloaded safely.  "
     "If you access the Korvane drive before unloading the driver, you will have to dismount the volume again.",
     "OK", 433, 138, {168, 96, 265, 129}, {16, 16, 417, 89}, false, false, false, {184, 250}},
};

HWND ChildOfClass(HWND parent, const wchar_t* window_class) { return FindWindowExW(parent, nullptr, window_class, nullptr); }

using MessageWindowTest = WindowTest;

TEST_F(MessageWindowTest, EachIsLaidOutAsDesigned) {
  PutTypicalDriverValues();
  Start();
  SetWindowPos(Main(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (const ExpectedMessage& m : kMessages) {
    program->Windows().ShowMessage(m.window);
    PumpMessages();
    HWND hwnd = program->MessageHwnd(m.window);
    ASSERT_TRUE(hwnd) << m.title;
    EXPECT_TRUE(IsWindowVisible(hwnd)) << m.title;
    EXPECT_EQ(TextOf(hwnd), m.title);
    HWND button = ChildOfClass(hwnd, L"Button"), label = ChildOfClass(hwnd, L"Static");
    EXPECT_EQ(TextOf(button), m.button) << m.title;
    EXPECT_EQ(TextOf(label), m.text) << m.title;
    EXPECT_EQ(GetFocus(), button) << m.title;
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, m.client_width) << m.title;
    EXPECT_EQ(client.bottom, m.client_height) << m.title;
    RECT b = ClientRectOf(button), l = ClientRectOf(label);
    EXPECT_TRUE(EqualRect(&b, &m.button_rect)) << m.title << " button " << b.left << "," << b.top << "," << b.right << "," << b.bottom;
    EXPECT_TRUE(EqualRect(&l, &m.label_rect)) << m.title << " label " << l.left << "," << l.top << "," << l.right << "," << l.bottom;
    for (HWND control : {button, label}) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
      EXPECT_STREQ(font.lfFaceName, L"Arial");
      EXPECT_EQ(font.lfHeight, -13);
      EXPECT_EQ(font.lfWeight, 700);
    }
    EXPECT_EQ(GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    LONG style = GetWindowLongW(hwnd, GWL_STYLE), ex_style = GetWindowLongW(hwnd, GWL_EXSTYLE);
    EXPECT_EQ((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0, m.resizable) << m.title;
    EXPECT_TRUE(style & WS_SYSMENU) << m.title;
    // A task-bar button: unowned and marked as an application window.
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER) == nullptr, m.taskbar) << m.title;
    EXPECT_EQ((ex_style & WS_EX_APPWINDOW) != 0, m.taskbar) << m.title;
    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0) != 0, m.taskbar) << m.title;
    EXPECT_EQ((ex_style & WS_EX_TOPMOST) != 0, m.topmost) << m.title;
    EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    POINT corner{0, 0};
    ClientToScreen(hwnd, &corner);
    if (m.corner.x) {
      EXPECT_EQ(corner.x, m.corner.x) << m.title;
      EXPECT_EQ(corner.y, m.corner.y) << m.title;
    }
  }
}

TEST_F(MessageWindowTest, TheRefusalOpensCentredOverTheEditorWithItsReason) {
  PutTypicalDriverValues();
  Start();
  SetWindowPos(Main(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  program->Windows().ShowMessage(Window::SettingRefused, "The drive letter is empty.");
  PumpMessages();
  RECT editor, message;
  GetWindowRect(Main(), &editor);
  GetWindowRect(program->MessageHwnd(Window::SettingRefused), &message);
  EXPECT_NEAR(message.left + message.right, editor.left + editor.right, 2);
  EXPECT_NEAR(message.top + message.bottom, editor.top + editor.bottom, 2);
  EXPECT_EQ(TextOf(ChildOfClass(program->MessageHwnd(Window::SettingRefused), L"Static")),
            "The drive letter is empty.");
}

bool QuitPosted() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST_F(MessageWindowTest, AnOpenMessageWindowKeepsTheProgramRunning) {
  PutTypicalDriverValues();
  Start();
  program->Windows().ShowMessage(Window::DismountOk);
  PumpMessages();
  Click("Command2");  // Exit
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_FALSE(QuitPosted());
  HWND ok = program->MessageHwnd(Window::DismountOk);
  SendMessageW(ok, WM_CLOSE, 0, 0);  // its close box
  EXPECT_TRUE(QuitPosted());
}

// Records the order in which windows are shown.
std::vector<HWND>* shown_windows = nullptr;
LRESULT CALLBACK RecordShow(int code, WPARAM wparam, LPARAM lparam) {
  auto* message = reinterpret_cast<CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam && !GetParent(message->hwnd))
    shown_windows->push_back(message->hwnd);
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(MessageWindowTest, AMissingKeyShowsTheReadFailureFirstAndAboveTheEditor) {
  DeleteParametersKey();
  std::vector<HWND> shown;
  shown_windows = &shown;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordShow, nullptr, GetCurrentThreadId());
  Start();
  UnhookWindowsHookEx(hook);
  HWND failure = program->MessageHwnd(Window::ReadRegFail);
  ASSERT_TRUE(failure);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], failure);
  EXPECT_EQ(shown[1], Main());
  EXPECT_TRUE(GetWindowLongW(failure, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetForegroundWindow(Main());
  PumpMessages();
  bool failure_above = false;
  for (HWND w = GetWindow(Main(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) failure_above |= w == failure;
  EXPECT_TRUE(failure_above);
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "Z");
  EXPECT_FALSE(ParametersKeyExists());
}

struct Sending {
  HWND target;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

DWORD WINAPI SendAndReturn(void* parameter) {
  auto* sending = static_cast<Sending*>(parameter);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(sending->target, sending->message, sending->wparam, sending->lparam, SMTO_NORMAL, 10000, &result);
  return 0;
}

std::atomic<int> access_violations{0};
LONG WINAPI CountAccessViolation(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++access_violations;
  return EXCEPTION_CONTINUE_SEARCH;
}

// Sent from another thread, as by another program: no help from this one.
// The system swallows a fault in a window procedure called for a sent
// message, so each is counted where it happens.
void SendFromAnotherThread(Sending sending) {
  access_violations = 0;
  void* counter = AddVectoredExceptionHandler(1, CountAccessViolation);
  HANDLE thread = CreateThread(nullptr, 0, SendAndReturn, &sending, 0, nullptr);
  ASSERT_TRUE(thread);
  // Handles only the messages sent meanwhile: what they post stays queued.
  MSG sent;
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 20000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  CloseHandle(thread);
  RemoveVectoredExceptionHandler(counter);
  EXPECT_EQ(access_violations, 0);
}

TEST_F(MessageWindowTest, MessagesOfAWindowsOwnLifeFromAnotherProgramChangeNothing) {
  CREATESTRUCTW creation{};
  creation.lpCreateParams = reinterpret_cast<void*>(16);
  struct Case {
    const char* what;
    bool to_editor;  // else to the read failure
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  } cases[] = {
      {"WM_NCCREATE", true, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&creation)},
      {"WM_NCDESTROY", true, WM_NCDESTROY, 0, 0},
      {"WM_NCDESTROY", false, WM_NCDESTROY, 0, 0},
      {"WM_DPICHANGED with no rectangle at its pointer", false, 0x02E0, MAKEWPARAM(96, 96), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + (c.to_editor ? " to the Editor" : " to the read failure"));
    program.reset();
    DeleteParametersKey();
    Start();
    HWND failure = program->MessageHwnd(Window::ReadRegFail);
    ASSERT_TRUE(failure);
    SendFromAnotherThread({c.to_editor ? Main() : failure, c.message, c.wparam, c.lparam});
    // Both windows still work, and the program ends with them.
    PutTypicalDriverValues();
    ReplaceText("Text3", L"100");
    Click("Command1");  // OK: saves and closes
    EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(25600));
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_FALSE(QuitPosted());
    SendMessageW(ChildOfClass(failure, L"Button"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(failure));
    EXPECT_TRUE(QuitPosted());
  }
}

// As a screen reader or an automation tool presses a button: BM_CLICK sent
// from its own thread does all that a real click does.
TEST_F(MessageWindowTest, ClicksSentFromAnotherThreadOpenAndCloseWindowsAndEndTheProgram) {
  PutTypicalDriverValues();
  Start();
  auto click = [&](HWND button) { SendFromAnotherThread({button, BM_CLICK, 0, 0}); };
  DeleteParametersKey();
  click(Control("Command4"));  // Save
  click(Control("Command4"));  // again: the one failure window shown again
  EXPECT_FALSE(ParametersKeyExists());  // a save never creates the key
  HWND failure = program->MessageHwnd(Window::SaveRegFail);
  ASSERT_TRUE(failure);
  EXPECT_TRUE(IsWindowVisible(failure));
  EXPECT_EQ(TextOf(failure), "Registry Save Failed");
  EXPECT_EQ(FindWindowExW(nullptr, failure, nullptr, L"Registry Save Failed"), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, L"Registry Save Failed"), failure);
  click(ChildOfClass(failure, L"Button"));  // Cancel
  EXPECT_FALSE(IsWindow(failure));
  EXPECT_FALSE(program->Windows().IsOpen(Window::SaveRegFail));
  PutTypicalDriverValues();
  ReplaceText("Text3", L"100");
  FocusOn("Command4");
  click(Control("Command4"));
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(25600));
  EXPECT_FALSE(program->MessageHwnd(Window::SaveRegFail));
  EXPECT_FALSE(QuitPosted());
  click(Control("Command2"));  // Exit
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_TRUE(QuitPosted());
}

// korvex.exe itself, as another program drives it: its message loop too.
struct ProgramWindow {
  DWORD process_id;
  HWND found;
};
BOOL CALLBACK FindEditor(HWND hwnd, LPARAM parameter) {
  auto* search = reinterpret_cast<ProgramWindow*>(parameter);
  DWORD process_id = 0;
  GetWindowThreadProcessId(hwnd, &process_id);
  wchar_t window_class[16] = {};
  GetClassNameW(hwnd, window_class, 16);
  if (process_id != search->process_id || lstrcmpW(window_class, window::kEditorClass) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

TEST(KorvexProcessTest, AMegabyteOfTextFromAnotherProgramLosesNothingAndExitEndsIt) {
  PutTypicalDriverValues();
  PutDword("LoadImageOnStart", 1);  // Text1 enabled
  std::wstring command = L"\"" + win32::Widen(KORVEX_PATH) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION korvex{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &korvex));
  struct Ends {  // whatever fails, nothing is left running
    PROCESS_INFORMATION& process;
    ~Ends() {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  } ends{korvex};
  ProgramWindow editor{korvex.dwProcessId, nullptr};
  for (int tries = 0; tries < 600 && !editor.found; ++tries) {
    Sleep(100);
    EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&editor));
  }
  ASSERT_TRUE(editor.found);
  WaitForInputIdle(korvex.hProcess, 30000);
  HWND text1 = FindWindowExW(editor.found, nullptr, L"Edit", nullptr);  // the first box of the z-order
  DWORD_PTR result = 0;
  wchar_t shown[32] = {};
  SendMessageTimeoutW(text1, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(shown), SMTO_NORMAL, 30000, &result);
  ASSERT_STREQ(shown, L"C:\\ramdisk.img");
  std::wstring megabyte(1 << 20, L'x');
  // Under Wine it never reaches the box: the program cannot receive it, and
  // no answer comes.
  SendMessageTimeoutW(text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(megabyte.c_str()), SMTO_NORMAL, 3000, &result);
  EXPECT_EQ(WaitForSingleObject(korvex.hProcess, 1000), WAIT_TIMEOUT);
  SendMessageTimeoutW(text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\after.img"), SMTO_NORMAL, 30000, &result);
  SendMessageTimeoutW(FindWindowExW(editor.found, nullptr, L"Button", L"Save"), BM_CLICK, 0, 0, SMTO_NORMAL, 30000,
                      &result);
  EXPECT_EQ(ReadRaw("LoadImageFile"), (RawValue{REG_SZ, std::string("\\??\\C:\\after.img\0", 17)}));
  SendMessageTimeoutW(FindWindowExW(editor.found, nullptr, L"Button", L"Exit"), BM_CLICK, 0, 0, SMTO_NORMAL, 30000,
                      &result);
  EXPECT_EQ(WaitForSingleObject(korvex.hProcess, 5000), WAIT_OBJECT_0);
  DWORD exit_code = 1;
  GetExitCodeProcess(korvex.hProcess, &exit_code);
  EXPECT_EQ(exit_code, 0u);
}

}  // namespace
}  // namespace korvex::testing
