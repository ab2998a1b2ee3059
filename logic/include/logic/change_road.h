// The one road every change of adapter settings takes, whichever front-end starts it (the
// Configuration and Security pages, the Site Survey page and its Profile dialog, wlanctl):
// read the stored settings, overwrite what the caller owns, apply with `scope`, store with the
// same scope, start a scan. The road runs under the per-user settings lock
// (logic/settings_lock.h), so concurrent changes never undo each other. Showing the Link Info page
// afterwards is the window's business.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "logic/settings_lock.h"

namespace nv {

// What the road did. wlanctl and the window's pages report it (logic/change_message.h).
struct ChangeOutcome {
  // Another change held the settings lock past the wait (or it could not be had): the road
  // stopped before reading, sending or storing anything.
  bool lockTimedOut = false;
  // The lock could not be had at all (its file is a link, a directory...): stopped likewise.
  bool lockFailed = false;
  bool adapterFound = false;  // the stored settings of a supported adapter could be read
  bool overwritten = false;   // the caller's overwrite accepted the change (else nothing was sent)
  bool stored = false;        // the registry write succeeded
  bool scanStarted = false;
  bool deviceOpened = false;         // the apply opened the device link
  bool reached = false;              // the driver took at least one request (else no store)
  bool applied = false;              // every request of the apply went through
  std::vector<std::string> refused;  // settings the driver refused, in sending order

  // The lock stopped the road: nothing was read, sent or stored.
  bool lockRefused() const { return lockTimedOut || lockFailed; }
};

// `overwrite` changes the fields the caller owns; returning false stops the road before
// anything is sent or stored. When nothing reached the adapter (the link did not open, or the
// driver refused every request) nothing is stored either, so the registry never claims
// settings the adapter does not have; a setting the driver refused keeps its stored value.
using Overwrite = std::function<bool(AdapterConfig&)>;

// `lockWaitMs`: how long to wait for another change to end (the window passes a short wait,
// so its thread never hangs on another program).
ChangeOutcome ChangeAdapterSettings(AdapterIo& io, int32_t scope, const Overwrite& overwrite,
                                    uint32_t lockWaitMs = kSettingsLockWaitMs);

}  // namespace nv
