// The clip group against the simulated clipboard.
#include <string>
#include <vector>

#include "namespace_fixture.h"
#include "platform/clipboard.h"

namespace {

namespace sim = platform::sim;
using platform::kClipboardDib;
using platform::kClipboardText;

class Clip : public NamespaceTest {
 protected:
  // After every call the clipboard is closed again and no block is left over.
  void TearDown() override {
    EXPECT_FALSE(sim::clipboardOpen());
    NamespaceTest::TearDown();
  }
  std::optional<std::string> text() { return sim::clipboardData(kClipboardText); }
};

TEST_F(Clip, SetPlacesTheTextWithItsNulAndGetReadsItBack) {
  EXPECT_EQ(describe(call("clip.set", {"hello"})), "none");
  EXPECT_EQ(text(), std::string("hello\0", 6));
  EXPECT_EQ(sim::clipboardFormats(), std::vector<platform::UINT>{kClipboardText});
  auto alloc = sim::callsOf("GlobalAlloc");
  ASSERT_EQ(alloc.size(), 1u);
  EXPECT_EQ(alloc[0].args, (std::vector<std::string>{"8194", "6"}));  // 0x2002
  EXPECT_EQ(describe(call("clip.get")), "text hello");

  EXPECT_EQ(describe(call("clip.set", {""})), "none");
  EXPECT_EQ(text(), std::string("\0", 1));
  EXPECT_EQ(describe(call("clip.get")), "text ");
}

TEST_F(Clip, SetReplacesEveryFormat) {
  sim::placeClipboardData(kClipboardDib, std::string(44, '\0'));
  call("clip.set", {"x"});
  EXPECT_EQ(sim::clipboardFormats(), std::vector<platform::UINT>{kClipboardText});
}

TEST_F(Clip, GetStopsAtTheFirstNulAndAtTheBlocksEnd) {
  sim::placeClipboardData(kClipboardText, std::string("abc\0def\0", 8));
  EXPECT_EQ(describe(call("clip.get")), "text abc");
  // Another program's block without a NUL is read up to its end, not past it.
  sim::placeClipboardData(kClipboardText, "xyz");
  EXPECT_EQ(describe(call("clip.get")), "text xyz");
  sim::placeClipboardData(kClipboardText, "");
  EXPECT_EQ(describe(call("clip.get")), "text ");
}

TEST_F(Clip, GetWithoutTextGivesEmptyText) {
  sim::placeClipboardData(kClipboardDib, std::string(44, '\0'));
  EXPECT_EQ(describe(call("clip.get")), "text ");
  sim::placeClipboardData(kClipboardText, "t");
  for (const char* operation : {"GetClipboardData", "GlobalLock"}) {
    sim::failCall(operation, 1, platform::kErrorAccessDenied);
    EXPECT_EQ(describe(call("clip.get")), "text ") << operation;
    sim::clearFaults();
  }
}

TEST_F(Clip, ClipboardHeldByAnotherProgram) {
  sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
  sim::holdClipboard(true);
  EXPECT_EQ(describe(call("clip.get")), "text ");
  EXPECT_EQ(describe(call("clip.set", {"new"})), "none");
  EXPECT_TRUE(sim::callsOf("GlobalAlloc").empty());
  EXPECT_TRUE(sim::callsOf("CloseClipboard").empty());
  sim::holdClipboard(false);
  EXPECT_EQ(describe(call("clip.get")), "text old");
}

TEST_F(Clip, SetWithoutArgumentTouchesNothing) {
  runtime.clearSlotCalls();
  EXPECT_EQ(describe(call("clip.set")), "error: The minimal argument count is 1!");
  EXPECT_EQ(slotCount(abi::kNextArgText), 1);
  EXPECT_TRUE(sim::callsOf("OpenClipboard").empty());
  EXPECT_TRUE(sim::callsOf("GlobalAlloc").empty());
}

// Whichever step before the hand-over fails, the old text stays, the clipboard is closed and
// no block is left.
TEST_F(Clip, SetThatCannotPlaceTheTextKeepsTheOldOne) {
  for (const char* operation : {"OpenClipboard", "GlobalAlloc", "GlobalLock", "EmptyClipboard"}) {
    sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
    sim::failCall(operation, 1, platform::kErrorNotEnoughMemory);
    EXPECT_EQ(describe(call("clip.set", {"new"})), "none") << operation;
    EXPECT_EQ(sim::faultsFired(), 1) << operation;
    sim::clearFaults();
    EXPECT_EQ(text(), std::string("old\0", 4)) << operation;
    EXPECT_FALSE(sim::clipboardOpen()) << operation;
    EXPECT_EQ(sim::openHandles(), "") << operation;
  }
}

// A hand-over refused after the clipboard was emptied leaves it empty, and the block is freed.
TEST_F(Clip, RefusedHandOverFreesTheBlock) {
  sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
  sim::failCall("SetClipboardData", 1, platform::kErrorNotEnoughMemory);
  EXPECT_EQ(describe(call("clip.set", {"new"})), "none");
  EXPECT_TRUE(sim::clipboardFormats().empty());
  EXPECT_EQ(sim::callsOf("GlobalFree").size(), 1u);
}

// Every call of a set, failed in turn: the clipboard ends with the new text, the old one, or
// (a refused hand-over) nothing; never a text that was not asked for.
TEST_F(Clip, SetSurvivesAFaultAtAnyStep) {
  for (int n = 1;; ++n) {
    sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
    sim::clearCalls();
    call("clip.set", {"new"});
    std::size_t steps = sim::calls().size();
    ASSERT_LT(static_cast<std::size_t>(n), steps + 2);
    if (static_cast<std::size_t>(n) > steps) break;
    std::string operation = sim::calls()[n - 1].operation;

    sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
    sim::failCall(operation, 1, platform::kErrorNotEnoughMemory);
    call("clip.set", {"new"});
    sim::clearFaults();
    auto now = text();
    EXPECT_TRUE(now == std::string("old\0", 4) || now == std::string("new\0", 4) ||
                (operation == "SetClipboardData" && !now))
        << operation;
    EXPECT_EQ(sim::openHandles(), "") << operation;
    if (operation != "CloseClipboard") {
      EXPECT_FALSE(sim::clipboardOpen()) << operation;
    }
    if (sim::clipboardOpen()) platform::CloseClipboard();
  }
}

}  // namespace
