// wlanctl says what failed, trusts only its own user's adapter, never hangs, keeps keys off
// the command line and escapes what comes from outside.
#include <signal.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "adapter_fixture.h"
#include "forwarding_registry.h"
#include "platform/win32_codes.h"
#include "private_file.h"
#include "store/adapter_params.h"
#include "temp_dir.h"
#include "wlanctl_fixture.h"

namespace nv {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(WlanctlTest, AChangeExitsZeroOnlyWhenEveryRequestWentThroughAndWasStored) {
  const char* kLinkCodes[] = {"0x220234", "0x22026C", "0x220248",
                              "0x22029C", "0x2202D8", "0x2202E0"};
  struct Case {
    std::vector<std::string> faults;
    std::vector<std::string> command;
    std::string said;
    bool storedAnyway;
  } cases[] = {
      {{"fault open on"}, {"config", "set", "--channel", "3"}, "could not be opened", false},
      {{"fault code 0x22026C"}, {"config", "set", "--channel", "3"}, "refused: BSS type", true},
      {{"fault code 0x2202AC"},
       {"security", "set", "--wep", "on", "--key1", "0123456789"},
       "refused: WEP key 1, WEP key 2, WEP key 3, WEP key 4",
       true},
      {{}, {"config", "set", "--channel", "3"}, "nothing reached the adapter", false},
      {{"fault open on"}, {"profile", "add", "P", "--activate"}, "could not be opened", false},
  };
  for (const char* code : kLinkCodes) cases[3].faults.push_back(std::string("fault code ") + code);
  for (const Case& c : cases) {
    daemon.Ctl("fault clear");
    ASSERT_EQ(Run({"config", "set", "--channel", "1"}), 0) << err.str();
    ASSERT_EQ(Run({"security", "set", "--wep", "off"}), 0) << err.str();
    const std::string before = Dump();
    for (const std::string& fault : c.faults) daemon.Ctl(fault);
    EXPECT_EQ(Run(c.command), 1) << c.said;
    EXPECT_TRUE(Has(err.str(), c.said)) << err.str();
    EXPECT_TRUE(out.str().empty()) << out.str();  // no "applied and stored"
    const bool profileOnly = c.command[0] == "profile";
    if (!c.storedAnyway && !profileOnly) {
      EXPECT_EQ(Dump(), before) << c.said;
    }
  }
  daemon.Ctl("fault clear");
  ASSERT_EQ(Run({"profile", "add", "Home", "--ssid", "HomeWEP64"}), 0);
  daemon.Ctl("fault open on");
  EXPECT_EQ(Run({"profile", "activate", "Home"}), 1);
  EXPECT_TRUE(Has(err.str(), "could not be opened")) << err.str();
}

TEST_F(WlanctlTest, AnUnconfirmedRadioSwitchIsNotCalledAMissingAdapter) {
  daemon.Ctl("fault control-stuck on");
  EXPECT_EQ(Run({"radio", "off"}), 1);
  EXPECT_EQ(err.str(), "wlanctl: the adapter did not confirm the radio switch\n");
  EXPECT_EQ(Run({"radio", "status"}), 1);
  EXPECT_FALSE(Has(err.str(), "no supported adapter")) << err.str();
}

// A listener of `uid` on `path`, as another user's program would be.
pid_t ListenAs(const std::string& path, uid_t uid) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(1);
  chmod(path.c_str(), 0666);
  if (setresuid(uid, uid, uid) != 0 || listen(fd, 8) != 0) _exit(1);  // credentials of listen()
  for (;;) {
    const int client = accept(fd, nullptr, nullptr);
    char byte;
    while (client >= 0 && read(client, &byte, 1) > 0) {
    }
    if (client >= 0) close(client);
  }
}

