#include "args.h"

#include <charconv>

namespace nv::cli {

std::optional<std::string> Args::Get(const std::string& name) const {
  const auto found = values.find(name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

bool ParseArgs(const std::vector<std::string>& words, const std::set<std::string>& valued,
               const std::set<std::string>& flags, Args* args, std::string* error,
               const std::set<std::string>& askable) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 3 || word.rfind("--", 0) != 0) {
      args->positional.push_back(word);
      continue;
    }
    std::string name = word.substr(2);
    std::optional<std::string> value;
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const bool noValueFollows = i + 1 >= words.size() || words[i + 1].rfind("--", 0) == 0;
    if (flags.count(name) && !value) {
      args->flags.insert(name);
    } else if (askable.count(name) && !value && noValueFollows) {
      args->asked.push_back(name);
    } else if (valued.count(name)) {
      if (!value) {
        if (i + 1 >= words.size()) {
          *error = "--" + name + " needs a value";
          return false;
        }
        value = words[++i];
      }
      args->values[name] = *value;
    } else {
      *error = "unknown option --" + name;
      return false;
    }
  }
  return true;
}

namespace {
std::string Normalise(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '-' || c == '_') continue;
    out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  if (const size_t at = out.find("mbps"); at != std::string::npos) out.erase(at, 4);
  return out;
}
}  // namespace

bool ParseInt(std::string_view text, int* value) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && end == text.data() + text.size();
}

int ParseChoice(std::string_view text, const std::string_view* choices, size_t count,
                bool positions) {
  // A text ("11" for "11 Mbps") wins over a position, which wins over a beginning.
  const std::string wanted = Normalise(text);
  if (wanted.empty()) return -1;
  for (size_t i = 0; i < count; ++i) {
    if (Normalise(choices[i]) == wanted) return static_cast<int>(i);
  }
  int position = 0;
  if (positions && ParseInt(text, &position) && position >= 0 && size_t(position) < count) {
    return position;
  }
  int prefixMatch = -1;
  int prefixMatches = 0;
  for (size_t i = 0; i < count; ++i) {
    if (Normalise(choices[i]).rfind(wanted, 0) == 0) {
      prefixMatch = static_cast<int>(i);
      ++prefixMatches;
    }
  }
  return prefixMatches == 1 ? prefixMatch : -1;
}

}  // namespace nv::cli
