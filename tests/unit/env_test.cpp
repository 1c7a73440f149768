// The env group against the simulated environment block.
#include <string>
#include <vector>

#include "namespace_fixture.h"

namespace {

namespace sim = platform::sim;
using Pairs = std::vector<std::pair<std::string, std::string>>;

class Env : public NamespaceTest {
 protected:
  // env.all as name/value pairs; a malformed element shows as ("<bad>", "").
  Pairs all() {
    quenda::Result result = call("env.all");
    Pairs pairs;
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.value.is(quenda::Kind::List));
    for (const auto& element : result.value.elements()) {
      const auto& two = element.elements();
      if (two.size() == 2 && two[0].is(quenda::Kind::Text) && two[1].is(quenda::Kind::Text))
        pairs.emplace_back(two[0].text(), two[1].text());
      else
        pairs.emplace_back("<bad>", "");
    }
    return pairs;
  }
  std::vector<std::string> showAll() {
    lines.clear();
    EXPECT_EQ(describe(call("env.showAll")), "none");
    return lines;
  }
};

TEST_F(Env, AllAndShowAllSplitEachEntryAtItsFirstEquals) {
  sim::setEnvironment({"=C:=C:\\work", "A=b=c", "NOEQUALS", "E=", "Path=C:\\x"});
  EXPECT_EQ(all(),
            (Pairs{{"", "C:=C:\\work"}, {"A", "b=c"}, {"", ""}, {"E", ""}, {"Path", "C:\\x"}}));
  EXPECT_EQ(showAll(), (std::vector<std::string>{"", "A", "", "E", "Path"}));
  sim::setEnvironment({});
  EXPECT_EQ(all(), Pairs{});
  EXPECT_TRUE(showAll().empty());
}

TEST_F(Env, BlockThatCannotBeHadGivesAnEmptyListAndNoLines) {
  sim::setEnvironment({"A=1"});
  ASSERT_EQ(all().size(), 1u);  // leaves a snapshot behind
  sim::failAlways("GetEnvironmentStrings", platform::kErrorNotEnoughMemory);
  EXPECT_EQ(all(), Pairs{});
  EXPECT_TRUE(showAll().empty());
}

TEST_F(Env, GetReadsValuesOfAnyLength) {
  std::string big(40000, 'x');
  sim::setEnvironment({"=C:=C:\\", "A=b=c", "EMPTY=", "BIG=" + big});
  EXPECT_EQ(describe(call("env.get", {"a"})), "text b=c");
  EXPECT_EQ(describe(call("env.get", {"=C:"})), "text C:\\");
  EXPECT_EQ(describe(call("env.get", {"EMPTY"})), "text ");
  EXPECT_EQ(describe(call("env.get", {"MISSING"})), "text ");
  EXPECT_EQ(describe(call("env.get", {""})), "text ");
  EXPECT_EQ(call("env.get", {"BIG"}).value.text(), big);
}

TEST_F(Env, GetNeverReturnsBytesWindowsDidNotWrite) {
  sim::setEnvironment({"A=value"});
  sim::failCall("GetEnvironmentVariableA", 2, platform::kErrorNotEnoughMemory);
  EXPECT_EQ(describe(call("env.get", {"A"})), "text ");
  // As if the variable appeared between the two reads: the second one does not fit its
  // one-byte buffer, and what it reports is not taken for text.
  sim::clearFaults();
  sim::failCall("GetEnvironmentVariableA", 1, platform::kErrorEnvvarNotFound);
  EXPECT_EQ(describe(call("env.get", {"A"})), "text ");
}

TEST_F(Env, SetKeepsEmptyValuesAndIsSilentAboutRefusedNames) {
  sim::setEnvironment({"A=1"});
  EXPECT_EQ(describe(call("env.set", {"B", "x=y"})), "none");
  EXPECT_EQ(describe(call("env.set", {"A", ""})), "none");
  EXPECT_EQ(all(), (Pairs{{"A", ""}, {"B", "x=y"}}));
  EXPECT_EQ(showAll(), (std::vector<std::string>{"A", "B"}));

  // A name Windows refuses is silent.
  EXPECT_EQ(describe(call("env.set", {"X=Y", "1"})), "none");
  EXPECT_EQ(sim::environmentEntries(), (std::vector<std::string>{"A=", "B=x=y"}));
}

TEST_F(Env, SetWithoutMemoryNeverLeavesAValueThatWasNotAskedFor) {
  forEachFault({"HeapAlloc"}, [&](const Fault& fault) {
    sim::setEnvironment({"A=old"});
    fault.arm();
    call("env.set", {"A", "new"});
    auto entries = sim::environmentEntries();
    EXPECT_TRUE(entries == std::vector<std::string>{"A=new"} ||
                (fault.injected() && entries == std::vector<std::string>{"A=old"}))
        << entries[0];
  });
}

// Without memory at any step of a walk, or without the block, env.all gives fewer entries but
// never a value under another entry's name, and keeps no snapshot.
TEST_F(Env, AllWithoutMemoryNeverPairsAValueWithAnotherEntrysName) {
  // Names long enough that each needs a bigger copy than the one before.
  sim::setEnvironment(
      {"A=1", "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB=2",
       "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC=3"});
  forEachFault(
      {"HeapAlloc", "HeapReAlloc", "GetEnvironmentStrings"},
      [&](const Fault& fault) {
        fault.arm();
        Pairs pairs = all();
        for (const auto& [name, value] : pairs) {
          std::string expected = value == "1"   ? "A"
                                 : value == "2" ? std::string(48, 'B')
                                                : std::string(80, 'C');
          EXPECT_TRUE(name == expected || name.empty()) << name << "=" << value;
        }
        if (!fault.injected()) {
          EXPECT_EQ(pairs.size(), 3u);
        }
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });
}

}  // namespace
