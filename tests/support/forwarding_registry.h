// A registry that passes every call to another one: a test overrides the call it wants to fail.
#pragma once

#include "platform/registry.h"

namespace nv::test {

class ForwardingRegistry : public Registry {
 public:
  explicit ForwardingRegistry(Registry& real) : r_(real) {}
  int32_t OpenKey(RegKey p, std::string_view s, uint32_t a, RegKey* k) override {
    return r_.OpenKey(p, s, a, k);
  }
  int32_t CreateKey(RegKey p, std::string_view s, RegKey* k) override {
    return r_.CreateKey(p, s, k);
  }
  int32_t EnumKey(RegKey k, uint32_t i, char* name, uint32_t* length) override {
    return r_.EnumKey(k, i, name, length);
  }
  int32_t EnumValue(RegKey k, uint32_t i, char* n, uint32_t* nl, uint32_t* t, uint8_t* d,
                    uint32_t* ds) override {
    return r_.EnumValue(k, i, n, nl, t, d, ds);
  }
  int32_t QueryValue(RegKey k, std::string_view n, uint32_t* t, uint8_t* d, uint32_t* ds) override {
    return r_.QueryValue(k, n, t, d, ds);
  }
  int32_t SetValue(RegKey k, std::string_view n, uint32_t t, const uint8_t* d,
                   uint32_t ds) override {
    return r_.SetValue(k, n, t, d, ds);
  }
  int32_t DeleteValue(RegKey k, std::string_view n) override { return r_.DeleteValue(k, n); }
  int32_t DeleteKey(RegKey p, std::string_view s) override { return r_.DeleteKey(p, s); }
  int32_t CloseKey(RegKey k) override { return r_.CloseKey(k); }
  int32_t BeginBatch() override { return r_.BeginBatch(); }
  int32_t EndBatch(bool commit) override { return r_.EndBatch(commit); }

 private:
  Registry& r_;
};

}  // namespace nv::test
