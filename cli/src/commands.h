// The wlanctl commands; each takes the words after its name.
#pragma once

#include <string>
#include <vector>

#include "cli/wlanctl.h"

namespace nv::cli {

int CmdStatus(Context& c, const std::vector<std::string>& words);
int CmdWatch(Context& c, const std::vector<std::string>& words);
int CmdNotify(Context& c, const std::vector<std::string>& words);
int CmdScan(Context& c, const std::vector<std::string>& words);
int CmdRadio(Context& c, const std::vector<std::string>& words);
int CmdVersions(Context& c, const std::vector<std::string>& words);
int CmdConfig(Context& c, const std::vector<std::string>& words);
int CmdSecurity(Context& c, const std::vector<std::string>& words);
int CmdKeygen(Context& c, const std::vector<std::string>& words);
int CmdProfile(Context& c, const std::vector<std::string>& words);
int CmdRegistry(Context& c, const std::vector<std::string>& words);

}  // namespace nv::cli
