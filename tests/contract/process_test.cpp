// Starting programs (platform/process.h) as the library does: what is started hands back handles
// to close once, what is not hands back none. The program is the system's command interpreter,
// told to exit at once.
#include "fixture.h"

namespace {

using namespace platform;

const std::string kInterpreter = "C:\\windows\\system32\\cmd.exe";

using Process = contract::Folder;

TEST_F(Process, WhatIsStartedHandsBackHandlesToCloseOnceAndWhatIsNotNone) {
  if (contract::kSimulated) {  // an empty machine: the two system files the cases use
    contract::writeFile(kInterpreter, "program");
    contract::writeFile("C:\\windows\\win.ini", "[windows]");
  }
  struct Case {
    std::string line;
    const char* folder;
    DWORD error;
  };
  const std::string exit = "\"" + kInterpreter + "\" /c exit";
  const std::vector<Case> cases{
      {exit, "C:\\windows", 0},
      {"\"cmd\" /c exit", "C:\\windows", 0},  // searched for, ".exe" added
      {"\"C:\\zv-no-such-folder\\program.exe\"", nullptr, kErrorFileNotFound},
      {"\"C:\\windows\\win.ini\"", nullptr, kErrorBadExeFormat},  // a document: for the shell
      {exit, "C:\\zv-no-such-folder", kErrorDirectory},
  };
  for (auto [line, folder, error] : cases) {
    SCOPED_TRACE(line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info, zero = {};
    std::memset(&info, contract::kPrime, sizeof info);
    SetLastError(contract::kPrimeError);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, kFalse, kNormalPriorityClass,
                        nullptr, folder, &startup, &info)) {
      EXPECT_EQ(GetLastError(), error);
      EXPECT_TRUE(contract::primed(&info, sizeof info) || !std::memcmp(&info, &zero, sizeof info));
      continue;
    }
    EXPECT_EQ(error, 0u);
    EXPECT_TRUE(info.hProcess && info.hThread && info.hProcess != info.hThread);
    EXPECT_TRUE(CloseHandle(info.hThread) && CloseHandle(info.hProcess));
    EXPECT_FAILS(CloseHandle(info.hProcess), kFalse, kErrorInvalidHandle);  // once only
  }

  // The shell, the same way.
  contract::writeFile("data.zvnone", "?");
  for (const std::string& file : {kInterpreter, base + "zv-missing.txt", base + "data.zvnone"}) {
    SCOPED_TRACE(file);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
    info.lpVerb = "";
    info.lpFile = file.c_str();
    info.lpParameters = "/c exit";
    info.lpDirectory = "C:\\windows";
    info.nShow = kSwShowNormal;
    info.hProcess = reinterpret_cast<HANDLE>(0xbdbdbdbd);
    BOOL started = ShellExecuteExA(&info);
    EXPECT_EQ(started != kFalse, file == kInterpreter);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(info.hInstApp) > 32, started != kFalse);
    EXPECT_EQ(info.hProcess != nullptr, started != kFalse);
    EXPECT_TRUE(!started || CloseHandle(info.hProcess));
  }
}

}  // namespace
