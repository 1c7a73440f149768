// The simulated Windows' control interface: tests set up the machine, make operations fail, read
// the record of calls and check that everything handed out was given back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../console.h"
#include "../dialogs.h"
#include "../types.h"

namespace platform::sim {

// A fresh machine: empty drives C:\ and D:\, current directory C:\, no injected faults, an empty
// call record, nothing open, and every area below at its defaults. Heaps the code under test
// still holds are left alone.
void reset();

// The nth call (from 1, counted from now) of the named operation fails with `error` as its last
// error (the registry's calls return it); failAlways: every call until clearFaults.
void failCall(const std::string& operation, int nth, DWORD error);
void failAlways(const std::string& operation, DWORD error);
void clearFaults();
int faultsFired();  // since the last reset or clearFaults

// The record of calls: one entry per seam call, in call order, with its arguments as texts: a
// text as it is ("(null)" for none), a number in decimal, a pointer in hexadecimal ("0x0").
struct Call {
  std::string operation;
  std::vector<std::string> args;
};
const std::vector<Call>& calls();
void clearCalls();
std::vector<Call> callsOf(const std::string& operation);

// What the code under test holds and has to give back (searches, process and thread handles,
// registry keys, global and shell memory, environment copies, module loads): one line "kind" or
// "kind name" each, in the order they were opened; "" when everything was given back.
std::string openHandles();

// ---- Code page ----
// The process's ANSI code page, in which the seam's texts are: kCodePageWestern (1252) or
// kCodePageUtf8 (65001), as a manifest makes it. reset(): 1252.
void setCodePage(UINT codePage);
// The UTF-8 of a text in the code page, as the seam's calls read it.
std::string fromCodePage(const std::string& ansi);

// ---- Files ----
// Paths resolve as the seam's do, but without the 260-character limit, and are Unicode in UTF-8
// whatever the code page, so tests can name files that the code page cannot. A path that cannot
// exist (a file in the way, a name with * ? < > | ") aborts the test program.
void addFolder(const std::string& path);  // with its parents
void addFile(const std::string& path, const std::string& content = "",
             DWORD attributes = kFileAttributeArchive);  // parents made as needed
// A junction at `path` (made with its parents) that leads to the existing folder `target`,
// which must outlive it. Paths through it reach the target's entries; a search lists the
// junction itself as a folder with kFileAttributeReparsePoint.
void addJunction(const std::string& path, const std::string& target);
bool exists(const std::string& path);
bool isFolder(const std::string& path);
std::string fileContent(const std::string& path);  // "" for a missing file
DWORD attributesOf(const std::string& path);       // 0xFFFFFFFF when missing
// In the code page, as GetCurrentDirectoryA gives it: "C:\\work", "C:\\".
std::string currentDirectory();
void setCurrentDirectoryPath(const std::string& path);  // UTF-8, no checks
// Gives an existing entry a short 8.3 name (ASCII, upper case, unique in its folder), by which
// paths reach it too and which the find calls report (cAlternateFileName), or instead of a long
// name that the code page cannot hold. reset(): entries have none, as in Wine.
void setShortName(const std::string& path, const std::string& shortName);
// Names in a folder in enumeration order (creation order), "." and ".." not included.
std::vector<std::string> folderNames(const std::string& path);

// ---- Environment ----
// Replaces the whole block with these strings, in this order ("name=value", "=C:=C:\\work", or
// anything else a block may hold). reset(): a small default block that starts with "=C:=C:\\".
void setEnvironment(const std::vector<std::string>& entries);
std::vector<std::string> environmentEntries();

// ---- Clipboard ----
// While held, another program has the clipboard open and OpenClipboard fails.
void holdClipboard(bool heldByAnotherProgram);
// Empties the clipboard and places one format with exactly these bytes, as another program
// would (a text may lack its NUL or hold several).
void placeClipboardData(UINT format, const std::string& bytes);
// The whole block that holds a format, or nothing.
std::optional<std::string> clipboardData(UINT format);
std::vector<UINT> clipboardFormats();
bool clipboardOpen();  // by this thread, now

// ---- Registry and version ----
// Sets a value under root\subkey (a predefined root; names compare case-insensitively). The
// bytes are stored as given: setRegistryText adds the terminating zero that Windows stores.
void setRegistryValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& bytes, DWORD type = 1 /* REG_SZ */);
void setRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text);
// What GetVersionExA reports. reset(): NT 6.1, build 7601, workstation.
void setVersion(DWORD platformId, DWORD major, DWORD minor, unsigned char productType);

