// Options of each DLL on a real display: a watcher thread finds the message
// box, reads its caption, text and owner, and presses OK; Options must still
// be running when it does so, and return 1 afterwards.
#include <windows.h>

#include <atomic>
#include <string>

#include "windows/host_cases.h"

namespace {

struct OptionsCase {
  PluginUnderTest PluginSet::*plugin;
  const char* message;
  const char* caption;
};

const OptionsCase kOptionsCases[] = {
    {&PluginSet::agentlabel, "There are no options for this plugin.", "SysDescr"},
    {&PluginSet::agentclock, "There are no options for this plugin.", "SystimeUp"},
    {&PluginSet::dnsnames, "There are no options for this plugin.", "Aliases Plugin"},
    {&PluginSet::linkaddr, "This plugin doesn't have any options, sorry!", "ARP MAC Plugin"},
};

// What the watcher saw; written by the watcher, read after it has ended.
struct BoxWatch {
  DWORD callerThread = 0;
  std::atomic<bool> optionsReturned{false};
  HWND box = nullptr;
  std::string caption;
  std::string texts;  // the box's static texts, separated by '|'
  HWND owner = nullptr;
  bool errorIcon = false;
  bool openWhenPressed = false;
};

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM watch) {
  if (ClassName(window) != "#32770") return TRUE;
  reinterpret_cast<BoxWatch*>(watch)->box = window;
  return FALSE;
}

BOOL CALLBACK ReadStatic(HWND child, LPARAM watch) {
  auto* seen = reinterpret_cast<BoxWatch*>(watch);
  if (ClassName(child) != "Static") return TRUE;
  // The icon is a static control with SS_ICON and no text of its own.
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    const HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    seen->errorIcon = shown != nullptr && shown == LoadIconA(nullptr, IDI_HAND);
    return TRUE;
  }
  const std::string text = WindowText(child);
  if (!text.empty()) seen->texts += (seen->texts.empty() ? "" : "|") + text;
  return TRUE;
}

// Looks for the box among the calling thread's windows for up to a minute
// (Wine under emulation is slow to draw it), then presses OK.
DWORD WINAPI PressOk(LPVOID argument) {
  auto* watch = static_cast<BoxWatch*>(argument);
  for (int attempt = 0; attempt < 600 && watch->box == nullptr; ++attempt) {
    if (watch->optionsReturned) return 0;
    EnumThreadWindows(watch->callerThread, FindDialog, reinterpret_cast<LPARAM>(watch));
    if (watch->box == nullptr) Sleep(100);
  }
  if (watch->box == nullptr) return 0;
  Sleep(300);  // Options must not return on its own meanwhile
  watch->caption = WindowText(watch->box);
  watch->owner = GetWindow(watch->box, GW_OWNER);
  EnumChildWindows(watch->box, ReadStatic, reinterpret_cast<LPARAM>(watch));
  watch->openWhenPressed = !watch->optionsReturned;
  PostMessageA(watch->box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return 0;
}

}  // namespace

void RunOptionsCases(PluginSet& plugins, CaseReport& report) {
  // The scanner's main window stands in as the owner of every box.
  const HWND parent = CreateWindowExA(0, "STATIC", "probe host", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                      100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (const OptionsCase& row : kOptionsCases) {
    PluginUnderTest& plugin = plugins.*row.plugin;
    const std::string name = std::string(plugin.name) + " Options";
    if (!plugin.problem().empty()) {
      report.NotRun(name, plugin.problem());
      continue;
    }
    CaseCheck check(name);
    check.Expect(parent != nullptr, "could not create the owner window");
    BoxWatch watch;
    watch.callerThread = GetCurrentThreadId();
    const HANDLE watcher = CreateThread(nullptr, 0, PressOk, &watch, 0, nullptr);
    const int32_t result = plugin.library->Options(parent);
    watch.optionsReturned = true;
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);

    check.Expect(result == 1, "returned " + std::to_string(result));
    check.Expect(watch.box != nullptr, "no message box appeared");
    if (watch.box != nullptr) {
      check.Expect(watch.openWhenPressed, "Options returned before OK was pressed");
      check.Expect(watch.caption == row.caption, "caption is " + Quoted(watch.caption));
      check.Expect(watch.texts == row.message, "text is " + Quoted(watch.texts));
      check.Expect(watch.owner == parent, "the box is not owned by the parent window");
      check.Expect(watch.errorIcon, "the box does not show the error icon");
    }
    ExpectCdecl(plugin, check);
    report.Record(check);
  }
  if (parent != nullptr) DestroyWindow(parent);
}
