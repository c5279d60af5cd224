// Closest names for a misspelt one, and JSON laid out for reading.

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Commands.h"

namespace pmtool {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::vector<std::string_view> ClosestNames(std::string_view name, const std::vector<std::string_view>& candidates) {
  constexpr std::size_t kShown = 5;
  const std::string query = Lower(name);
  const std::size_t near = std::max<std::size_t>(2, query.size() / 3);
  struct Scored {
    std::size_t distance;
    std::string_view name;
  };
  std::vector<Scored> found;
  for (std::string_view c : candidates) {
    const std::string candidate = Lower(c);
    const std::size_t distance = EditDistance(query, candidate);
    const bool contains = query.size() >= 3 && candidate.find(query) != std::string::npos;
    if (distance <= near || contains) found.push_back({distance, c});
  }
  std::sort(found.begin(), found.end(), [](const Scored& a, const Scored& b) {
    return a.distance != b.distance ? a.distance < b.distance : a.name < b.name;
  });
  std::vector<std::string_view> out;
  for (const Scored& s : found) {
    if (out.size() == kShown) break;
    out.push_back(s.name);
  }
  return out;
}

void ThrowUnknown(std::string_view what, std::string_view name, const std::vector<std::string_view>& candidates) {
  std::string message = "unknown " + std::string(what) + " '" + std::string(name) + "'";
  const std::vector<std::string_view> closest = ClosestNames(name, candidates);
  for (std::size_t i = 0; i < closest.size(); ++i)
    message += (i == 0 ? "; did you mean " : i + 1 == closest.size() ? " or " : ", ") + std::string(closest[i]);
  if (!closest.empty()) message += "?";
  throw UnknownName(message);
}

std::string ReadInput(std::string_view file) {
  std::ostringstream s;
  if (file.empty() || file == "-") {
    s << std::cin.rdbuf();
  } else {
    std::ifstream in{std::string(file), std::ios::binary};
    if (!in) throw std::runtime_error("cannot open " + std::string(file));
    s << in.rdbuf();
  }
  return s.str();
}

std::string PrettyJson(std::string_view json) {
  std::string out;
  out.reserve(json.size() * 2);
  int depth = 0;
  const auto newline = [&] {
    out += '\n';
    out.append(static_cast<std::size_t>(2 * depth), ' ');
  };
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    switch (c) {
      case '"': {  // a text, copied as it stands
        const std::size_t start = i++;
        while (i < json.size() && json[i] != '"') i += json[i] == '\\' ? 2 : 1;
        out.append(json.substr(start, i - start + 1));
        break;
      }
      case '{':
      case '[': {
        std::size_t next = i + 1;
        while (next < json.size() && std::isspace(static_cast<unsigned char>(json[next]))) ++next;
        if (next < json.size() && json[next] == (c == '{' ? '}' : ']')) {  // empty: stays on its line
          out += c;
          out += json[next];
          i = next;
          break;
        }
        out += c;
        ++depth;
        newline();
        break;
      }
      case '}':
      case ']':
        --depth;
        newline();
        out += c;
        break;
      case ',':
        out += c;
        newline();
        break;
      case ':':
        out += ": ";
        break;
      case ' ':
      case '\t':
      case '\n':
      case '\r':
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace pmtool