// ---- Processes ----
// A program is a file of the simulated file system whose name ends in ".exe" or ".com". A name
// without a folder is looked for in the current directory, C:\Windows\System32 and C:\Windows.
struct Process {
  std::string program;      // the program file, as an absolute path
  std::string commandLine;  // the command line the program receives
  std::string directory;    // the directory it starts in
  WORD showWindow;          // STARTUPINFOA.wShowWindow, or the shell's nShow
  bool byShell;             // started by ShellExecuteExA
  std::string shellFile;    // for a start by the shell: what it was asked to open
};
const std::vector<Process>& processes();  // since the last reset, in order
// The shell opens files whose name ends in `extension` (".txt"), addresses that begin with
// `scheme` ("http:"), or folders ("folder") with `program`, which gets the file's path in
// double quotes (then the parameters) as its command line.
void associate(const std::string& extensionSchemeOrFolder, const std::string& program);
// Requests for `program` go to an instance that runs already: ShellExecuteExA succeeds with no
// process handle, and no process is recorded.
void runsAlready(const std::string& program);

// ---- Shell ----
// Where a special folder points; an empty path makes a folder without a file-system path.
// reset(): the desktop, documents, profile and program files folders under C:\Users\quenda and
// C:\Program Files; SHGetSpecialFolderLocation refuses any other with kEInvalidArg.
void setSpecialFolder(int csidl, const std::string& path);

// ---- Desktop and dialogs ----
// The simulated process, the thread that calls the seam unless setCurrentThread says otherwise,
// and another process, for windows that are not ours.
constexpr DWORD kProcessId = 0x1000;
constexpr DWORD kHostThreadId = 0x1004;
constexpr DWORD kOtherProcessId = 0x2000;
void setCurrentThread(DWORD threadId);  // reset(): kHostThreadId

// A new top-level window in front of the others. reset(): no windows, no foreground window.
HWND addWindow(DWORD threadId = kHostThreadId, bool visible = true, bool enabled = true,
               DWORD processId = kProcessId);
void removeWindow(HWND window);
void setForegroundWindow(HWND window);  // null: none
bool windowEnabled(HWND window);

// How the "Open" dialog answers. The handler sees the structure while the dialog is open (its
// window in front, the foreground window, of the calling thread); its result is
// GetOpenFileNameA's. Without OFN_NOCHANGEDIR a TRUE answer moves the current directory to the
// chosen file's folder, as the real dialog does. reset(): every dialog is cancelled.
using FileDialogHandler = std::function<BOOL(OPENFILENAMEA& dialog)>;
void onFileDialog(FileDialogHandler handler);
// The user types `path` and presses Open: TRUE when it fits nMaxFile with its NUL.
void answerFileDialog(const std::string& path);

// How the folder browser ("SHBrowseForFolder" in SHELL32.DLL) answers: the handler sees the
// structure after the dialog's callback had BFFM_INITIALIZED and gives the chosen folder's path,
// an empty one for an item without a file-system path, or nothing for a cancel. reset(): every
// browser is cancelled.
using FolderDialogHandler = std::function<std::optional<std::string>(BROWSEINFOA& info)>;
void onFolderDialog(FolderDialogHandler handler);
void answerFolderDialog(const std::string& path);
// The path the last folder browser was told to select with BFFM_SETSELECTIONA, if any.
std::optional<std::string> folderDialogSelection();

// ---- Keyboard ----
// Puts a key down or up. A key going down sets its pressed-since bit, which the next
// GetAsyncKeyState of that key reports and clears. reset(): every key up, no bits set.
void setKeyDown(int virtualKey, bool down);
// Called at the start of every GetAsyncKeyState with the key and the number of this query of
// that key (1 for the first since reset); it may press and release keys. reset() removes it.
using KeyQueryHook = std::function<void(int virtualKey, int query)>;
void onKeyQuery(KeyQueryHook hook);
int keyQueries(int virtualKey);  // since reset

// ---- Console input ----
// Queues events for ReadConsoleInputW on the standard input, which counts as a console while
// any are queued. reset(): none queued, no control handlers.
void typeConsoleInput(const std::vector<INPUT_RECORD>& events);
std::size_t consoleInputLeft();
// Calls the control handlers as Ctrl+C (kCtrlCEvent) would, newest first, on this thread; true
// when one of them handled the event.
bool raiseConsoleCtrl(DWORD event);

// ---- Modules ----
// Registers a module under `name` (matched case-insensitively by its base name, ".dll" added
// when it has no extension) with these exports, or adds them to one registered already (an
// export of the same name is replaced). "KERNEL32.DLL" (exporting GetLastError) and
// "SHELL32.DLL" (the folder browser) are always there. A "DllMain" export runs as the entry
// point: attach at the first load, detach at the last FreeLibrary.
using Export = std::pair<std::string, void*>;
void addModule(const std::string& name, const std::vector<Export>& exports);
void removeModule(const std::string& name);  // not a built-in one

}  // namespace platform::sim
