// The per-user settings lock and the change road under it.
#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <thread>
#endif

#include "adapter_fixture.h"
#include "logic/change_message.h"
#include "logic/change_road.h"
#include "logic/settings_lock.h"
#include "store/adapter_params.h"

#ifdef _WIN32
#include "win32_ports.h"
#else
#include <sys/wait.h>
#include <unistd.h>

#include "posix_ports.h"
#include "temp_dir.h"
#endif

namespace nv {
namespace {

// Busy for the first `busyTries` tries; counts what the road takes and gives back.
class LockingSystem : public FakeSystem {
 public:
  LockResult TryLockSettings() override {
    ++tries;
    if (tries <= busyTries) return LockResult::Busy;
    ++locks;
    return LockResult::Acquired;
  }
  void UnlockSettings() override { ++unlocks; }
  int busyTries = 0;
  int tries = 0, locks = 0, unlocks = 0;
};

struct RoadCase {
  int busyTries;
  bool ran;
};

TEST(ChangeRoadLock, WaitsOnTheSystemClockAndStopsBeforeAnythingAfterFiveSeconds) {
  for (const RoadCase& rc : {RoadCase{0, true}, RoadCase{5, true}, RoadCase{1000000, false}}) {
    SCOPED_TRACE(rc.busyTries);
    LockingSystem system;
    system.busyTries = rc.busyTries;
    test::TestPorts t;
    t.AddInstance("0001", std::string(kHardwareIds[0]), true);
    AdapterIo road(Ports{t.link, t.probe, system, *t.registry});
    bool overwritten = false;
    const ChangeOutcome outcome = ChangeAdapterSettings(road, kScopeLink, [&](AdapterConfig& c) {
      overwritten = true;
      c.channel = 11;
      return true;
    });
    EXPECT_EQ(outcome.lockTimedOut, !rc.ran);
    EXPECT_EQ(overwritten, rc.ran);
    EXPECT_EQ(outcome.stored, rc.ran);
    EXPECT_EQ(t.link.requests().empty(), !rc.ran);  // nothing sent without the lock
    EXPECT_EQ(system.locks, system.unlocks);
    for (const uint32_t ms : system.sleeps) EXPECT_LE(ms, 20u);  // the poll's cap
    if (!rc.ran) {
      EXPECT_GE(system.tick, kSettingsLockWaitMs);
      EXPECT_LT(system.tick, kSettingsLockWaitMs + 100);
    }
  }
}

TEST(ChangeRoadLock, WithoutAnAdapterNothingIsSentAndTheUserIsToldSo) {
  test::TestPorts t;
  const ChangeOutcome outcome = ChangeAdapterSettings(t.io, kScopeLink, [](AdapterConfig&) {
    ADD_FAILURE() << "overwrite without an adapter";
    return true;
  });
  EXPECT_FALSE(outcome.adapterFound || outcome.lockRefused() || outcome.stored);
  EXPECT_TRUE(t.link.requests().empty());
  EXPECT_EQ(ChangeProblems(outcome, {}), std::vector<std::string>{"no supported adapter found"});
}

// Every branch of the message builder: the outcome in, the exact lines out.
TEST(ChangeMessage, EachOutcomeSaysWhatHappened) {
  using Lines = std::vector<std::string>;
  ChangeOutcome lockBusy, lockUnusable, noAdapter, stopped;
  lockBusy.lockTimedOut = lockUnusable.lockFailed = stopped.adapterFound = true;
  ChangeOutcome closed = stopped;
  closed.overwritten = true;
  ChangeOutcome unreached = closed;
  unreached.deviceOpened = true;
  ChangeOutcome notStored = unreached, refusedUnreached = unreached;
  notStored.reached = true;
  ChangeOutcome done = notStored;
  done.stored = true;
  ChangeOutcome refused = done, refusedNotStored = notStored;
  refused.refused = refusedNotStored.refused = refusedUnreached.refused = {"SSID", "Channel"};
  ChangeFacts none, link, busy, lock, stalled;
  link.linkRefusal = "gone";
  busy.registryBusy = true;
  lock.lockProblem = "a link";
  stalled.linkRefusal = kNoAnswerRefusal;
  const std::string notTaken = std::string(kNoAnswerRefusal) + " (not taken: SSID, Channel)";
  const struct {
    ChangeOutcome outcome;
    ChangeFacts facts;
    Lines lines;
  } cases[] = {
      {lockBusy, lock, {kSettingsBusyTryAgainText}},
      {lockUnusable, lock, {"the settings lock could not be taken (a link); nothing was changed"}},
      {lockUnusable, none, {"the settings lock could not be taken; nothing was changed"}},
      {noAdapter, none, {"no supported adapter found"}},
      {noAdapter, link, {"no adapter: gone"}},
      {noAdapter, stalled, {kNoAnswerRefusal}},
      {noAdapter, busy, {kRegistryBusyText}},
      {stopped, link, {}},
      {closed, link, {"the adapter could not be opened (gone); nothing was changed"}},
      {closed, none, {"the adapter could not be opened; nothing was changed"}},
      {done, none, {}},
      {notStored, none, {"the settings could not be stored"}},
      {notStored, busy, {std::string("the settings could not be stored: ") + kRegistryBusyText}},
      {refused,
       none,
       {"the driver refused: SSID, Channel (the other settings were applied and stored)"}},
      {refusedNotStored,
       none,
       {"the driver refused: SSID, Channel", "the settings could not be stored"}},
      {refusedUnreached,
       none,
       {"the driver refused: SSID, Channel", "nothing reached the adapter; nothing was stored"}},
      {refusedUnreached, stalled, {notTaken, "nothing reached the adapter; nothing was stored"}},
      {unreached, none, {"nothing reached the adapter; nothing was stored"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChangeProblems(c.outcome, c.facts), c.lines) << (c.lines.empty() ? "" : c.lines[0]);
  }
  EXPECT_EQ(AsSentences({"the driver refused: SSID", "", "done."}),
            "The driver refused: SSID.\nDone.");
}

#ifdef _WIN32
using NativeSystem = Win32System;
struct RuntimeDir {  // the Win32 lock needs no folder of its own
  RuntimeDir() {}
};
#else
using NativeSystem = PosixSystem;
struct RuntimeDir {
  RuntimeDir() { setenv("WLANMON_RUNTIME_DIR", dir.File("run").c_str(), 1); }
  test::TempDir dir;
};
#endif

struct LockAttempt {
  SystemPort* system;
  LockResult result = LockResult::Failed;
  void Run() {
    result = system->TryLockSettings();
    if (result == LockResult::Acquired) system->UnlockSettings();
  }
};

#ifdef _WIN32
// Win32 threads: the win32 thread model has no std::thread.
DWORD WINAPI RunAttempt(void* attempt) {
  static_cast<LockAttempt*>(attempt)->Run();
  return 0;
}

LockResult TryFromAnotherThread(SystemPort& system) {
  LockAttempt attempt{&system};
  HANDLE thread = CreateThread(nullptr, 0, RunAttempt, &attempt, 0, nullptr);
  if (thread == nullptr) return LockResult::Failed;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return attempt.result;
}
#else
LockResult TryFromAnotherThread(SystemPort& system) {
  LockAttempt attempt{&system};
  std::thread([&attempt] { attempt.Run(); }).join();
  return attempt.result;
}
#endif

TEST(SettingsLock, NestsInItsThreadAndKeepsOtherThreadsOut) {
  const RuntimeDir dir;
  NativeSystem system;
  ASSERT_EQ(system.TryLockSettings(), LockResult::Acquired);
  ASSERT_EQ(system.TryLockSettings(), LockResult::Acquired);
  EXPECT_EQ(TryFromAnotherThread(system), LockResult::Busy);
  system.UnlockSettings();
  EXPECT_EQ(TryFromAnotherThread(system), LockResult::Busy);
  system.UnlockSettings();
  EXPECT_EQ(TryFromAnotherThread(system), LockResult::Acquired);
}

#ifndef _WIN32
TEST(SettingsLock, KeepsOtherProcessesOutUntilItsHolderEndsEvenByDying) {
  const RuntimeDir dir;
  int held[2];
  int release[2];
  ASSERT_EQ(pipe(held), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(release[1]);  // so that the parent's close is the end of the pipe
    PosixSystem own;
    const char ok = own.TryLockSettings() == LockResult::Acquired ? 1 : 0;
    [[maybe_unused]] ssize_t n = write(held[1], &ok, 1);
    char byte = 0;
    n = read(release[0], &byte, 1);
    _exit(0);  // dies holding it
  }
  char ok = 0;
  ASSERT_EQ(read(held[0], &ok, 1), 1);
  ASSERT_EQ(ok, 1);
  PosixSystem system;
  EXPECT_EQ(system.TryLockSettings(), LockResult::Busy);
  {
    // The wait runs on a clock the test moves.
    struct Delegating : FakeSystem {
      LockResult TryLockSettings() override { return real->TryLockSettings(); }
      SystemPort* real = nullptr;
    } waiting;
    waiting.real = &system;
    const SettingsLock lock(waiting);
    EXPECT_FALSE(lock.held());
    EXPECT_GE(waiting.tick, kSettingsLockWaitMs);
  }
  close(release[1]);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(system.TryLockSettings(), LockResult::Acquired);
  system.UnlockSettings();
  for (int fd : {held[0], held[1], release[0]}) close(fd);
}
#endif

}  // namespace
}  // namespace nv
