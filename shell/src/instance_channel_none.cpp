// Platforms without a channel to the running program: a second start can only say so.
#include "shell/instance_channel.h"

namespace nv {

OpenReply AskLockHolderToOpen(const std::string&) { return OpenReply::kCannotAsk; }

OpenReply AskFrameOwnerToOpen() { return OpenReply::kCannotAsk; }

struct InstanceChannel::Impl {};

InstanceChannel::InstanceChannel(QWidget&, std::function<bool()>) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::Listen(const std::string&, std::string*) { return true; }

}  // namespace nv
