// The absolute form of a path, by which the tree copy recognises its destination.
#include <gtest/gtest.h>

#include <string>

#include "classes/full_path.h"

namespace {

std::string full(const char* path, const char* current = "C:\\work\\src") {
  char out[600];
  return zorvel::fullPath(path, current, out, sizeof out) ? out : "<none>";
}

TEST(FullPath, ResolvesAsWindowsWould) {
  EXPECT_EQ(full("C:\\a\\b\\"), "C:\\a\\b");
  EXPECT_EQ(full("c:/a//b/./c/../d"), "C:\\a\\b\\d");
  EXPECT_EQ(full("sub\\x"), "C:\\work\\src\\sub\\x");
  EXPECT_EQ(full(".."), "C:\\work");
  EXPECT_EQ(full("..\\..\\..\\..\\up"), "C:\\up");
  EXPECT_EQ(full("\\rooted"), "C:\\rooted");
  EXPECT_EQ(full("C:here"), "C:\\work\\src\\here");
  EXPECT_EQ(full("D:there"), "D:\\there");
  EXPECT_EQ(full("C:\\"), "C:");
  EXPECT_EQ(full("name.. \\x."), "C:\\work\\src\\name\\x");
  EXPECT_EQ(full("\\\\server\\share\\dir\\..\\..\\f"), "\\\\server\\share\\f");
  EXPECT_EQ(full("x", "\\\\server\\share\\dir"), "\\\\server\\share\\dir\\x");
}

TEST(FullPath, RefusesWhatItCannotResolveOrHold) {
  EXPECT_EQ(full(""), "<none>");
  EXPECT_EQ(full(nullptr), "<none>");
  EXPECT_EQ(full("relative", ""), "<none>");
  EXPECT_EQ(full("relative", nullptr), "<none>");
  char small[8];
  EXPECT_FALSE(zorvel::fullPath("C:\\abcdef", "C:\\", small, sizeof small));
  EXPECT_TRUE(zorvel::fullPath("C:\\abcd", "C:\\", small, sizeof small));
  EXPECT_STREQ(small, "C:\\abcd");
}

TEST(FullPath, ComparesWithoutRegardToCase) {
  EXPECT_TRUE(zorvel::samePathText("C:\\Work\\SRC", "c:\\work\\src"));
  EXPECT_FALSE(zorvel::samePathText("C:\\work\\src", "C:\\work\\src2"));
  EXPECT_FALSE(zorvel::samePathText("C:\\work", "C:\\work\\"));
}

}  // namespace