TEST_F(WlanctlTest, TheLinkIsRefusedInAForeignDirectoryOrToAForeignListener) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
  constexpr uid_t kNobody = 65534;
  test::TempDir scratch;
  chmod(scratch.path().c_str(), 0755);
  struct Case {
    std::string dir;
    mode_t mode;
    uid_t owner;
    uid_t listener;
    std::string why;
  } cases[] = {
      {scratch.File("theirs"), 0755, kNobody, kNobody, "belongs to another user"},
      {scratch.File("open"), 0777, 0, 0, "is open to other users"},
      {scratch.File("mine"), 0700, 0, kNobody, "served by another user (uid 65534)"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(mkdir(c.dir.c_str(), c.mode), 0);
    ASSERT_EQ(chmod(c.dir.c_str(), c.mode), 0);
    ASSERT_EQ(chown(c.dir.c_str(), c.owner, c.owner), 0);
    const pid_t listener = ListenAs(c.dir + "/NVWLNPCI", c.listener);
    for (int i = 0; i < 200 && access((c.dir + "/NVWLNPCI").c_str(), F_OK) != 0; ++i) {
      usleep(5000);  // until the listener's socket exists
    }
    setenv("WLANMON_RUNTIME_DIR", c.dir.c_str(), 1);
    EXPECT_EQ(Run({"security", "set", "--wep", "on", "--key1", "0123456789"}), 1) << c.why;
    EXPECT_TRUE(Has(err.str(), c.why)) << err.str();
    EXPECT_EQ(Run({"status"}), 1);
    kill(listener, SIGKILL);
    waitpid(listener, nullptr, 0);
  }
  setenv("WLANMON_RUNTIME_DIR", daemon.runtimeDir().c_str(), 1);
  EXPECT_EQ(Run({"status"}), 0) << err.str();
}

TEST_F(WlanctlTest, AStoppedDaemonFailsTheExchangeInsteadOfHangingIt) {
  PosixDeviceLink quickLink(250);
  PosixAdapterProbe quickProbe(250);
  AdapterIo quick(Ports{quickLink, quickProbe, system, *registry});
  ASSERT_EQ(RunWith(quick, {"status"}), 0) << err.str();
  const pid_t pid = daemon.pid();
  ASSERT_GT(pid, 0);
  kill(pid, SIGSTOP);
  EXPECT_EQ(RunWith(quick, {"status"}), 1);
  EXPECT_TRUE(Has(err.str(), "the adapter did not answer in time")) << err.str();
  EXPECT_EQ(RunWith(quick, {"config", "set", "--channel", "3"}), 1);
  EXPECT_TRUE(Has(err.str(), "the adapter did not answer in time")) << err.str();
  EXPECT_FALSE(Has(err.str(), "no supported adapter") || Has(err.str(), "refused")) << err.str();
  // Its queue of connections full too: the connect waits out the deadline, and says the same.
  std::vector<int> queued;
  for (int i = 0; i < 1000; ++i) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", daemon.socketPath().c_str());
    const bool taken = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    queued.push_back(fd);
    if (!taken) break;
  }
  ASSERT_LT(queued.size(), 1000u);
  EXPECT_EQ(RunWith(quick, {"status"}), 1);
  EXPECT_TRUE(Has(err.str(), "the adapter did not answer in time")) << err.str();
  EXPECT_FALSE(Has(err.str(), "no supported adapter")) << err.str();
  for (const int fd : queued) close(fd);
  kill(pid, SIGCONT);
  EXPECT_EQ(RunWith(quick, {"status"}), 0) << err.str();
}

