#include "cli/CliOptions.h"

#include <charconv>
#include <set>

#include "statediagram/StateDiagram.h"

namespace kelvo {

ViewButton ViewFromOption(const std::string& view) {
  if (view == "a") return ViewButton::ShowA;
  if (view == "b") return ViewButton::ShowB;
  if (view == "c") return ViewButton::ShowC;
  if (view == "d") return ViewButton::ShowD;
  if (view == "machine") return ViewButton::MachineState;
  return ViewButton::ShowAll;
}

std::string Echoed(const std::string& text) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size() && characters < kMaxEchoedCharacters; ++characters) {
    do ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
  }
  return end < text.size() ? text.substr(0, end) + "..." : text;
}

bool IsStandardOutput(const std::string& output) { return output == "-" || output == "/dev/stdout"; }

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, CliOptionSet allowed,
                                          std::ostream& err) {
  CliOptions o;
  const auto fail = [&](const std::string& what) {
    err << "kelvo16s-cli: " << what << "\n";
    return std::nullopt;
  };
  std::set<std::string> given;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!a.empty() && a[0] == '-' && !given.insert(a == "--output" ? "-o" : a).second) {
      return fail("option " + Echoed(a) + " is given twice");
    }
    const bool valued = (allowed.flow && a == "--flow") || (allowed.answer && a == "--answer") ||
                        (allowed.state && a == "--state") || (allowed.view && a == "--view") ||
                        ((allowed.output || allowed.codes) && (a == "-o" || a == "--output")) ||
                        (allowed.simulate && (a == "--from" || a == "--steps")) || (allowed.lang && a == "--lang");
    if (a == "--auto") {
      o.autoCodes = true;
    } else if ((allowed.simulate || allowed.codes) && a == "--json") {
      o.json = true;
    } else if (allowed.codes && a == "--transit") {
      o.transit = true;
    } else if (allowed.parallel && a == "--parallel") {
      o.parallel = true;
    } else if (valued) {
      if (i + 1 >= args.size()) return fail("option " + a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--flow") {
        if (v != "circuit" && v != "equations") return fail("--flow must be circuit or equations");
        o.flow = v;
      } else if (a == "--answer") {
        if (v != "yes" && v != "no") return fail("--answer must be yes or no");
        o.answer = v == "yes" ? Answer::Yes : Answer::No;
      } else if (a == "--state") {
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), o.state);
        if (ec != std::errc{} || end != v.data() + v.size() || !IsValidState(o.state)) {
          return fail("--state must be a number from 0 to 15");
        }
      } else if (a == "--from") {
        o.from = StateOfTarget(v);
        if (o.from < 0) return fail("--from must name a state S0 to S15");
      } else if (a == "--lang") {
        if (v != "ld" && v != "st") return fail("--lang must be ld or st");
        o.lang = v;
      } else if (a == "--steps") {
        o.steps = v;
      } else if (a == "--view") {
        if (v != "all" && v != "a" && v != "b" && v != "c" && v != "d" && v != "machine") {
          return fail("--view must be all, a, b, c, d or machine");
        }
        o.view = v;
      } else {
        // "-o --auto" is a forgotten file name, not a file called "--auto".
        if (v.empty() || (v[0] == '-' && v != "-")) {
          return fail("the output file name must not be empty or start with \"-\"");
        }
        o.output = v;
      }
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option '" + Echoed(a) + "'");
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      return fail("more than one file given");
    }
  }
  if (o.file.empty()) return fail("no states file given");
  if (allowed.output && o.output.empty()) return fail("no output file given (-o OUT.bmp)");
  if (allowed.simulate && o.steps.empty()) return fail("no steps given (--steps \"X1=1; X1=0\")");
  return o;
}

}  // namespace kelvo
