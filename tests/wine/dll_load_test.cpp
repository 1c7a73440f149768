// The real zorvel.dll under Wine: it loads, binds, initialises and creates its two classes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/module.h"
#include "runtime/runtime.h"

namespace {

TEST(RealLibrary, LoadsBindsAndCreatesItsClasses) {
  quenda::Runtime runtime;
  runtime.clearSlotCalls();  // the log is kept from here on
  quenda::Result loaded = runtime.load("zorvel.dll");
  ASSERT_TRUE(loaded.ok()) << *loaded.error;

  // Binding fetched the standing values in order and handed over the text assigner; then
  // initialisation created "file" and "folder" and registered three tables.
  std::vector<int> expected;
  for (int i = 0; i < abi::kStandingValueCount; ++i) expected.push_back(i);
  expected.push_back(abi::kSetTextAssigner);
  for (int slot : {abi::kCreateClass, abi::kRegisterFunctions, abi::kCreateClass,
                   abi::kRegisterFunctions, abi::kRegisterFunctions})
    expected.push_back(slot);
  std::vector<int> calls = runtime.slotCalls();
  ASSERT_GE(calls.size(), expected.size());
  EXPECT_EQ(std::vector<int>(calls.begin(), calls.begin() + expected.size()), expected);

  abi::word file = runtime.classHandle("file");
  abi::word folder = runtime.classHandle("folder");
  EXPECT_NE(file, 0u);
  EXPECT_NE(folder, 0u);
  EXPECT_NE(file, folder);

  // The class exports answer with the same handles, under their plain names.
  platform::HMODULE module = platform::LoadLibraryA("zorvel.dll");
  ASSERT_NE(module, nullptr);
  auto fileClass =
      reinterpret_cast<abi::ClassExport>(platform::GetProcAddress(module, "FileClass"));
  auto folderClass =
      reinterpret_cast<abi::ClassExport>(platform::GetProcAddress(module, "FolderClass"));
  ASSERT_NE(fileClass, nullptr);
  ASSERT_NE(folderClass, nullptr);
  EXPECT_EQ(fileClass(), file);
  EXPECT_EQ(folderClass(), folder);
  for (const char* name : {"DllMain", "QuendaGetFunctions", "InitLibrary"})
    EXPECT_NE(platform::GetProcAddress(module, name), nullptr) << name;
  EXPECT_EQ(platform::GetProcAddress(module, "_InitLibrary@0"), nullptr);
  platform::FreeLibrary(module);
}

TEST(RealLibrary, AMissingLibraryIsAClearError) {
  quenda::Runtime runtime;
  quenda::Result loaded = runtime.load("no-such-library.dll");
  ASSERT_FALSE(loaded.ok());
  EXPECT_FALSE(loaded.error->empty());
}

}  // namespace