TEST_F(WlanctlTest, ARegistryHeldByAnotherProgramIsWaitedForThenNamed) {
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(daemon.registryPath().c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(Run({"config", "set", "--channel", "3"}), 1);
  EXPECT_TRUE(Has(err.str(), "could not be stored: the settings are in use by another program"))
      << err.str();
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
}

TEST_F(WlanctlTest, SecretsComeFromStandardInputOrASilentPrompt) {
  in.str("0123456789\n1122334455\r\n");
  ASSERT_EQ(Run({"security", "set", "--wep", "on", "--key1", "-", "--key2", "-"}), 0) << err.str();
  json s = RunJson({"security", "show", "--show-keys"});
  EXPECT_EQ(s["keys"][0]["key"], "0123456789");
  EXPECT_EQ(s["keys"][1]["key"], "1122334455");
  EXPECT_EQ(Run({"security", "set", "--key3", "-"}), 2);  // input ended
  EXPECT_TRUE(Has(err.str(), "standard input ended")) << err.str();

  EXPECT_EQ(Run({"security", "set", "--passphrase"}), 2);  // no terminal to ask on
  std::vector<std::string> prompts;
  ask = [&](const std::string& prompt, std::string* value) {
    prompts.push_back(prompt);
    *value = "badpw";
    return true;
  };
  ASSERT_EQ(Run({"security", "set", "--passphrase", "--auth", "open"}), 0) << err.str();
  EXPECT_EQ(prompts, std::vector<std::string>{"Passphrase: "});
  EXPECT_EQ(RunJson({"security", "show", "--show-keys"})["keys"][1]["key"], "C27236DFB1");
  in.clear();
  in.str("badpw\n");
  EXPECT_EQ(RunJson({"keygen", "--size", "64", "-"})["keys"][0], "02CB778981");
  ASSERT_EQ(Run({"security", "--help"}), 0);
  EXPECT_TRUE(Has(out.str(), "visible to other users")) << out.str();
}

TEST_F(WlanctlTest, OutsideTextIsEscapedOnTheTerminalAndExactInJson) {
  const std::string evil =
      "\x1b]0;owned\x07\x1b[2J\xc2\x9b"
      "31m";
  json network = {{"ssid", evil},     {"bssid", "00:0A:F5:10:00:09"},
                  {"channel", 2},     {"mode", "infrastructure"},
                  {"privacy", false}, {"signal", 90}};
  ASSERT_EQ(daemon.Ctl("network add " + network.dump()), "network added");
  daemon.Ctl("step 2500");
  ASSERT_EQ(Run({"scan"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "\\x1B]0;owned\\x07\\x1B[2J\\xC2\\x9B31m")) << out.str();
  EXPECT_FALSE(Has(out.str(), "\x1b")) << out.str();
  const json scan = RunJson({"scan"});
  bool exact = false;
  for (const json& n : scan["networks"]) exact = exact || n["ssid"] == evil;
  EXPECT_TRUE(exact) << out.str();

  std::string instance;
  ASSERT_TRUE(LocateAdapterKey(*io, &instance));
  test::SetText(*registry, kHkeyLocalMachine, instance, "dot11DesiredSSID", "a\x1b[8mb\\");
  ASSERT_EQ(Run({"config", "show"}), 0);
  EXPECT_TRUE(Has(out.str(), "a\\x1B[8mb\\\\\n")) << out.str();
  EXPECT_EQ(RunJson({"config", "show"})["ssid"], "a\x1b[8mb\\");

  EXPECT_EQ(Run({"config", "set", "--ssid", "a\x1b[2Jb"}), 2);
  EXPECT_EQ(Run({"profile", "add", "p\x07"}), 2);
}

TEST_F(WlanctlTest, ImportStoresOnlyWhatThePagesCouldAndReadsRegedit5) {
  std::string instance;
  ASSERT_TRUE(LocateAdapterKey(*io, &instance));
  instance.pop_back();
  const std::string adapterKey = "[HKEY_LOCAL_MACHINE\\" + instance + "]\n";
  const std::string profileKey = "[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\P]\n";
  const std::string cases[] = {
      adapterKey + "\"dot11DesiredChannel\"=\"99\"\n",
      profileKey + "\"dot11DesiredSSID\"=dword:00000005\n",
      profileKey + "\"dot11WEPDefaultKey1\"=\"0123456789a\"\n",
      profileKey + "\"dot11DesiredBSSType\"=\"5\"\n",
      profileKey + "\"dot11WEPDefaultKeyID\"=dword:00000004\n",
      profileKey + "\"dot11DesiredSSID\"=\"" + std::string(33, 's') + "\"\n",
      profileKey + "\"Something\"=\"1\"\n",
      "[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\" + std::string(256, 'n') + "]\n",
  };
  test::TempDir dir;
  const std::string file = dir.File("bad.reg");
  const std::string before = Dump();
  std::string error;
  for (const std::string& body : cases) {
    ASSERT_TRUE(cli::WritePrivateFile(file, "REGEDIT4\n\n" + body, &error));
    EXPECT_EQ(Run({"registry", "import", file}), 1) << body;
    EXPECT_TRUE(Has(err.str(), "nothing was imported")) << err.str();
    EXPECT_EQ(Dump(), before) << body;
  }
  RegKey tooLong = 0;
  EXPECT_NE(registry->CreateKey(kHkeyCurrentUser, "Software\\" + std::string(256, 'k'), &tooLong),
            0);

  // Windows' registry editor: UTF-16LE with a byte-order mark, CRLF lines.
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + profileKey +
                           "\"dot11DesiredSSID\"=\"Caf\xc3\xa9\"\r\n"
                           "\"dot11DesiredChannel\"=\"6\"\r\n";
  std::string utf16 = "\xFF\xFE";
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const unsigned cp = b == 0xC3 ? 0xC0 | (static_cast<unsigned char>(text[++i]) & 0x3F) : b;
    utf16 += static_cast<char>(cp & 0xFF);
    utf16 += static_cast<char>(cp >> 8);
  }
  ASSERT_TRUE(cli::WritePrivateFile(file, utf16, &error));
  ASSERT_EQ(Run({"registry", "import", file}), 0) << err.str();
  AdapterConfig p{};
  ReadConfigValues(*registry, kHkeyCurrentUser, "Software\\NVXPROFILE\\P", p);
  EXPECT_EQ(std::string(p.ssid), "Caf\xe9");  // Windows-1252, as the ANSI calls store it
  EXPECT_EQ(p.channel, 6);
}

