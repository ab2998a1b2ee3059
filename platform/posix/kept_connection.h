// A connection to the adapter's daemon kept from one exchange to the next. The tray checks the
// adapter every second; connecting each time cost the daemon two more wake-ups per exchange
// (the accept and the hang-up) and the client the directory and peer checks.
#pragma once

#include <string>

namespace nv::posix {

// One object serves one thread.
class KeptConnection {
 public:
  KeptConnection() = default;
  ~KeptConnection();
  KeptConnection(const KeptConnection&) = delete;
  KeptConnection& operator=(const KeptConnection&) = delete;

  // The kept connection when its peer is still there and has sent nothing unasked, else a new
  // one by ConnectToAdapter's rules; -1 with the reason in `refusal` (empty: no daemon).
  // `opened` tells whether the daemon opened the link on it (see Give).
  int Take(int deadlineMs, std::string* refusal, bool* opened = nullptr);
  // Takes back a connection whose last exchange completed: kept when none is, else closed;
  // `opened` when the daemon opened the link on it. A connection that failed is shut down
  // first (see `Spoil`) and is closed here. False for no connection, or one given back twice
  // (it is kept, not closed, then).
  bool Give(int fd, bool opened = false);
  // Marks a connection whose exchange failed, so that no later exchange trusts its stream.
  static void Spoil(int fd);

 private:
  int kept_ = -1;
  bool keptOpened_ = false;
};

}  // namespace nv::posix
