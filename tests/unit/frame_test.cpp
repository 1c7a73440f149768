// The plug-in frame against a recording fake host: what binding and initialisation call, in
// which order, and with what.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/memory.h"
#include "plugin/abi.h"
#include "plugin/catalogue.h"
#include "plugin/exports.h"
#include "plugin/module_state.h"
#include "plugin/text.h"

namespace {

struct FakeHost {
  std::vector<int> slotCalls;
  std::vector<std::string> classNames;
  std::vector<abi::word> classNamespaces;
  std::vector<std::pair<abi::word, const unsigned char*>> registrations;
  abi::TextAssigner assigner = nullptr;
  abi::word nextClass = 0x500;
};
FakeHost* fake = nullptr;

template <int N>
abi::word ZV_STDCALL standing() {
  fake->slotCalls.push_back(N);
  return 0x1000 + N;
}

abi::word ZV_STDCALL createClass(const char* name, abi::word ns) {
  fake->slotCalls.push_back(abi::kCreateClass);
  fake->classNames.push_back(name);
  fake->classNamespaces.push_back(ns);
  return fake->nextClass++;
}

abi::word ZV_STDCALL registerFunctions(abi::word target, const unsigned char* table) {
  fake->slotCalls.push_back(abi::kRegisterFunctions);
  fake->registrations.emplace_back(target, table);
  return 0;
}

abi::word ZV_STDCALL setTextAssigner(abi::TextAssigner assign) {
  fake->slotCalls.push_back(abi::kSetTextAssigner);
  fake->assigner = assign;
  return 0;
}

template <int... N>
void putStanding(std::array<const void*, abi::kSlotCount>& table, std::integer_sequence<int, N...>) {
  ((table[N] = reinterpret_cast<const void*>(&standing<N>)), ...);
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake = &host;
    table.fill(nullptr);
    putStanding(table, std::make_integer_sequence<int, abi::kStandingValueCount>());
    table[abi::kCreateClass] = reinterpret_cast<const void*>(&createClass);
    table[abi::kRegisterFunctions] = reinterpret_cast<const void*>(&registerFunctions);
    table[abi::kSetTextAssigner] = reinterpret_cast<const void*>(&setTextAssigner);
    DllMain(nullptr, 1, nullptr);
  }
  void TearDown() override {
    DllMain(nullptr, 0, nullptr);
    zorvel::module.fileClass = zorvel::module.folderClass = 0;
    fake = nullptr;
  }
  FakeHost host;
  std::array<const void*, abi::kSlotCount> table{};
};

TEST_F(FrameTest, BindingCallsStandingSlotsInOrderThenHandsOverAssignText) {
  EXPECT_EQ(QuendaGetFunctions(table.data()), 0u);
  std::vector<int> expected;
  for (int i = 0; i < abi::kStandingValueCount; ++i) expected.push_back(i);
  expected.push_back(abi::kSetTextAssigner);
  EXPECT_EQ(host.slotCalls, expected);
  EXPECT_EQ(host.assigner, &zorvel::assignText);
  EXPECT_EQ(zorvel::module.rootNamespace, 0x1000u + 2);
  EXPECT_EQ(zorvel::module.textType, 0x1000u + 9);
  for (int i = 0; i < abi::kStandingValueCount; ++i)
    EXPECT_EQ(zorvel::module.standingValues[i], 0x1000u + i);
  for (int i = 0; i < abi::kSlotCount; ++i) EXPECT_EQ(zorvel::module.hostSlots[i], table[i]);
}

TEST_F(FrameTest, ClassHandlesAreZeroUntilInitLibraryThenTheCreatedOnes) {
  QuendaGetFunctions(table.data());
  EXPECT_EQ(FileClass(), 0u);
  EXPECT_EQ(FolderClass(), 0u);
  host.slotCalls.clear();
  EXPECT_EQ(InitLibrary(), 0u);
  EXPECT_EQ(FileClass(), 0x500u);
  EXPECT_EQ(FolderClass(), 0x501u);
}

TEST_F(FrameTest, InitLibraryCreatesAndRegistersInOrder) {
  QuendaGetFunctions(table.data());
  host.slotCalls.clear();
  InitLibrary();
  EXPECT_EQ(host.slotCalls, (std::vector<int>{abi::kCreateClass, abi::kRegisterFunctions,
                                              abi::kCreateClass, abi::kRegisterFunctions,
                                              abi::kRegisterFunctions}));
  EXPECT_EQ(host.classNames, (std::vector<std::string>{"file", "folder"}));
  EXPECT_EQ(host.classNamespaces, (std::vector<abi::word>{0x1002, 0x1002}));
  ASSERT_EQ(host.registrations.size(), 3u);
  EXPECT_EQ(host.registrations[0].first, 0x500u);
  EXPECT_EQ(host.registrations[0].second, zorvel::fileTable().bytes);
  EXPECT_EQ(host.registrations[1].first, 0x501u);
  EXPECT_EQ(host.registrations[1].second, zorvel::folderTable().bytes);
  EXPECT_EQ(host.registrations[2].first, 0x1002u);
  EXPECT_EQ(host.registrations[2].second, zorvel::rootTable().bytes);
}

TEST_F(FrameTest, ASecondBindingAndInitialisationRunTheirStepsAgain) {
  QuendaGetFunctions(table.data());
  InitLibrary();
  QuendaGetFunctions(table.data());
  InitLibrary();
  EXPECT_EQ(host.classNames.size(), 4u);
  EXPECT_EQ(FileClass(), 0x502u);
  EXPECT_EQ(FolderClass(), 0x503u);
}

TEST_F(FrameTest, ServicesAreStartedAtLoadAndTheHeapsReleasedAtUnload) {
  EXPECT_NE(zorvel::module.moduleHeap, nullptr);
  EXPECT_NE(zorvel::textHeap(), nullptr);
  DllMain(nullptr, 0, nullptr);
  EXPECT_EQ(zorvel::module.moduleHeap, nullptr);
  EXPECT_EQ(zorvel::textHeap(), nullptr);
  EXPECT_EQ(DllMain(nullptr, 2, nullptr), 1);
  EXPECT_EQ(DllMain(nullptr, 3, nullptr), 1);
  DllMain(nullptr, 1, nullptr);
}

}  // namespace
