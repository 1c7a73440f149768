// The host's own builtins: print, help and exit.
#include <algorithm>

#include "lang/evaluator.h"

namespace quenda::lang {

namespace {

std::string padded(const std::string& name, std::size_t width) {
  return name + std::string(width > name.size() ? width - name.size() : 0, ' ');
}

// Member names of a group or class, joined; protocol members (leading "_") left out when asked.
std::string memberList(Runtime& runtime, const ValueRef& holder, bool hideProtocol) {
  std::string list;
  for (const auto& [name, value] : runtime.members(holder)) {
    if (hideProtocol && !name.empty() && name[0] == '_') continue;
    if (!list.empty()) list += ", ";
    list += name;
    if (value.is(Kind::Group)) list += "\\";
  }
  return list.empty() ? "(empty)" : list;
}

}  // namespace

bool Evaluator::isBuiltin(const std::string& name) {
  return name == "print" || name == "help" || name == "exit";
}

ValueRef Evaluator::callBuiltin(const std::string& name, const std::vector<ValueRef>& args,
                                const Expr& at) {
  if (readOnly_) fail("calls are not allowed here", at);
  if (name == "print") {
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (i) line += ' ';
      line += textForm(args[i], at);
    }
    printLine(line);
    return {};
  }
  if (name == "help") {
    printHelp(args, at);
    return {};
  }
  // exit [ ( code ) ]
  if (args.size() > 1) fail("exit takes at most one argument, the exit code", at);
  int code = 0;
  if (args.size() == 1) {
    if (args[0].is(Kind::Number)) {
      code = args[0].number();
    } else if (args[0].is(Kind::Text) && (args[0].text() == "0" || decimalValue(args[0].text()))) {
      code = decimalValue(args[0].text());
    } else {
      fail("exit takes a number, not " + aKindName(args[0]), at);
    }
  }
  throw ExitSignal{code};
}

// help: the registered names, one line for each group and class. help(group), help(class) or
// help("path"): that group's or class's members, one a line, with their kinds.
void Evaluator::printHelp(const std::vector<ValueRef>& args, const Expr& at) {
  if (args.size() > 1) fail("help takes at most one argument: a group, a class or its name", at);
  if (args.size() == 1) {
    ValueRef holder = args[0].is(Kind::Text) ? runtime_.lookup(args[0].text()) : args[0];
    if (!holder.is(Kind::Group) && !holder.is(Kind::Class)) {
      fail("help: " + (args[0].is(Kind::Text) ? "'" + args[0].text() + "' is not a group or class"
                                              : aKindName(args[0]) + " has no members"),
           at);
    }
    std::string title = holder.name();
    printLine("$cyan$" + title + "$n$" + (holder.is(Kind::Class) ? " (class)" : ""));
    auto members = runtime_.members(holder);
    if (members.empty()) printLine("  (empty)");
    std::size_t width = 0;
    for (const auto& member : members) width = std::max(width, member.first.size());
    for (const auto& [name, value] : members) {
      std::string line = "  " + padded(name, width) + "  $gray$" + kindName(value.kind()) + "$n$";
      if (value.is(Kind::Number) || value.is(Kind::Text)) {
        line.append(" ").append(textForm(value, at));
      }
      printLine(line);
    }
    return;
  }

  struct Line {
    std::string name;
    std::string text;
  };
  std::vector<Line> lines;
  std::string functions;
  std::string variables;
  lines.push_back({"builtins", "print, help, exit"});
  for (const auto& [name, value] : runtime_.members(runtime_.root())) {
    switch (value.kind()) {
      case Kind::Group:
        lines.push_back({name, memberList(runtime_, value, false)});
        break;
      case Kind::Class:
        lines.push_back({name, "class: " + memberList(runtime_, value, true)});
        break;
      case Kind::Function:
      case Kind::Routine:
        functions += (functions.empty() ? "" : ", ") + name;
        break;
      default:
        variables += (variables.empty() ? "" : ", ") + name;
        break;
    }
  }
  if (!functions.empty()) lines.insert(lines.begin() + 1, {"functions", functions});
  if (!variables.empty()) lines.push_back({"variables", variables});
  std::size_t width = 0;
  for (const Line& line : lines) width = std::max(width, line.name.size());
  for (const Line& line : lines) {
    printLine("$cyan$" + padded(line.name, width) + "$n$  " + line.text);
  }
  printLine("$gray$help(dir) or help(file) lists the members of one group or class$n$");
}

}  // namespace quenda::lang
