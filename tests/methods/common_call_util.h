#pragma once

// Built-in functions called directly, the way a script's call reaches them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/form.h"
#include "methods/builtin_methods.h"
#include "script/exec_test_util.h"
#include "support/utf16_text.h"

namespace {

// A host without desktop or trace; it offers runtime when one is set.
class QuietHost : public IKVMethodHost {
 public:
  void TraceValue(const CNValue&) override {}
  IKVRuntime* GetRuntime() override { return runtime; }
  IKVRuntime* runtime = nullptr;
};

inline CNValue Utf8Text(const std::string& text) {
  CNValue value;
  value.SetString(Utf8ToUtf16(text));
  return value;
}

inline CNValue TextList(const std::vector<std::string>& texts) {
  CNValue value;
  const auto count = static_cast<uint32_t>(texts.size());
  value.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) value.SetStringAt(i, Utf8ToUtf16(texts[i]));
  return value;
}

// The result of the function name of table called with args through host (a quiet one when
// null); ok receives whether the call succeeded, else success is expected.
inline CNValue CallIn(const CKVMethodTable& table, std::u16string_view name, std::vector<CNValue> args,
                      IKVMethodHost* host = nullptr, bool* ok = nullptr) {
  CNPForm root;  // one per call: nothing of it outlives the test
  QuietHost quiet;
  const int32_t number = table.Find(name);
  EXPECT_GE(number, 0) << Utf16ToUtf8(name);
  std::vector<const CNValue*> pointers;
  for (const CNValue& arg : args) pointers.push_back(&arg);
  CNValue result;
  CMethodCall call{root, pointers, result, host ? *host : quiet};
  const bool done = number >= 0 && table.GetEntry(number).function(call);
  if (ok) {
    *ok = done;
  } else {
    EXPECT_TRUE(done) << Utf16ToUtf8(name);
  }
  return result;
}

inline CNValue CallCommon(std::u16string_view name, std::vector<CNValue> args, IKVMethodHost* host = nullptr,
                          bool* ok = nullptr) {
  return CallIn(CommonMethods(), name, std::move(args), host, ok);
}

}  // namespace
