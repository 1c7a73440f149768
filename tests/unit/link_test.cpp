// link and webLink: the source text handed to the host, and the arguments refused.
#include "classes_fixture.h"

namespace {

class LinkTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    runtime.hooks().runScript = [this](std::string_view source) {
      sources.emplace_back(source);
      return quenda::Result::of({});
    };
  }
  std::vector<std::string> sources;
};

TEST_F(LinkTest, EachPassesItsTargetUnchangedAndRefusesWhatWouldRunAsScript) {
  const std::string target = "C:\\My Tools\\{odd}\\run it.exe";
  EXPECT_EQ(routine("link", {"tools\\Edit_2", target}), "none");
  EXPECT_EQ(routine("webLink", {"news", "https://x.org/?q={a}\\b&c=%20"}), "none");
  EXPECT_EQ(sources, (std::vector<std::string>{
                         "main\\tools\\Edit_2(){\r\n  if(args:count){run(\"" + target +
                             "\",pop)}else{run(\"" + target + "\")}\r\n}",
                         "main\\news(){\r\n  web(\"https://x.org/?q={a}\\b&c=%20\")\r\n}"}));

  // Anything that would be read as script rather than as a name or a text is refused.
  const std::vector<std::string> badNames = {"",           "a b", "np(){run(\"x\")}\r\nmain\\y",
                                             "a.b",        "a-b", "a\"",
                                             "x;print(1)", "a/b", "caf\xe9",
                                             "tab\t",      "(",   "}"};
  const std::string refused = "error: Invalid arguments specified.";
  sources.clear();
  for (const auto& name : badNames) {
    EXPECT_EQ(routine("link", {name, "notepad"}), refused) << name;
    EXPECT_EQ(routine("webLink", {name, "https://x.org"}), refused) << name;
  }
  const std::vector<std::string> badTargets = {"note\"pad", "\"",   "x\")}main\\evil(){run(\"y",
                                               "a\rb",      "a\nb", "line\r\n"};
  for (const auto& target : badTargets) {
    EXPECT_EQ(routine("link", {"np", target}), refused) << target;
    EXPECT_EQ(routine("webLink", {"np", target}), refused) << target;
  }
  EXPECT_TRUE(sources.empty());
}

}  // namespace
