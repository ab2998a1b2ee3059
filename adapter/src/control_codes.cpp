#include "adapter/control_codes.h"

namespace nv {

CodeInfo LookupControlCode(uint32_t code) {
  for (const ControlPair& pair : kControlPairs) {
    if (pair.queryCode == code) {
      return {&pair, pair.inAndOut ? CodeDirection::InAndOut : CodeDirection::Query};
    }
    if (pair.setCode == code) return {&pair, CodeDirection::Set};
  }
  return {nullptr, CodeDirection::Query};
}

}  // namespace nv
