// The path-part rules on their own: quotes, both separators, the bar, dots.
#include <string>

#include "text/path_parts.h"
#include "classes_fixture.h"

namespace {

using PathParts = LibraryTest;

struct Parts {
  const char* path;
  const char* directory;
  const char* name;
  const char* extension;
};

std::string part(void (*rule)(const char*, zorvel::TextVar&), const char* path) {
  zorvel::TextVar out;
  rule(path, out);
  EXPECT_TRUE(out.present());
  return out.c_str();
}

TEST_F(PathParts, SplitPathsAsTheRulesSay) {
  const Parts cases[] = {
      {"C:\\dir\\report.txt", "C:\\dir\\", "report.txt", "txt"},
      {"C:\\dir.d\\README", "C:\\dir.d\\", "README", ""},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {".profile", "", ".profile", "profile"},
      {"C:\\dir\\file.", "C:\\dir\\", "file.", ""},
      {"\"C:\\Program Files\\app.exe\"", "C:\\Program Files\\", "app.exe", "exe"},
      {"C:/dir/x.txt", "C:/dir/", "x.txt", "txt"},
      {"C:\\mixed/sep\\y.c", "C:\\mixed/sep\\", "y.c", "c"},
      {"a|b\\c", "", "c", ""},
      {"C:\\dir\\x|y\\z.q", "C:\\dir\\", "z.q", "q"},
      {"", "", "", ""},
      {"\"", "", "", ""},
      {"C:\\", "C:\\", "", ""},
      {"\"C:\\a b\\run.exe\" --flag", "C:\\a b\\", "run.exe", "exe"},
      {"name\"tail.txt", "", "name", "txt"},
  };
  for (const Parts& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(part(zorvel::directoryPart, c.path), c.directory);
    EXPECT_EQ(part(zorvel::fileNamePart, c.path), c.name);
    EXPECT_EQ(part(zorvel::extensionPart, c.path), c.extension);
  }
}

TEST_F(PathParts, AnAbsentTextCountsAsEmpty) {
  EXPECT_EQ(part(zorvel::directoryPart, nullptr), "");
  EXPECT_EQ(part(zorvel::fileNamePart, nullptr), "");
  EXPECT_EQ(part(zorvel::extensionPart, nullptr), "");
}

TEST_F(PathParts, OutputReplacesWhatTheVariableHeld) {
  zorvel::TextVar out("a long text that was there before");
  zorvel::extensionPart("x.c", out);
  EXPECT_STREQ(out.c_str(), "c");
  zorvel::directoryPart("nothing", out);
  EXPECT_STREQ(out.c_str(), "");
}

}  // namespace
