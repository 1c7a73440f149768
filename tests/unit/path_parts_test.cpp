// The path-part rules on their own: quotes, both separators, the bar, dots.
#include "classes_fixture.h"
#include "text/path_parts.h"

namespace {

using PathParts = LibraryTest;

std::string part(void (*rule)(const char*, zorvel::TextVar&), const char* path) {
  zorvel::TextVar out("a long text that was there before");
  rule(path, out);
  EXPECT_TRUE(out.present());
  return out.c_str();
}

TEST_F(PathParts, SplitPathsAsTheRulesSay) {
  struct Parts {
    const char* path;
    const char* directory;
    const char* name;
    const char* extension;
  };
  const Parts cases[] = {
      {"C:\\dir\\report.txt", "C:\\dir\\", "report.txt", "txt"},
      {"C:\\dir.d\\README", "C:\\dir.d\\", "README", ""},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {".profile", "", ".profile", "profile"},
      {"C:\\dir\\file.", "C:\\dir\\", "file.", ""},
      {"\"C:\\Program Files\\app.exe\"", "C:\\Program Files\\", "app.exe", "exe"},
      {"C:\\mixed/sep\\y.c", "C:\\mixed/sep\\", "y.c", "c"},
      {"a|b\\c", "", "c", ""},
      {"C:\\dir\\x|y\\z.q", "C:\\dir\\", "z.q", "q"},
      {"", "", "", ""},
      {nullptr, "", "", ""},
      {"\"", "", "", ""},
      {"C:\\", "C:\\", "", ""},
      {"\"C:\\a b\\run.exe\" --flag", "C:\\a b\\", "run.exe", "exe"},
      {"name\"tail.txt", "", "name", "txt"},
  };
  for (const Parts& c : cases) {
    SCOPED_TRACE(c.path ? c.path : "null");
    EXPECT_EQ(part(zorvel::directoryPart, c.path), c.directory);
    EXPECT_EQ(part(zorvel::fileNamePart, c.path), c.name);
    EXPECT_EQ(part(zorvel::extensionPart, c.path), c.extension);
  }
}

}  // namespace
