// pmtool: looks into the library's models and enumerations and runs its example.
// Output formats are stable: scripts read them. Exit status 0 on success, 2 for an
// unknown name, 1 for any other error.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace {

void Usage() {
  std::fputs(
      "usage: pmtool COMMAND [ARGS]\n"
      "  enums           one line per enumeration: name, default, entry count [, host]\n"
      "  enum NAME       the entries of one enumeration, then its default\n"
      "  models          one line per model: name, default id, base\n"
      "  model NAME      the members of one model in write order\n"
      "  params          every parameter id with its name\n"
      "  trace NAME      the cursor calls that writing a new NAME makes\n"
      "  write NAME      the wire text of a new NAME\n"
      "  sample NAME [--seed N]  the wire text of a NAME with every member set\n"
      "  read [FILE]     reads wire text (standard input for - or none), writes it again\n"
      "  demo            builds, writes, replays and reads back the example\n",
      stderr);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    Usage();
    return 1;
  }
  const std::string_view command = args[0];
  args.erase(args.begin());
  try {
    for (const pmtool::Command& c : pmtool::AllCommands()) {
      if (command != c.name) continue;
      if (args.size() < c.minArgs || args.size() > c.maxArgs) {
        Usage();
        return 1;
      }
      return c.run(args);
    }
    std::fprintf(stderr, "pmtool: unknown command '%.*s'\n", static_cast<int>(command.size()), command.data());
    Usage();
    return 1;
  } catch (const pmtool::UnknownName& e) {
    std::fprintf(stderr, "pmtool: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pmtool: error: %s\n", e.what());
    return 1;
  }
}