// Windows' registry editor shows the stored bytes in Windows-1252 and exports REGEDIT5 in
// UTF-16LE with a byte-order mark and CRLF lines; the import turns that back into the same
// bytes, and refuses, naming the line, a character the code page lacks.
TEST_F(WlanctlTest, Regedit5TextBecomesTheRegistrysWindows1252Bytes) {
  struct Case {
    std::string bytes;    // the stored name and SSID
    std::u16string text;  // as the registry editor writes them
    std::string refusal;  // what a refused file is told, with its line
  } cases[] = {
      {"Caf\xC3\xA9", u"Caf\u00C3\u00A9", ""},
      {"Caf\xE9 \xA0\xFF", u"Caf\u00E9 \u00A0\u00FF", ""},
      {"\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D",
       u"\u00E2\u201A\u00AC\u00E2\u20AC\u0153\u00E2\u20AC\u009D", ""},
      {"\xD0\x81\xD1\x8D\xD1\x8F\xD1\x90\xC5\xB8",
       u"\u00D0\u0081\u00D1\u008D\u00D1\u008F\u00D1\u0090\u00C5\u00B8", ""},
      {"5 \x80\x85\x93\x94\x99\x9F", u"5 \u20AC\u2026\u201C\u201D\u2122\u0178", ""},
      {"", u"A\u0081", ":3: a profile name must not hold control characters"},
      {"", u"A\u0100", ":3: the character U+0100 has no byte"},
      {"", u"A\u0080", ":3: the character U+0080 has no byte"},
      {"", u"A\U0001F600", ":3: the character U+1F600 has no byte"},
      {"",
       u"A\xD800"
       u"B",
       ":3: bad UTF-16 text (an unpaired surrogate)"},
      {"", u"A\xDC00\xD800", ":3: bad UTF-16 text (an unpaired surrogate)"},
  };
  test::TempDir dir;
  const std::string file = dir.File("editor.reg");
  std::string error;
  for (const Case& c : cases) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\" +
        c.text + u"]\r\n\"dot11DesiredSSID\"=\"" + c.text + u"\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : text) {
      utf16 += static_cast<char>(unit & 0xFF);
      utf16 += static_cast<char>(unit >> 8);
    }
    ASSERT_TRUE(cli::WritePrivateFile(file, utf16, &error));
    const std::string before = Dump();
    if (!c.refusal.empty()) {
      EXPECT_EQ(Run({"registry", "import", file}), 1);
      EXPECT_TRUE(Has(err.str(), c.refusal)) << err.str();
      EXPECT_EQ(Dump(), before);
      continue;
    }
    ASSERT_EQ(Run({"registry", "import", file}), 0) << err.str();
    AdapterConfig stored{};
    ReadConfigValues(*registry, kHkeyCurrentUser, "Software\\NVXPROFILE\\" + c.bytes, stored);
    EXPECT_EQ(stored.scope, 0) << c.bytes;
    EXPECT_EQ(std::string(stored.ssid), c.bytes);
    // ...and what the editor read: the same bytes in the REGEDIT4 export.
    EXPECT_TRUE(Has(Dump(), "NVXPROFILE\\" + c.bytes + "]\n\"dot11DesiredSSID\"=hex(1):"))
        << c.bytes;
  }
}

