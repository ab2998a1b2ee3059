#include "logic/change_message.h"

#include "platform/device_link.h"

namespace nv {

std::string LockFailedText(const std::string& why) {
  return "the settings lock could not be taken" + (why.empty() ? "" : " (" + why + ")") +
         "; nothing was changed";
}

std::string NoAdapterText(const ChangeFacts& facts) {
  if (facts.registryBusy) return kRegistryBusyText;
  if (facts.linkRefusal == kNoAnswerRefusal) return facts.linkRefusal;
  return facts.linkRefusal.empty() ? "no supported adapter found"
                                   : "no adapter: " + facts.linkRefusal;
}

std::vector<std::string> ChangeProblems(const ChangeOutcome& outcome, const ChangeFacts& facts) {
  if (outcome.lockTimedOut) return {kSettingsBusyTryAgainText};
  if (outcome.lockFailed) return {LockFailedText(facts.lockProblem)};
  if (!outcome.adapterFound) return {NoAdapterText(facts)};
  if (!outcome.overwritten) return {};  // the overwrite said why
  if (!outcome.deviceOpened) {
    const std::string& why = facts.linkRefusal;
    return {"the adapter could not be opened" + (why.empty() ? "" : " (" + why + ")") +
            "; nothing was changed"};
  }
  std::vector<std::string> lines;
  std::string refused;
  for (const std::string& name : outcome.refused) refused += (refused.empty() ? "" : ", ") + name;
  if (!refused.empty() && facts.linkRefusal == kNoAnswerRefusal) {
    lines.push_back(std::string(kNoAnswerRefusal) + " (not taken: " + refused + ")");
  } else if (!refused.empty()) {
    lines.push_back(
        "the driver refused: " + refused +
        (outcome.reached && outcome.stored ? " (the other settings were applied and stored)" : ""));
  }
  if (!outcome.reached) {
    lines.emplace_back("nothing reached the adapter; nothing was stored");
  } else if (!outcome.stored) {
    lines.push_back(std::string("the settings could not be stored") +
                    (facts.registryBusy ? std::string(": ") + kRegistryBusyText : ""));
  }
  return lines;
}

std::string AsSentences(const std::vector<std::string>& lines) {
  std::string text;
  for (std::string line : lines) {
    if (line.empty()) continue;
    if (line[0] >= 'a' && line[0] <= 'z') line[0] = static_cast<char>(line[0] - 'a' + 'A');
    if (line.back() != '.') line += '.';
    text += (text.empty() ? "" : "\n") + line;
  }
  return text;
}

std::string NotActivatedText(const std::string& shownName) {
  return "the profile \"" + shownName + "\" was stored but not activated";
}

}  // namespace nv
