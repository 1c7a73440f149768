// link and webLink: the source text handed to the host, and the arguments refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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
  // The call's error message, or "" when it succeeded; a success gives no value.
  std::string call(const char* routine, std::vector<std::string> args) {
    std::vector<quenda::ValueRef> values;
    for (const auto& a : args) values.push_back(text(a));
    quenda::Result result = runtime.call(routine, values);
    if (result.ok()) {
      EXPECT_FALSE(result.value);
    }
    return result.error.value_or("");
  }
  std::vector<std::string> sources;
};

TEST_F(LinkTest, LinkDefinesAFunctionThatRunsTheProgramWithOrWithoutTheCallersArgument) {
  EXPECT_EQ(call("link", {"np", "C:\\Windows\\notepad.exe"}), "");
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0],
            "main\\np(){\r\n"
            "  if(args:count){run(\"C:\\Windows\\notepad.exe\",pop)}else{run(\"C:\\Windows\\"
            "notepad.exe\")}\r\n"
            "}");
}

TEST_F(LinkTest, WebLinkDefinesAFunctionOfThreeLinesWithoutABreakAfterTheBrace) {
  EXPECT_EQ(call("webLink", {"news", "https://example.org/a?b=1&c=%20"}), "");
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0], "main\\news(){\r\n  web(\"https://example.org/a?b=1&c=%20\")\r\n}");
}

TEST_F(LinkTest, NamesMayBePathsOfGroups) {
  EXPECT_EQ(call("link", {"tools\\Edit_2", "edit"}), "");
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0].substr(0, 20), "main\\tools\\Edit_2(){");
}

// Anything that would be read as script rather than as a name or a text is refused.
TEST_F(LinkTest, ArgumentsThatWouldRunAsScriptAreRefused) {
  const std::vector<std::string> badNames = {"",           "a b", "np(){run(\"x\")}\r\nmain\\y",
                                             "a.b",        "a-b", "a\"",
                                             "x;print(1)", "a/b", "caf\xe9",
                                             "tab\t",      "(",   "}"};
  for (const auto& name : badNames) {
    EXPECT_EQ(call("link", {name, "notepad"}), "Invalid arguments specified.") << name;
    EXPECT_EQ(call("webLink", {name, "https://x.org"}), "Invalid arguments specified.") << name;
  }
  const std::vector<std::string> badTargets = {"note\"pad", "\"",   "x\")}main\\evil(){run(\"y",
                                               "a\rb",      "a\nb", "line\r\n"};
  for (const auto& target : badTargets) {
    EXPECT_EQ(call("link", {"np", target}), "Invalid arguments specified.") << target;
    EXPECT_EQ(call("webLink", {"np", target}), "Invalid arguments specified.") << target;
  }
  EXPECT_TRUE(sources.empty());
}

TEST_F(LinkTest, TargetsWithBracesBackslashesAndSpacesPassUnchanged) {
  EXPECT_EQ(call("link", {"x", "C:\\My Tools\\{odd}\\run it.exe"}), "");
  EXPECT_EQ(call("webLink", {"y", "https://x.org/?q={a}\\b"}), "");
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_NE(sources[0].find("run(\"C:\\My Tools\\{odd}\\run it.exe\",pop)"), std::string::npos);
  EXPECT_NE(sources[1].find("web(\"https://x.org/?q={a}\\b\")"), std::string::npos);
}

TEST_F(LinkTest, LongTextsAndTheirVariablesLeaveNoMemoryBehind) {
  const std::string longTarget(100000, 'x');
  call("webLink", {"w", longTarget});
  const std::size_t before = libraryBytes();
  for (int i = 0; i < 10; ++i) {
    call("webLink", {"w", longTarget});
    call("link", {"l", longTarget});
    call("link", {"bad name", longTarget});
  }
  EXPECT_EQ(libraryBytes(), before);
  ASSERT_EQ(sources.size(), 21u);
  EXPECT_EQ(sources[0].size(), std::string("main\\w(){\r\n  web(\"\")\r\n}").size() + 100000);
}

}  // namespace
