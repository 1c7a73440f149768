// The clip group against the simulated clipboard.
#include "classes_fixture.h"
#include "platform/clipboard.h"

namespace {

using platform::kClipboardDib;
using platform::kClipboardText;

class Clip : public LibraryTest {
 protected:
  // After every call the clipboard is closed again and no block is left over.
  void TearDown() override {
    EXPECT_FALSE(sim::clipboardOpen());
    LibraryTest::TearDown();
  }
  std::optional<std::string> text() { return sim::clipboardData(kClipboardText); }
};

TEST_F(Clip, SetAndGetReadUpToTheNulAndSurviveAFaultAtAnyStep) {
  sim::placeClipboardData(kClipboardDib, std::string(44, '\0'));
  EXPECT_EQ(routine("clip.get"), "text ");
  EXPECT_EQ(routine("clip.set", {"hello"}), "none");
  EXPECT_EQ(text(), std::string("hello\0", 6));
  EXPECT_EQ(sim::clipboardFormats(), std::vector<platform::UINT>{kClipboardText});
  EXPECT_EQ(routine("clip.get"), "text hello");
  EXPECT_EQ(routine("clip.set", {""}), "none");
  EXPECT_EQ(text(), std::string("\0", 1));

  sim::placeClipboardData(kClipboardText, std::string("abc\0def\0", 8));
  EXPECT_EQ(routine("clip.get"), "text abc");
  // Another program's block without a NUL is read up to its end, not past it.
  sim::placeClipboardData(kClipboardText, "xyz");
  EXPECT_EQ(routine("clip.get"), "text xyz");

  // Held by another program: neither read nor replaced.
  sim::holdClipboard(true);
  EXPECT_EQ(routine("clip.get"), "text ");
  EXPECT_EQ(routine("clip.set", {"new"}), "none");
  sim::holdClipboard(false);
  EXPECT_EQ(routine("clip.get"), "text xyz");

  // A fault at any step of a set: the clipboard ends with the new text, the old one, or (a
  // refused hand-over, after it was emptied) nothing; never a text that was not asked for, never
  // left open, no block left over. A get gives the text or nothing.
  forEachFault(
      {"OpenClipboard", "EmptyClipboard", "GlobalAlloc", "GlobalLock", "GlobalUnlock",
       "SetClipboardData", "CloseClipboard"},
      [&](const Fault& fault) {
        sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
        fault.arm();
        EXPECT_EQ(routine("clip.set", {"new"}), "none");
        auto now = text();
        if (!fault.injected()) {
          EXPECT_EQ(now, std::string("new\0", 4));
        } else {
          EXPECT_TRUE(now == std::string("old\0", 4) || now == std::string("new\0", 4) ||
                      (fault.operation == "SetClipboardData" && !now));
        }
        if (fault.operation != "CloseClipboard") {
          EXPECT_FALSE(sim::clipboardOpen());
        }
        if (sim::clipboardOpen()) platform::CloseClipboard();
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
  sim::placeClipboardData(kClipboardText, std::string("old\0", 4));
  forEachFault(
      {"OpenClipboard", "GetClipboardData", "GlobalLock", "GlobalSize", "GlobalUnlock"},
      [&](const Fault& fault) {
        fault.arm();
        std::string got = routine("clip.get");
        EXPECT_TRUE(got == "text old" || (fault.injected() && got == "text ")) << got;
        EXPECT_FALSE(sim::clipboardOpen());
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

}  // namespace
