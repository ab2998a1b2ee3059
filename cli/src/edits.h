// Link and security settings given as options, applied to a configuration the way the
// Configuration and Security pages (and the profile dialog) apply their controls.
#pragma once

#include <string>

#include "adapter/records.h"
#include "args.h"
#include "logic/options.h"

namespace nv::cli {

inline constexpr const char* kLinkOptionsHelp =
    "  --ssid TEXT           at most 32 bytes\n"
    "  --bss-type TYPE       Ad-hoc | Infrastructure | Any (or 0..2)\n"
    "  --channel N           a channel of the regulatory domain's range\n"
    "  --rate RATE           Auto | 1 | 2 | 5.5 | 5.5 PBCC | 11 | 11 PBCC | 22 PBCC (Mbps)\n"
    "  --preamble P          Long | Short (or 0..1)\n"
    "  --power-mode M        Continuous | Maximum | Fast (or 0..2)\n";

inline constexpr const char* kSecurityOptionsHelp =
    "  --wep on|off          data encryption\n"
    "  --auth MODE           Open | Shared | Auto (or 0..2)\n"
    "  --format hex|ascii    how key texts are typed (changing it empties the other keys)\n"
    "  --size BITS           64 | 128 | 256 for all four keys; --size1 .. --size4 for one\n"
    "  --key1 .. --key4 TEXT the key texts\n"
    "  --default-key N       1..4, the transmit key\n"
    "  --passphrase TEXT     make all four keys from a passphrase (size of key 1)\n"
    "  Keys and passphrases given as TEXT are visible to other users of this machine while\n"
    "  wlanctl runs. Give - instead to read each from a line of standard input (in the order\n"
    "  --passphrase, --key1 .. --key4), or leave the value out to be asked for it without\n"
    "  echo on a terminal.\n";

// The options whose values are secrets: read from standard input for "-", asked for when
// left out.
const std::set<std::string>& SecretOptionNames();

const std::set<std::string>& LinkOptionNames();
const std::set<std::string>& SecurityOptionNames();

// False with a message for a value no list holds or a channel outside `channels`.
bool ApplyLinkOptions(const Args& args, ChannelRange channels, AdapterConfig& config,
                      std::string* error);

enum class SecurityEdit { Ok, BadInput, KeyCheckFailed };
// Runs the key length check when WEP ends up on; *message then holds its exact text.
SecurityEdit ApplySecurityOptions(const Args& args, AdapterConfig& config, std::string* message);

// A size given as 64, 128 or 256 bits (or "64 bits"); -1 otherwise.
int ParseKeySize(const std::string& text);

}  // namespace nv::cli
