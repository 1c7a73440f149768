// The version resources of zorvel.dll and quenda.exe, read the way a file's properties read them:
// the fixed file version and the texts of the first language block.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "zorvel_version.h"

namespace {

std::string besideTests(const char* name) {
  char path[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct VersionInfo {
  std::vector<char> block;
  const VS_FIXEDFILEINFO* fixed = nullptr;

  explicit VersionInfo(const std::string& file) {
    DWORD ignored = 0xdeadbeef;
    DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return;
    block.assign(size, '\xbd');
    if (!::GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return;
    void* found = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(block.data(), "\\", &found, &length) && length >= sizeof *fixed)
      fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
  }

  // The text of `key` in the language block the translation table names first.
  std::string text(const char* key) const {
    void* found = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &found, &length) ||
        length < 4)
      return "<no translation>";
    const WORD* language = static_cast<const WORD*>(found);
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1],
                  key);
    if (!::VerQueryValueA(block.data(), query, &found, &length) || length == 0)
      return "<no " + std::string(key) + ">";
    return std::string(static_cast<const char*>(found));
  }
};

class VersionResource : public ::testing::TestWithParam<std::pair<const char*, DWORD>> {};

TEST_P(VersionResource, CarriesTheProjectVersion) {
  auto [name, fileType] = GetParam();
  VersionInfo info(besideTests(name));
  ASSERT_NE(info.fixed, nullptr) << name << " has no version resource";
  EXPECT_EQ(info.fixed->dwSignature, 0xfeef04bdu);
  EXPECT_EQ(info.fixed->dwFileVersionMS,
            static_cast<DWORD>(ZORVEL_VERSION_MAJOR << 16 | ZORVEL_VERSION_MINOR));
  EXPECT_EQ(info.fixed->dwFileVersionLS, static_cast<DWORD>(ZORVEL_VERSION_PATCH << 16));
  EXPECT_EQ(info.fixed->dwProductVersionMS, info.fixed->dwFileVersionMS);
  EXPECT_EQ(info.fixed->dwProductVersionLS, info.fixed->dwFileVersionLS);
  EXPECT_EQ(info.fixed->dwFileType, fileType);

  EXPECT_EQ(info.text("FileVersion"), ZORVEL_VERSION);
  EXPECT_EQ(info.text("ProductVersion"), ZORVEL_VERSION);
  EXPECT_EQ(info.text("OriginalFilename"), name);
  EXPECT_EQ(info.text("ProductName"), "zorvel");
}

INSTANTIATE_TEST_SUITE_P(Release, VersionResource,
                         ::testing::Values(std::pair<const char*, DWORD>{"zorvel.dll", VFT_DLL},
                                           std::pair<const char*, DWORD>{"quenda.exe", VFT_APP}));

}  // namespace
