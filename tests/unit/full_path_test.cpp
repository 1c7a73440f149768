// The absolute form of a path, by which the tree copy recognises its destination.
#include <gtest/gtest.h>

#include <string>

#include "classes/full_path.h"

namespace {

std::string full(const char* path, const char* current = "C:\\work\\src") {
  char out[600];
  return zorvel::fullPath(path, current, out, sizeof out) ? out : "<none>";
}

TEST(FullPath, ResolvesAsWindowsWouldOrRefuses) {
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\a\\b\\", "C:\\a\\b"},
      {"c:/a//b/./c/../d", "C:\\a\\b\\d"},
      {"sub\\x", "C:\\work\\src\\sub\\x"},
      {"..\\..\\..\\..\\up", "C:\\up"},
      {"\\rooted", "C:\\rooted"},
      {"C:here", "C:\\work\\src\\here"},
      {"D:there", "D:\\there"},
      {"C:\\", "C:"},
      {"name.. \\x.", "C:\\work\\src\\name\\x"},
      {"\\\\server\\share\\dir\\..\\..\\f", "\\\\server\\share\\f"},
      {"", "<none>"},
      {nullptr, "<none>"},
  };
  for (const auto& [path, resolved] : rows) EXPECT_EQ(full(path), resolved) << path;
  EXPECT_EQ(full("x", "\\\\server\\share\\dir"), "\\\\server\\share\\dir\\x");
  EXPECT_EQ(full("relative", ""), "<none>");
  EXPECT_EQ(full("relative", nullptr), "<none>");
  // The output holds the path and its NUL, or is refused.
  char small[8];
  EXPECT_FALSE(zorvel::fullPath("C:\\abcdef", "C:\\", small, sizeof small));
  EXPECT_TRUE(zorvel::fullPath("C:\\abcd", "C:\\", small, sizeof small));
  EXPECT_STREQ(small, "C:\\abcd");
  EXPECT_TRUE(zorvel::samePathText("C:\\Work\\SRC", "c:\\work\\src"));
  EXPECT_FALSE(zorvel::samePathText("C:\\work", "C:\\work\\"));
}

}  // namespace
