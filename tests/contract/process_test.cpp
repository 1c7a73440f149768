// Starting programs: CreateProcessA, ShellExecuteExA and CloseHandle, the same cases natively
// against the simulation and under Wine. The program started is the system's command
// interpreter, told to exit at once.
#include <cstring>
#include <string>

#include "fixture.h"
#include "platform/process.h"

namespace {

using namespace platform;

const char* const kInterpreter = "C:\\windows\\system32\\cmd.exe";

class Process : public contract::Folder {
 protected:
  void SetUp() override {
    contract::Folder::SetUp();
    // The simulation's machine is empty: it gets the two system files the cases use.
    if (std::string(contract::backendName()) == "sim") {
      contract::writeFile(kInterpreter, "program");
      contract::writeFile("C:\\windows\\win.ini", "[windows]");
    }
  }

  // CreateProcessA with the library's arguments; *info primed when it fails.
  BOOL start(std::string commandLine, const char* directory, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = kStartfUseShowWindow;
    startup.wShowWindow = kSwShowNormal;
    std::memset(&info, contract::kPrime, sizeof info);
    SetLastError(contract::kPrimeError);
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, kFalse,
                          kNormalPriorityClass, nullptr, directory, &startup, &info);
  }

  // After a failure the information is left as it was or zeroed: it holds nothing to close.
  static bool noHandles(const PROCESS_INFORMATION& info) {
    PROCESS_INFORMATION zero = {};
    return contract::primed(&info, sizeof info) || std::memcmp(&info, &zero, sizeof info) == 0;
  }

  SHELLEXECUTEINFOA shellInfo(const char* file, const char* parameters) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
    info.lpVerb = "";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = "C:\\windows";
    info.nShow = kSwShowNormal;
    info.hProcess = reinterpret_cast<HANDLE>(0xbdbdbdbd);
    return info;
  }
};

TEST_F(Process, AStartedProgramGivesAProcessAndAThreadHandleToCloseOnce) {
  PROCESS_INFORMATION info;
  std::string line = std::string("\"") + kInterpreter + "\" /c exit";
  ASSERT_TRUE(start(line, "C:\\windows", info));
  EXPECT_NE(info.hProcess, nullptr);
  EXPECT_NE(info.hThread, nullptr);
  EXPECT_NE(info.hProcess, info.hThread);
  EXPECT_NE(info.dwProcessId, 0u);
  EXPECT_NE(info.dwProcessId, 0xbdbdbdbdu);
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FAILS(CloseHandle(info.hProcess), kFalse, kErrorInvalidHandle);
}

TEST_F(Process, ANameWithoutFolderOrExtensionIsSearchedFor) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(start("\"cmd\" /c exit", "C:\\windows", info));
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

TEST_F(Process, WhatCannotBeStartedLeavesTheInformationAlone) {
  PROCESS_INFORMATION info;
  EXPECT_FALSE(start("\"C:\\windows\\zv-no-such-program.exe\"", nullptr, info));
  EXPECT_EQ(GetLastError(), kErrorFileNotFound);
  EXPECT_TRUE(noHandles(info));

  EXPECT_FALSE(start("\"C:\\zv-no-such-folder\\program.exe\"", nullptr, info));
  EXPECT_EQ(GetLastError(), kErrorFileNotFound);
  EXPECT_TRUE(noHandles(info));

  // A document is no program: the shell has to open it.
  EXPECT_FALSE(start("\"C:\\windows\\win.ini\"", nullptr, info));
  EXPECT_EQ(GetLastError(), kErrorBadExeFormat);
  EXPECT_TRUE(noHandles(info));

  std::string line = std::string("\"") + kInterpreter + "\" /c exit";
  EXPECT_FALSE(start(line, "C:\\zv-no-such-folder", info));
  EXPECT_EQ(GetLastError(), kErrorDirectory);
  EXPECT_TRUE(noHandles(info));
}

TEST_F(Process, TheShellStartsAProgramAndHandsBackItsProcess) {
  SHELLEXECUTEINFOA info = shellInfo(kInterpreter, "/c exit");
  ASSERT_TRUE(ShellExecuteExA(&info));
  EXPECT_GT(reinterpret_cast<std::uintptr_t>(info.hInstApp), 32u);
  ASSERT_NE(info.hProcess, nullptr);
  EXPECT_NE(info.hProcess, reinterpret_cast<HANDLE>(0xbdbdbdbd));
  EXPECT_TRUE(CloseHandle(info.hProcess));
}

TEST_F(Process, TheShellRefusesMissingFilesAndTypesNothingOpens) {
  std::string missing = base + "zv-missing.txt";
  SHELLEXECUTEINFOA info = shellInfo(missing.c_str(), "");
  SetLastError(contract::kPrimeError);
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(GetLastError(), kErrorFileNotFound);
  EXPECT_LE(reinterpret_cast<std::uintptr_t>(info.hInstApp), 32u);
  EXPECT_EQ(info.hProcess, nullptr);

  std::string unknown = base + "data.zvnone";
  contract::writeFile(unknown, "?");
  info = shellInfo(unknown.c_str(), "");
  SetLastError(contract::kPrimeError);
  EXPECT_FALSE(ShellExecuteExA(&info));
  // Known difference: Wine tries to run a file of an unknown type and reports it as no program.
  if (std::string(contract::backendName()) == "win32") {
    EXPECT_TRUE(GetLastError() == kErrorNoAssociation || GetLastError() == kErrorBadExeFormat)
        << GetLastError();
  } else {
    EXPECT_EQ(GetLastError(), kErrorNoAssociation);
  }
  EXPECT_LE(reinterpret_cast<std::uintptr_t>(info.hInstApp), 32u);
  EXPECT_EQ(info.hProcess, nullptr);
}

}  // namespace
