// The env group against the simulated environment block.
#include "classes_fixture.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Lines = std::vector<std::string>;

class Env : public LibraryTest {
 protected:
  // env.all as name/value pairs; a malformed element shows as ("<bad>", "").
  Pairs all() {
    quenda::Result result = runtime.call("env.all");
    Pairs pairs;
    EXPECT_TRUE(result.ok() && result.value.is(quenda::Kind::List));
    for (const auto& element : result.value.elements()) {
      const auto& two = element.elements();
      if (two.size() == 2 && two[0].is(quenda::Kind::Text) && two[1].is(quenda::Kind::Text))
        pairs.emplace_back(two[0].text(), two[1].text());
      else
        pairs.emplace_back("<bad>", "");
    }
    return pairs;
  }
  Lines showAll() {
    lines.clear();
    EXPECT_EQ(routine("env.showAll"), "none");
    return lines;
  }
};

TEST_F(Env, GetSetAndAllKeepEachValueWholeAndUnderItsOwnName) {
  std::string big(40000, 'x');
  sim::setEnvironment({"=C:=C:\\", "A=b=c", "EMPTY=", "BIG=" + big});
  for (auto [name, value] : {std::pair<const char*, std::string>{"a", "b=c"},
                             {"=C:", "C:\\"},
                             {"EMPTY", ""},
                             {"MISSING", ""},
                             {"", ""},
                             {"BIG", big}})
    EXPECT_EQ(routine("env.get", {name}), "text " + value) << name;

  sim::failCall("GetEnvironmentVariableA", 2, platform::kErrorNotEnoughMemory);
  EXPECT_EQ(routine("env.get", {"A"}), "text ");
  // As if the variable appeared between the two reads: the second one does not fit its
  // one-byte buffer, and what it reports is not taken for text.
  sim::failCall("GetEnvironmentVariableA", 1, platform::kErrorEnvvarNotFound);
  EXPECT_EQ(routine("env.get", {"A"}), "text ");

  // A set keeps empty values and is silent about refused names.
  sim::setEnvironment({"A=1"});
  EXPECT_EQ(routine("env.set", {"B", "x=y"}), "none");
  EXPECT_EQ(routine("env.set", {"A", ""}), "none");
  EXPECT_EQ(routine("env.set", {"X=Y", "1"}), "none");
  EXPECT_EQ(sim::environmentEntries(), (Lines{"A=", "B=x=y"}));

  forEachFault({"HeapAlloc"}, [&](const Fault& fault) {
    sim::setEnvironment({"A=old"});
    fault.arm();
    routine("env.set", {"A", "new"});
    EXPECT_TRUE(sim::environmentEntries() == Lines{"A=new"} ||
                (fault.injected() && sim::environmentEntries() == Lines{"A=old"}));
  });

  // Without memory at any step of a walk, or without the block, env.all gives fewer entries but
  // never a value under another entry's name, and keeps no snapshot.
  // Names long enough that each needs a bigger copy than the one before.
  const std::string names[] = {"A", std::string(48, 'B'), std::string(80, 'C')};
  sim::setEnvironment({names[0] + "=0", names[1] + "=1", names[2] + "=2"});
  forEachFault(
      {"HeapAlloc", "HeapReAlloc", "GetEnvironmentStrings"},
      [&](const Fault& fault) {
        fault.arm();
        Pairs pairs = all();
        for (const auto& [name, value] : pairs) {
          ASSERT_TRUE(value == "0" || value == "1" || value == "2") << value;
          EXPECT_TRUE(name == names[value[0] - '0'] || name.empty()) << name << "=" << value;
        }
        if (!fault.injected()) {
          EXPECT_EQ(pairs.size(), 3u);
        }
      },
      platform::kErrorNotEnoughMemory, [&] { return libraryBytes(); });

  // Each entry splits at its first equals sign.
  sim::setEnvironment({"=C:=C:\\work", "A=b=c", "NOEQUALS", "E=", "Path=C:\\x"});
  EXPECT_EQ(all(),
            (Pairs{{"", "C:=C:\\work"}, {"A", "b=c"}, {"", ""}, {"E", ""}, {"Path", "C:\\x"}}));
  EXPECT_EQ(showAll(), (Lines{"", "A", "", "E", "Path"}));
  // A block that cannot be had gives an empty list and no lines.
  sim::failAlways("GetEnvironmentStrings", platform::kErrorNotEnoughMemory);
  EXPECT_EQ(all(), Pairs{});
  EXPECT_TRUE(showAll().empty());
}

}  // namespace
