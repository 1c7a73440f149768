// The text service and the parts of a path.
#include "classes_fixture.h"
#include "text/path_parts.h"

namespace {

using zorvel::TextVar;
using TextService = LibraryTest;

// The host's text variable gets its own copy, replaced by the next assignment, and nothing is
// kept once every variable is released; a copy that cannot be had leaves the variable as it was.
TEST_F(TextService, AssignAndAppendKeepOneCopyOfTheirOwn) {
  char* variable = nullptr;
  EXPECT_EQ(zorvel::assignText(nullptr, &variable), 0);
  EXPECT_STREQ(variable, "");
  std::string source = "a rather longer first text";
  zorvel::assignText(source.c_str(), &variable);
  source[0] = 'D';
  EXPECT_STREQ(variable, "a rather longer first text");
  zorvel::releaseText(&variable);
  EXPECT_EQ(variable, nullptr);
  sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
  zorvel::assignText("lost", &variable);
  EXPECT_EQ(variable, nullptr);
  {
    // Appending part of itself survives the buffer moving.
    TextVar t("abc");
    for (int i = 0; i < 12; ++i) t.append(t.c_str(), t.size());
    EXPECT_EQ(t.size(), 3u << 12);
    EXPECT_EQ(std::string(t.c_str()).substr(0, 9), "abcabcabc");
    TextVar kept("kept");
    sim::failCall("HeapReAlloc", 1, platform::kErrorNotEnoughMemory);
    kept.append(std::string(4096, 'z').c_str());
    EXPECT_STREQ(kept.c_str(), "kept");
  }
  {
    // A first buffer inside another block (an object's): what fits stays there, a longer text
    // moves to a buffer of its own, and only that one is ever freed.
    void* block = platform::HeapAlloc(zorvel::textHeap(), 0, zorvel::embeddedTextBytes(5));
    char* inside = nullptr;
    zorvel::embedText(&inside, block, "short", 5);
    char* const embedded = inside;
    zorvel::assignText("tiny", &inside);
    EXPECT_EQ(inside, embedded);
    sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
    zorvel::assignText("no longer fits", &inside);
    EXPECT_STREQ(inside, "tiny");
    zorvel::assignText("no longer fits", &inside);
    EXPECT_STREQ(inside, "no longer fits");
    EXPECT_STREQ(embedded, "tiny");
    zorvel::releaseText(&inside);
    zorvel::embedText(&inside, block, "again", 5);
    zorvel::releaseText(&inside);
    EXPECT_TRUE(platform::HeapFree(zorvel::textHeap(), 0, block));
  }
  EXPECT_EQ(heapBytesInUse(zorvel::textHeap()), 0u);
}

std::string part(void (*rule)(const char*, TextVar&), const char* path) {
  TextVar out("a long text that was there before");
  rule(path, out);
  EXPECT_TRUE(out.present());
  return out.c_str();
}

TEST_F(TextService, PathPartsFollowQuotesBothSeparatorsTheBarAndDots) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"C:\\dir\\report.txt", "C:\\dir\\", "report.txt", "txt"},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {"C:\\dir.d\\README", "C:\\dir.d\\", "README", ""},
      {"\"", "", "", ""},
      {"\"C:\\Program Files\\app.exe\"", "C:\\Program Files\\", "app.exe", "exe"},
      {"C:\\mixed/sep\\y.c", "C:\\mixed/sep\\", "y.c", "c"},
      {"a|b\\c", "", "c", ""},
      {"C:\\dir\\x|y\\z.q", "C:\\dir\\", "z.q", "q"},
      {"", "", "", ""},
      {nullptr, "", "", ""},
      {"C:\\", "C:\\", "", ""},
      {"\"C:\\a b\\run.exe\" --flag", "C:\\a b\\", "run.exe", "exe"},
      {"name\"tail.txt", "", "name", "txt"},
  };
  for (const auto& [path, directory, name, extension] : cases) {
    SCOPED_TRACE(path ? path : "null");
    EXPECT_EQ(part(zorvel::directoryPart, path), directory);
    EXPECT_EQ(part(zorvel::fileNamePart, path), name);
    EXPECT_EQ(part(zorvel::extensionPart, path), extension);
  }
}

}  // namespace
