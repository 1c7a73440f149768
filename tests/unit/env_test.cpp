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
  EXPECT_EQ(sim::openHandles(), "");
}

TEST_F(Env, EmptyBlockGivesNoEntries) {
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

TEST_F(Env, SnapshotThatCannotBeCopiedReleasesTheBlock) {
  sim::setEnvironment({"A=1", "B=2"});
  // The snapshot is the only allocation of the library's own heaps before the walk.
  sim::failCall("HeapAlloc", 1, platform::kErrorNotEnoughMemory);
  EXPECT_EQ(all(), Pairs{});
  EXPECT_EQ(sim::faultsFired(), 1);
  EXPECT_EQ(sim::openHandles(), "");
  EXPECT_EQ(all(), (Pairs{{"A", "1"}, {"B", "2"}}));
}

TEST_F(Env, EachWalkReplacesThePreviousSnapshot) {
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i)
    many.push_back("V" + std::to_string(i) + "=" + std::string(50, 'v'));
  sim::setEnvironment(many);
  all();
  std::size_t module = moduleBytes(), texts = textBytes();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(all().size(), 200u);
    EXPECT_EQ(showAll().size(), 200u);
  }
  EXPECT_EQ(moduleBytes(), module);
  EXPECT_EQ(textBytes(), texts);
  EXPECT_EQ(sim::openHandles(), "");
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
  EXPECT_EQ(describe(call("env.get")), "error: The minimal argument count is 1!");
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
  EXPECT_EQ(sim::callsOf("GetEnvironmentVariableA").back().args[1], "1");
}

TEST_F(Env, SetKeepsEmptyValuesAndNeedsTwoArguments) {
  sim::setEnvironment({"A=1"});
  EXPECT_EQ(describe(call("env.set", {"B", "x=y"})), "none");
  EXPECT_EQ(describe(call("env.set", {"A", ""})), "none");
  EXPECT_EQ(sim::callsOf("SetEnvironmentVariableA").back().args,
            (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(all(), (Pairs{{"A", ""}, {"B", "x=y"}}));
  EXPECT_EQ(showAll(), (std::vector<std::string>{"A", "B"}));

  sim::clearCalls();
  std::size_t texts = textBytes();
  EXPECT_EQ(describe(call("env.set", {"C"})), "error: The minimal argument count is 2!");
  EXPECT_EQ(describe(call("env.set")), "error: The minimal argument count is 2!");
  EXPECT_TRUE(sim::callsOf("SetEnvironmentVariableA").empty());
  EXPECT_EQ(textBytes(), texts);

  // Extra arguments are not fetched.
  runtime.clearSlotCalls();
  call("env.set", {"D", "1", "extra"});
  call("env.get", {"D", "extra"});
  EXPECT_EQ(slotCount(abi::kNextArgText), 3);

  // A name Windows refuses is silent.
  EXPECT_EQ(describe(call("env.set", {"X=Y", "1"})), "none");
  EXPECT_EQ(sim::environmentEntries(), (std::vector<std::string>{"A=", "B=x=y", "D=1"}));
}

TEST_F(Env, SetWithoutMemoryNeverLeavesAValueThatWasNotAskedFor) {
  for (int n = 1;; ++n) {
    sim::setEnvironment({"A=old"});
    sim::failCall("HeapAlloc", n, platform::kErrorNotEnoughMemory);
    call("env.set", {"A", "new"});
    bool fired = sim::faultsFired() > 0;
    sim::clearFaults();
    auto entries = sim::environmentEntries();
    EXPECT_TRUE(entries == std::vector<std::string>{"A=old"} ||
                entries == std::vector<std::string>{"A=new"})
        << n << ": " << entries[0];
    if (!fired) break;
    ASSERT_LT(n, 50);
  }
}

TEST_F(Env, AllWithoutMemoryNeverPairsAValueWithAnotherEntrysName) {
  // Names long enough that each needs a bigger copy than the one before.
  sim::setEnvironment(
      {"A=1", "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB=2",
       "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC=3"});
  for (const char* operation : {"HeapAlloc", "HeapReAlloc"}) {
    for (int n = 1;; ++n) {
      sim::failCall(operation, n, platform::kErrorNotEnoughMemory);
      Pairs pairs = all();
      bool fired = sim::faultsFired() > 0;
      sim::clearFaults();
      EXPECT_EQ(sim::openHandles(), "");
      for (const auto& [name, value] : pairs) {
        std::string expected = value == "1"   ? "A"
                               : value == "2" ? std::string(48, 'B')
                                              : std::string(80, 'C');
        EXPECT_TRUE(name == expected || name.empty())
            << operation << " " << n << ": " << name << "=" << value;
      }
      if (!fired) {
        EXPECT_EQ(pairs.size(), 3u);
        break;
      }
      ASSERT_LT(n, 50);
    }
  }
}

}  // namespace
