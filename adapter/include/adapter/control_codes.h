// The driver's private control codes: CTL_CODE(0x22, function, METHOD_BUFFERED, FILE_ANY_ACCESS).
// One table serves the utility's typed requests and the virtual adapter's validation.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace nv {

inline constexpr std::string_view kDeviceLinkName = "\\\\.\\NVWLNPCI";

// One request pair: a query code, a set code (0 where the driver offers none) and the
// minimum buffer size both share. A value set's query twin is its code minus 4.
struct ControlPair {
  std::string_view name;
  uint32_t queryCode;
  uint32_t setCode;
  uint32_t minBytes;
  bool inAndOut;  // the register read: the same buffer travels in and back out
};

namespace codes {
inline constexpr ControlPair kVersions{"versions", 0x220210, 0, 20, false};
inline constexpr ControlPair kSsid{"ssid", 0, 0x220234, 36, false};
inline constexpr ControlPair kPowerMode{"powerMode", 0x220244, 0x220248, 4, false};
inline constexpr ControlPair kBssList{"bssList", 0x220260, 0, 108, false};
inline constexpr ControlPair kBssType{"bssType", 0x220268, 0x22026C, 4, false};
inline constexpr ControlPair kRates{"rates", 0, 0x22029C, 8, false};
inline constexpr ControlPair kStatus{"status", 0x2202A8, 0, 104, false};
inline constexpr ControlPair kWepKey{"wepKey", 0, 0x2202AC, 44, false};
inline constexpr ControlPair kWepStatus{"wepStatus", 0x2202B0, 0x2202B4, 4, false};
inline constexpr ControlPair kAuthMode{"authMode", 0x2202C0, 0x2202C4, 4, false};
inline constexpr ControlPair kChannel{"channel", 0x2202D4, 0x2202D8, 4, false};
inline constexpr ControlPair kPreamble{"shortPreamble", 0x2202DC, 0x2202E0, 4, false};
inline constexpr ControlPair kRegisterRead{"registerRead", 0x220390, 0, 12, true};
inline constexpr ControlPair kRegisterWrite{"registerWrite", 0, 0x220394, 12, false};
inline constexpr ControlPair kScan{"scan", 0x22039C, 0x2203A0, 4, false};
}  // namespace codes

inline constexpr ControlPair kControlPairs[] = {
    codes::kVersions,     codes::kSsid,          codes::kPowerMode, codes::kBssList,
    codes::kBssType,      codes::kRates,         codes::kStatus,    codes::kWepKey,
    codes::kWepStatus,    codes::kAuthMode,      codes::kChannel,   codes::kPreamble,
    codes::kRegisterRead, codes::kRegisterWrite, codes::kScan};

enum class CodeDirection { Query, Set, InAndOut };

struct CodeInfo {
  const ControlPair* pair;  // null for a code the driver does not know
  CodeDirection direction;
};

// What a received code means: its pair and the direction it runs in.
CodeInfo LookupControlCode(uint32_t code);

}  // namespace nv
