// pmtool: looks into the library's models and enumerations, writes and reads their wire
// text, prints what readers of the text use (schema, TypeScript, listing) and compares
// versions of the descriptions. Output formats are stable: scripts read them. Exit status
// 0 on success, 2 for an unknown name, 3 when compat finds a breaking change, 1 for any
// other error.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include <QGuiApplication>

#include "Commands.h"

namespace pmtool {

int Enums(const Args&);
int Enum(const Args&);
int Models(const Args&);
int Model(const Args&);
int Params(const Args&);
int Param(const Args&);
int Trace(const Args&);
int Write(const Args&);
int Sample(const Args&);
int Samples(const Args&);
int Read(const Args&);
int Pretty(const Args&);
int Schema(const Args&);
int TypeScript(const Args&);
int Listing(const Args&);
int Compat(const Args&);
int Demo(const Args&);

std::span<const Command> AllCommands() {
  static const Command kCommands[] = {
      {"enums", 0, 0, &Enums, "", "one line per enumeration: name, default, entry count [, host]",
       "Prints one line per enumeration, tab-separated: its name, its default value, the number\n"
       "of its entries, and \"host\" for those owned by a sibling library."},
      {"enum", 1, 1, &Enum, "NAME", "the entries of one enumeration, then its default",
       "Prints one line per entry of the enumeration NAME in value order, value and text\n"
       "tab-separated, then \"default\" and the default value."},
      {"models", 0, 0, &Models, "", "one line per model: name, default id, base",
       "Prints one line per model, tab-separated: its name, its default parameter id and its\n"
       "base model (\"->\" for none)."},
      {"model", 1, 1, &Model, "NAME", "the members of one model in write order",
       "Prints one line per member of the model NAME that is written, base members first,\n"
       "tab-separated: stem, parameter id, encoding kind, presence (\"always\" or \"when set\"),\n"
       "and for a structure list its item id."},
      {"params", 0, 0, &Params, "", "every parameter id with its name",
       "Prints one line per parameter id in use: the id and its name in wire text."},
      {"param", 1, 1, &Param, "NAME|0xID", "one parameter and every use of it",
       "Prints the parameter's id and name, then one line per use, tab-separated: the model,\n"
       "the member's stem (\"-\" for none) and what the id is there (an encoding kind,\n"
       "\"default id\", \"discriminant value\" or \"item id\")."},
      {"trace", 1, 1, &Trace, "NAME", "the cursor calls that writing a new NAME makes",
       "Writes a new NAME into a tracing cursor and prints its calls, one per line; when the\n"
       "write fails, the last line is \"error: \" and the reason (exit status 1)."},
      {"write", 1, 1, &Write, "NAME", "the wire text of a new NAME",
       "Prints the wire text of a bag holding a new NAME alone under its default id."},
      {"sample", 1, 3, &Sample, "NAME [--seed N]", "the wire text of a NAME with every member set",
       "Prints the wire text of a NAME whose members, nested models included, all hold sample\n"
       "values; the same seed (default 1) gives the same text."},
      {"samples", 0, 2, &Samples, "[--seed N]", "one sample per model, one wire text per line",
       "Prints, for every model in name order, the wire text of a sample as `sample` makes it,\n"
       "one per line."},
      {"read", 0, 3, &Read, "[--lenient] [--batch] [FILE]", "reads wire text (standard input for - or none), writes it again",
       "Reads wire text from FILE (standard input for - or none) into models and writes them\n"
       "again. Text that is not wire text is an error with its byte offset and the path to the\n"
       "place; an unknown parameter name comes with the closest known names. With --lenient,\n"
       "text from a newer writer: unknown parameter names are left out, unknown enumeration\n"
       "texts read as the default value, and each is listed on standard error\n"
       "(\"skipped: byte N, PATH: REASON\").\n"
       "With --batch, every line of the input is a wire text of its own, and one line of JSON is\n"
       "printed per text: {\"text\": the text written again} or {\"stage\": \"read\" or \"write\",\n"
       "\"offset\": byte (reading), \"reason\", \"path\"}, and \"skipped\": [{\"offset\", \"path\",\n"
       "\"reason\"}] (unknown names get no suggestions); the exit status is 0 whatever the texts."},
      {"pretty", 0, 1, &Pretty, "[FILE]", "wire text laid out for reading",
       "Reads wire text like `read` and prints the same text indented, one member or item per\n"
       "line; nothing but white space changes."},
      {"schema", 0, 1, &Schema, "[NAME]", "the JSON Schema (2020-12) of the wire text",
       "Prints the JSON Schema of the wire text: of a bag of models under their default ids,\n"
       "or with NAME of that model's text alone (as `write` prints it) or of one enumeration's\n"
       "texts, with only the definitions it needs. One definition per model and enumeration."},
      {"typescript", 0, 0, &TypeScript, "", "TypeScript declarations of the wire text",
       "Prints TypeScript declarations of the wire text: one interface per model (optional\n"
       "members where a member may be absent), a union of texts per enumeration, and\n"
       "ModelBag, the bag of models under their default ids."},
      {"listing", 0, 0, &Listing, "", "every model and enumeration as compat compares them",
       "Prints the listing of this version's descriptions (JSON): parameter names, models with\n"
       "their members, enumerations with their texts. Keep it to compare later versions with."},
      {"compat", 1, 2, &Compat, "OLD [NEW]", "what changed between two listings, and what breaks",
       "Compares two listings (from `pmtool listing`, or `generator/pmgen.py ... --print\n"
       "listing` over any set of descriptions; NEW defaults to this tool's own) and prints one\n"
       "line per change: \"error:\" for changes that break reading text the older version\n"
       "wrote (a parameter id or name, a member's type, encoding kind, text form or item id,\n"
       "the starting value of a member that may be left out, an enumeration text changed or\n"
       "removed, a default id or discriminant value, a model, member or enumeration removed),\n"
       "\"note:\" for safe ones (members, models, enumerations and enumeration values added,\n"
       "presence changed). The last line counts both. Exit status 3 when there are errors."},
      {"demo", 0, 2, &Demo, "[--text [SIZE]]", "builds, writes, replays and reads back a whole dashboard",
       "Builds a dashboard with its zones (worksheets showing their visuals, a title, a web page\n"
       "and an image), zone hierarchy, sizes, device layouts and command lists, writes it, writes\n"
       "it again (the models below the dashboard and its zones from their recorded text), reads\n"
       "it back, checks that nothing changed, and prints the sizes and timings. With --text it\n"
       "prints instead the dashboard's wire text; with --text SIZE (100KB, 2.5MB or 25MB) that of\n"
       "the benchmarks' document of that size (the same dashboard with as many worksheets as\n"
       "come nearest the size)."},
  };
  return kCommands;
}

}  // namespace pmtool

