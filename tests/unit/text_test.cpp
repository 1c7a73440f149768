// The text service, and the number-to-text rules that visible output uses.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/heap_bytes.h"
#include "platform/sim/sim.h"
#include "plugin/exports.h"
#include "plugin/text.h"

namespace {

using zorvel::TextVar;

class TextService : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sim::reset();
    DllMain(nullptr, 1, nullptr);
  }
  void TearDown() override {
    platform::sim::clearFaults();
    DllMain(nullptr, 0, nullptr);
  }
};

// The host's text variable gets its own copy, replaced by the next assignment, and nothing is
// kept once every variable is released.
TEST_F(TextService, AssignTextKeepsOneCopyOfItsOwn) {
  char* variable = nullptr;
  EXPECT_EQ(zorvel::assignText(nullptr, &variable), 0);
  ASSERT_NE(variable, nullptr);
  EXPECT_STREQ(variable, "");
  std::string source = "a rather longer first text";
  zorvel::assignText(source.c_str(), &variable);
  source[0] = 'D';
  EXPECT_STREQ(variable, "a rather longer first text");
  zorvel::assignText(std::string(5000, 'x').c_str(), &variable);
  EXPECT_EQ(std::string(variable), std::string(5000, 'x'));
  zorvel::releaseText(&variable);
  EXPECT_EQ(variable, nullptr);
  {
    // Appending part of itself survives the buffer moving.
    TextVar t("abc");
    for (int i = 0; i < 12; ++i) t.append(t.c_str(), t.size());
    EXPECT_EQ(t.size(), 3u << 12);
    EXPECT_EQ(std::string(t.c_str()).substr(0, 9), "abcabcabc");
    t.append('!').append(nullptr, 5);
    EXPECT_EQ(t.last(), '!');
  }
  EXPECT_EQ(heapBytesInUse(zorvel::textHeap()), 0u);
}

TEST_F(TextService, ACopyThatCannotBeAllocatedLeavesTheVariableAsItWas) {
  TextVar t("kept");
  platform::sim::failCall("HeapReAlloc", 1, platform::kErrorNotEnoughMemory);
  t.append(std::string(4096, 'z').c_str());
  EXPECT_EQ(platform::sim::faultsFired(), 1);
  EXPECT_STREQ(t.c_str(), "kept");
  char* variable = nullptr;
  platform::sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
  zorvel::assignText("lost", &variable);
  EXPECT_EQ(variable, nullptr);
}

TEST_F(TextService, DecimalAndRightAlignedTexts) {
  auto decimal = [](std::int64_t n) {
    TextVar t;
    zorvel::decimalText(n, t);
    return std::string(t.c_str());
  };
  EXPECT_EQ(decimal(0), "0");
  EXPECT_EQ(decimal(-1), "-1");
  EXPECT_EQ(decimal(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(decimal(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
  auto aligned = [](const char* text, std::int32_t width) {
    TextVar t;
    zorvel::rightAlign(text, width, t);
    return std::string(t.c_str());
  };
  EXPECT_EQ(aligned("7", 2), " 7");
  EXPECT_EQ(aligned("123", 2), "12");
  EXPECT_EQ(aligned(nullptr, 3), "   ");
  EXPECT_EQ(aligned("abc", -5), "");
  // Aligning a variable's own text, in place.
  TextVar t("7");
  zorvel::rightAlign(t.c_str(), 3, t);
  EXPECT_STREQ(t.c_str(), "  7");
  zorvel::rightAlign(t.c_str(), 2, t);
  EXPECT_STREQ(t.c_str(), "  ");
}

}  // namespace
