// Starting programs (platform/process.h). The program started is the system's command
// interpreter, told to exit at once.
#include "fixture.h"

namespace {

using namespace platform;

const std::string kInterpreter = "C:\\windows\\system32\\cmd.exe";

class Process : public contract::Folder {
 protected:
  void SetUp() override {
    contract::Folder::SetUp();
    if (contract::kSimulated) {  // an empty machine: the two system files the cases use
      contract::writeFile(kInterpreter, "program");
      contract::writeFile("C:\\windows\\win.ini", "[windows]");
    }
  }

  // CreateProcessA as the library calls it: its error, 0 when it started a process. On failure the
  // information is left as it was or zeroed, and holds nothing to close.
  DWORD start(std::string commandLine, const char* directory = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = kStartfUseShowWindow;
    startup.wShowWindow = kSwShowNormal;
    PROCESS_INFORMATION info, zero = {};
    std::memset(&info, contract::kPrime, sizeof info);
    SetLastError(contract::kPrimeError);
    BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, kFalse,
                                  kNormalPriorityClass, nullptr, directory, &startup, &info);
    if (!started) {
      EXPECT_TRUE(contract::primed(&info, sizeof info) || !std::memcmp(&info, &zero, sizeof info));
      return GetLastError();
    }
    EXPECT_TRUE(info.hProcess && info.hThread && info.hProcess != info.hThread);
    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FAILS(CloseHandle(info.hProcess), kFalse, kErrorInvalidHandle);  // once only
    return 0;
  }

  // ShellExecuteExA as the library calls it: its error, 0 when it started a process.
  DWORD shell(const std::string& file, const char* parameters) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
    info.lpVerb = "";
    info.lpFile = file.c_str();
    info.lpParameters = parameters;
    info.lpDirectory = "C:\\windows";
    info.nShow = kSwShowNormal;
    info.hProcess = reinterpret_cast<HANDLE>(0xbdbdbdbd);
    SetLastError(contract::kPrimeError);
    if (!ShellExecuteExA(&info)) {
      EXPECT_LE(reinterpret_cast<std::uintptr_t>(info.hInstApp), 32u);
      EXPECT_EQ(info.hProcess, nullptr);
      return GetLastError();
    }
    EXPECT_GT(reinterpret_cast<std::uintptr_t>(info.hInstApp), 32u);
    EXPECT_TRUE(info.hProcess && info.hProcess != reinterpret_cast<HANDLE>(0xbdbdbdbd));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    return 0;
  }
};

TEST_F(Process, AProgramStartsByItsPathOrItsBareNameAndWhatIsNoneIsRefused) {
  EXPECT_EQ(start("\"" + kInterpreter + "\" /c exit", "C:\\windows"), 0u);
  EXPECT_EQ(start("\"cmd\" /c exit", "C:\\windows"), 0u);  // searched for, ".exe" added
  EXPECT_EQ(start("\"C:\\windows\\zv-no-such-program.exe\""), kErrorFileNotFound);
  EXPECT_EQ(start("\"C:\\zv-no-such-folder\\program.exe\""), kErrorFileNotFound);
  // A document is no program: the shell has to open it.
  EXPECT_EQ(start("\"C:\\windows\\win.ini\""), kErrorBadExeFormat);
  EXPECT_EQ(start("\"" + kInterpreter + "\" /c exit", "C:\\zv-no-such-folder"), kErrorDirectory);
}

TEST_F(Process, TheShellStartsAProgramAndRefusesMissingFilesAndTypesNothingOpens) {
  EXPECT_EQ(shell(kInterpreter, "/c exit"), 0u);
  EXPECT_EQ(shell(base + "zv-missing.txt", ""), kErrorFileNotFound);
  contract::writeFile(base + "data.zvnone", "?");
  DWORD error = shell(base + "data.zvnone", "");
  // Known difference: Wine tries to run a file of an unknown type and reports it as no program.
  EXPECT_TRUE(error == kErrorNoAssociation ||
              (!contract::kSimulated && error == kErrorBadExeFormat))
      << error;
}

}  // namespace
