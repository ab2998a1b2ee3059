// Command-line words into positional arguments, valued options and flags.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace nv::cli {

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> asked;  // askable options given without a value, in order

  bool Has(const std::string& name) const { return values.count(name) || flags.count(name); }
  std::optional<std::string> Get(const std::string& name) const;
};

// "--name VALUE", "--name=VALUE" for the names in `valued`; "--flag" for those in `flags`.
// A name in `askable` given without a value (last, or before another option) lands in
// `asked`, for the caller to ask for. False with a message for anything else.
bool ParseArgs(const std::vector<std::string>& words, const std::set<std::string>& valued,
               const std::set<std::string>& flags, Args* args, std::string* error,
               const std::set<std::string>& askable = {});

// An entry of an option list by its text, by position ("2", unless `positions` is false) or
// by a unique beginning of it, ignoring case, spaces, dashes and "Mbps". -1 when nothing fits.
int ParseChoice(std::string_view text, const std::string_view* choices, size_t count,
                bool positions = true);

bool ParseInt(std::string_view text, int* value);

}  // namespace nv::cli
