#include "binds/bind_factory.h"

#include "binds/bind_script_parser_impl.h"
#include "binds/bind_simple.h"
#include "binds/tag_parser_tokenizer.h"
#include "support/utf16_text.h"

namespace {

// The script is one name token (a word, a 'quoted' or a [bracketed] name) and nothing else.
bool IsSingleName(std::u16string_view script) {
  while (!script.empty() && IsSpaceAscii(script.front())) script.remove_prefix(1);
  while (!script.empty() && IsSpaceAscii(script.back())) script.remove_suffix(1);
  CTagParserTokenizer tokenizer(script);
  CTagParserToken token;
  tokenizer.Next(token);
  if (token.kind != TT_NAME || token.text.empty()) return false;
  tokenizer.Next(token);
  return tokenizer.IsEndOfText(token);
}

}  // namespace

CRPtr<CNBindScriptParser> MakeBindScriptParser(std::u16string_view script, bool input) {
  if (IsSingleName(script)) {
    if (input) return CRPtr<CNPBindScriptParserSimpleInput>::Make();
    return CRPtr<CNPBindScriptParserSimpleOutput>::Make();
  }
  if (input) return CRPtr<CNPBindScriptParserInput>::Make();
  return CRPtr<CNPBindScriptParserOutput>::Make();
}