namespace {

using pmtool::Command;

void Usage(std::FILE* out) {
  std::fputs("usage: pmtool COMMAND [ARGS]    (pmtool COMMAND --help for one command)\n", out);
  for (const Command& c : pmtool::AllCommands()) {
    std::string head = std::string(c.name) + (*c.usage ? " " : "") + c.usage;
    std::fprintf(out, "  %-22s %s\n", head.c_str(), c.summary);
  }
  std::fputs("Exit status: 0 on success, 2 for an unknown name, 3 when compat finds a breaking change,\n"
             "1 for any other error.\n",
             out);
}

void CommandHelp(const Command& c) {
  std::printf("usage: pmtool %s%s%s\n\n%s\n", c.name, *c.usage ? " " : "", c.usage, c.details);
}

bool IsHelp(std::string_view a) { return a == "--help" || a == "-h" || a == "help"; }

const Command* FindCommand(std::string_view name) {
  for (const Command& c : pmtool::AllCommands())
    if (name == c.name) return &c;
  std::vector<std::string_view> names;
  for (const Command& c : pmtool::AllCommands()) names.emplace_back(c.name);
  pmtool::ThrowUnknown("command", name, names);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  // Legends carry pixmaps, which exist only beside a QGuiApplication: the tool runs one on
  // the offscreen platform. Qt's own notes on its set-up are not part of the tool's output.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "pmtool: %s\n", qPrintable(text));
  });
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  if (args.empty()) {
    Usage(stderr);
    return 1;
  }
  try {
    if (IsHelp(args[0])) {
      if (args.size() == 1) {
        Usage(stdout);
        return 0;
      }
      CommandHelp(*FindCommand(args[1]));
      return 0;
    }
    const Command& c = *FindCommand(args[0]);
    args.erase(args.begin());
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
      CommandHelp(c);
      return 0;
    }
    if (args.size() < c.minArgs || args.size() > c.maxArgs) {
      std::fprintf(stderr, "usage: pmtool %s%s%s\n", c.name, *c.usage ? " " : "", c.usage);
      return 1;
    }
    return c.run(args);
  } catch (const pmtool::UnknownName& e) {
    std::fprintf(stderr, "pmtool: %s\n", e.what());
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pmtool: error: %s\n", e.what());
    if (const std::string path = ErrorPathOf(e); !path.empty()) std::fprintf(stderr, "pmtool: at: %s\n", path.c_str());
    return 1;
  }
}
