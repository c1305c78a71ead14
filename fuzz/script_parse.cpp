// Event-script compile of arbitrary text: the tokenizer and the parser must neither crash nor
// hang, however deep the nesting. A failed compile leaves the script empty and points inside the
// text; a successful one places every declaration inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "script/parser.h"
#include "script/statements_object.h"
#include "script/tokenizer.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Every token starts where the previous one ended or later, and the reads come to an end.
void Tokenize(std::u16string_view text) {
  CKVTokenizer tokenizer(text);
  CToken token;
  uint32_t previousEnd = 0;
  for (size_t reads = 0;; ++reads) {
    Check(reads <= text.size() + 1);
    tokenizer.Next(token);
    Check(token.start >= previousEnd && token.start <= text.size());
    if (token.kind == TK_END || token.kind == TK_ERROR) return;
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

  CSCObject scope(nullptr, u"Form1.Object1");
  CKVParser parser;
  if (!parser.Parse(text, scope)) {
    Check(scope.IsEmpty());
    Check(parser.GetError().IsError() && parser.GetError().GetPosition() <= text.size());
    return 0;
  }
  Check(!parser.GetError().IsError());
  for (const auto& variable : scope.GetVariables()) Check(variable->GetEnd() <= text.size());
  for (const auto& function : scope.GetFunctions()) {
    Check(function->GetStart() < function->GetEnd() && function->GetEnd() <= text.size());
    Check(function->GetBody().back()->GetInternalName() == u"nop");
  }
  return 0;
}
