// Bind texts from arbitrary input: split into their scripts, compiled as input and output binds
// (through the factory and as full case lists), connected to an owner that accepts every name,
// and evaluated a few times. Nothing may crash or hang; a failed compile keeps an error with a
// position inside the script.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "binds/bind_factory.h"
#include "binds/bind_script_parser_impl.h"
#include "binds/bind_text.h"
#include "binds/tag_parser_tokenizer.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Every name is accepted; names read a small value that depends on the handle; functions give
// their argument count, a join of their arguments, or fail.
class AnyOwner : public CNBindScriptParser::ConnectionPoint {
 public:
  bool Subscribe(CNBindScriptParser*, std::u16string_view name, uint32_t direction, uint32_t& handle,
                 void*) override {
    Check(direction <= 1);
    handle = static_cast<uint32_t>(name.size());
    ++m_uSubscribed;
    return true;
  }
  bool Unsubscribe(CNBindScriptParser*, uint32_t, void*) override {
    Check(m_uSubscribed > 0);
    --m_uSubscribed;
    return true;
  }
  bool Read(CNBindScriptParser*, uint32_t handle, void*, CNValue& value) override {
    switch (handle % 4) {
      case 0: value.SetNumber(handle); break;
      case 1: value.SetString(u"ab"); break;
      case 2: value.SetBool(handle & 4); break;
      default: return handle % 8 != 3;  // some names have no value
    }
    return true;
  }
  bool Write(CNBindScriptParser*, uint32_t handle, const CNValue&) override { return handle % 2 == 0; }
  bool Call(CNBindScriptParser*, std::u16string_view function, std::span<const CNValue* const> args,
            CNValue& result, uint32_t) override {
    switch (function.size() % 3) {
      case 0: result.SetNumber(static_cast<double>(args.size())); return true;
      case 1:
        for (const CNValue* arg : args)
          CNValue::Operate(VOP_ADD, result, result.IsEmpty() ? *arg : result, *arg);
        return true;
      default: return false;
    }
  }
  uint32_t GetSubscribed() const { return m_uSubscribed; }

 private:
  uint32_t m_uSubscribed = 0;
};

void Exercise(CNBindScriptParser& bind, std::u16string_view script, AnyOwner& owner) {
  bind.SetConnectionPoint(&owner);
  if (!bind.Compile(script)) {
    const CTagParserCompilerError& error = bind.GetError();
    Check(error.IsError() && error.GetCode() <= CE_FUNCTION_STOPPED && error.GetLine() >= 1);
    Check(!bind.Connect(nullptr));
    return;
  }
  std::vector<std::u16string> names;
  bind.GetNames(names);
  for (size_t i = 1; i < names.size(); ++i) Check(names[i - 1] < names[i]);
  Check(bind.Connect(nullptr) && owner.GetSubscribed() == names.size());
  CNValue value;
  value.SetNumber(1);
  for (uint32_t tick = 0; tick < 3; ++tick) {
    bind.SetDirty();
    bind.SetPeriod(2);
    bind.SetTick(tick);
    bind.Evaluate(tick == 0, value);
    const CTagParserCompilerError& error = bind.GetError();
    Check(!error.IsError() || error.GetCode() == CE_UNRESOLVED_IDENTIFIER ||
          error.GetCode() == CE_FUNCTION_STOPPED);
  }
  bind.Disconnect(nullptr);
  Check(owner.GetSubscribed() == 0);
}

void Tokenize(std::u16string_view text) {
  CTagParserTokenizer tokenizer(text);
  CTagParserToken token;
  uint32_t previousEnd = 0;
  for (size_t reads = 0;; ++reads) {
    Check(reads <= text.size() + 1);
    tokenizer.Next(token);
    Check(token.start >= previousEnd && token.start <= text.size());
    if (tokenizer.IsEndOfText(token) || token.kind == TT_ERROR) return;
    previousEnd = tokenizer.GetPosition();
    Check(previousEnd > token.start);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Bytes are code units; a first byte 0xFF reads the rest as UTF-16 pairs to reach characters
  // beyond Latin-1.
  std::u16string text;
  if (size > 0 && data[0] == 0xFF) {
    for (size_t i = 1; i + 1 < size; i += 2)
      text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  } else {
    text.assign(data, data + size);
  }
  Tokenize(text);

  AnyOwner owner;
  const CNBindTextSections sections = SplitBindText(text);
  Check(sections.watch >= -1);
  if (!sections.input.empty()) Exercise(*MakeBindScriptParser(sections.input, true), sections.input, owner);
  if (!sections.output.empty())
    Exercise(*MakeBindScriptParser(sections.output, false), sections.output, owner);
  CNPBindScriptParserInput input;
  Exercise(input, text, owner);
  CNPBindScriptParserOutput output;
  Exercise(output, text, owner);
  return 0;
}
