// registry export|import: the adapter's key and the profiles as a REGEDIT4 file.
#include <algorithm>
#include <optional>

#include "adapter/operations.h"
#include "commands.h"
#include "common.h"
#include "logic/registry_transfer.h"
#include "logic/settings_lock.h"
#include "platform/win32_codes.h"
#include "private_file.h"
#include "regedit.h"

namespace nv::cli {

namespace {

constexpr const char* kRegistryHelp =
    "usage: wlanctl registry export [FILE]\n"
    "       wlanctl registry import FILE\n"
    "Writes the adapter's instance key and the profiles as a REGEDIT4 file (the format of\n"
    "Windows' registry editor; standard output without FILE), or reads one back (REGEDIT4, or\n"
    "REGEDIT5 as Windows' registry editor exports it, UTF-16 with a byte-order mark, whose\n"
    "text is stored in Windows-1252 as the ANSI registry calls store it). An\n"
    "import checks the whole file first: every value must be one the settings pages could\n"
    "store (a channel of the regulatory domain, key texts of 10, 26 or 58 digits, an SSID of\n"
    "at most 32 bytes...); it changes nothing when any line is bad. An export that has\n"
    "to pass over a key or value it cannot read names it and exits 1.\n";

// A registry path for the terminal: each name escaped, the separators left alone.
std::string PrintablePath(std::string_view path) {
  std::string out;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (start > 0) out += '\\';
    out += Printable(path.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

int Export(Context& c, const Args& a) {
  std::vector<RegKeyDump> keys;
  std::vector<std::string> skipped;
  if (const std::optional<std::string> instance = AdapterInstanceKey(c.io)) {
    DumpKeyTree(c.io.registry(), kHkeyLocalMachine, *instance, &keys, &skipped);
  } else {
    c.err << "wlanctl: " << NoAdapter(c) << "; exporting the profiles only\n";
  }
  DumpKeyTree(c.io.registry(), kHkeyCurrentUser, std::string(kProfileKeyPath), &keys, &skipped);
  const std::string text = WriteRegedit4(keys);
  if (a.positional.size() == 1) {
    c.out << text;
  } else {
    std::string error;
    if (!WritePrivateFile(a.positional[1], text, &error)) return Fail(c, error);
    c.out << "Exported " << keys.size() << " keys to " << a.positional[1] << ".\n";
  }
  for (const std::string& what : skipped) Fail(c, "not exported: " + PrintablePath(what));
  return skipped.empty() ? kExitOk : kExitFailed;
}

int Import(Context& c, const std::string& file) {
  std::string text, error;
  if (!ReadWholeFile(file, &text, &error)) return Fail(c, error);
  std::vector<RegKeyDump> keys;
  RegeditError bad;
  if (!ParseRegeditFile(text, &keys, &bad)) {
    return Fail(
        c, file + ":" + std::to_string(bad.line) + ": " + bad.message + "; nothing was imported");
  }
  size_t values = 0;
  for (const RegKeyDump& key : keys) {
    if (!Importable(key)) {
      return Fail(c, file + ":" + std::to_string(key.line) +
                         ": only the adapter's key and the profiles can be imported; nothing "
                         "was imported");
    }
    values += key.values.size();
  }
  if (!CheckImport(keys, ChannelRangeFor(ReadRegulatoryDomain(c.io)), &bad)) {
    return Fail(
        c, file + ":" + std::to_string(bad.line) + ": " + bad.message + "; nothing was imported");
  }
  const size_t driverValues = DropDriverValues(&keys);
  values -= driverValues;
  // Like every change: under the settings lock, and in one batch that lands whole or not at all.
  const SettingsLock lock(c.io.system());
  if (LockRefused(c, lock)) return kExitFailed;
  RegistryBatch batch(c.io.registry());
  int32_t rc = batch.open() ? WriteKeys(c.io.registry(), keys) : RegistryBatch::kBatchNotOpen;
  if (rc == win::kErrorSuccess) rc = batch.Commit();
  if (rc != win::kErrorSuccess) {
    const bool busy = c.registryBusy && c.registryBusy();
    return Fail(c, "the registry refused a write (" +
                       (busy ? std::string(kRegistryBusyText) : "error " + std::to_string(rc)) +
                       "); nothing was imported");
  }
  c.out << "Imported " << keys.size() << " keys and " << values << " values.\n";
  if (driverValues > 0) {
    c.out << "Left as they are: " << driverValues
          << " values of the driver's in the adapter's key.\n";
  }
  return kExitOk;
}

}  // namespace

int CmdRegistry(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {}, {}, kRegistryHelp, &a, &exit)) return exit;
  const auto& p = a.positional;
  if (!p.empty() && p[0] == "export" && p.size() <= 2) return Export(c, a);
  if (!p.empty() && p[0] == "import" && p.size() == 2) return Import(c, p[1]);
  return Usage(c, "registry needs export [FILE] or import FILE");
}

}  // namespace nv::cli