// A registry whose second subkey name anywhere is too long for the 256-character buffer, as a
// key written by another tool may be.
class OneLongName : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  int32_t EnumKey(RegKey k, uint32_t i, char* name, uint32_t* length) override {
    if (i == 1) return win::kErrorMoreData;
    return ForwardingRegistry::EnumKey(k, i, name, length);
  }
};

TEST_F(WlanctlTest, ExportGoesOnPastANameItCannotReadAndSaysSo) {
  for (const char* name : {"a", "b", "c"}) {
    ASSERT_EQ(Run({"profile", "add", name}), 0) << err.str();
  }
  OneLongName odd(*registry);
  AdapterIo oddIo(Ports{ports.link, ports.probe, system, odd});
  EXPECT_EQ(RunWith(oddIo, {"registry", "export"}), 1);
  EXPECT_TRUE(Has(out.str(), "NVXPROFILE\\a]")) << out.str();
  EXPECT_TRUE(Has(out.str(), "NVXPROFILE\\c]")) << out.str();  // goes on past b
  EXPECT_TRUE(Has(err.str(),
                  "not exported: HKEY_CURRENT_USER\\Software\\NVXPROFILE: subkey 1 "
                  "(a name longer than 255 characters)"))
      << err.str();
}

TEST_F(WlanctlTest, RatesByTextNamesIgnoringCaseAndTheProfilesLeftOut) {
  EXPECT_EQ(Run({"config", "set", "--rate", "5"}), 2);  // no position: "5" is no rate
  ASSERT_EQ(Run({"config", "set", "--rate", "5.5"}), 0) << err.str();
  EXPECT_EQ(RunJson({"config", "show"})["txRate"], "5.5 Mbps");
  ASSERT_EQ(Run({"config", "set", "--rate", "11 PBCC"}), 0) << err.str();
  EXPECT_EQ(RunJson({"config", "show"})["txRate"], "11 Mbps PBCC");

  ASSERT_EQ(Run({"profile", "add", "home"}), 0) << err.str();
  EXPECT_EQ(Run({"profile", "add", "HOME"}), 1);
  EXPECT_TRUE(Has(err.str(), "a profile named \"home\" exists")) << err.str();
  EXPECT_EQ(Run({"profile", "add", "HOME", "--replace", "--channel", "4"}), 0) << err.str();
  EXPECT_EQ(RunJson({"profile", "show", "Home"})["channel"], 4);

  for (int i = 0; i < 70; ++i) {
    RegKey key = 0;
    ASSERT_EQ(
        registry->CreateKey(kHkeyCurrentUser, "Software\\NVXPROFILE\\p" + std::to_string(i), &key),
        0);
    registry->CloseKey(key);
  }
  ASSERT_EQ(Run({"profile", "list"}), 0);
  EXPECT_TRUE(Has(out.str(), "7 more profiles are stored but not listed")) << out.str();
  EXPECT_EQ(RunJson({"profile", "list"})["omitted"], 7);
}

}  // namespace
}  // namespace nv
