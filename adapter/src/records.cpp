#include "adapter/records.h"

namespace nv {

namespace {
// Codes the driver reports, by rate index; index 0 ("Auto") is never read back.
constexpr uint8_t kCodeByIndex[kRateIndexCount] = {220, 10, 20, 55, 183, 110, 238, 220};
}  // namespace

uint8_t RateCodeFromIndex(int32_t rateIndex) {
  const auto index = static_cast<uint8_t>(rateIndex & 0xFF);
  // Index 0 (Auto), 7 and anything unknown ask for the highest rate.
  return index >= 1 && index <= 6 ? kCodeByIndex[index] : 220;
}

bool DecodeRateCode(uint32_t rateCode, uint8_t* rateIndex) {
  for (uint8_t index = kRateIndexCount - 1; index >= 1; --index) {
    if (kCodeByIndex[index] == rateCode) {
      *rateIndex = index;
      return true;
    }
  }
  return false;
}

uint8_t RateIndexFromCode(uint32_t rateCode) {
  uint8_t index = 0;
  return DecodeRateCode(rateCode, &index) ? index : 0;
}

}  // namespace nv
