// The names an event script uses: the events it handles, the functions it calls and the forms,
// frame sets and tags it names by literal texts.
#include <string>

#include "check/check_names.h"
#include "check/check_suggest.h"
#include "objects/object.h"
#include "script/expression.h"
#include "script/tokenizer.h"

namespace {

// Functions whose argument at a position names a form, a frame set or a tag; a literal text
// there is checked.
struct NamedArgument {
  enum Kind { kForm, kFrameset, kTag };
  std::u16string_view function;
  size_t argument;
  Kind kind;
};

constexpr NamedArgument kNamedArguments[] = {
    {u"OpenForm", 0, NamedArgument::kForm},
    {u"OpenViewForm", 1, NamedArgument::kForm},
    {u"OpenHiddenForm", 0, NamedArgument::kForm},
    {u"OpenDialog", 0, NamedArgument::kForm},
    {u"OpenModalDialog", 0, NamedArgument::kForm},
    {u"SetSeparetorProperty", 0, NamedArgument::kFrameset},
    {u"GetSeparetorProperty", 0, NamedArgument::kFrameset},
    {u"GetVal", 0, NamedArgument::kTag},
    {u"GetValue", 0, NamedArgument::kTag},
    {u"ReadVal", 0, NamedArgument::kTag},
    {u"WriteVal", 0, NamedArgument::kTag},
    {u"SetValue", 0, NamedArgument::kTag},
    {u"ReadRequest", 0, NamedArgument::kTag},
    {u"ReadRequestRefresh", 0, NamedArgument::kTag},
    {u"WriteRequest", 0, NamedArgument::kTag},
    {u"WriteRequestRefresh", 0, NamedArgument::kTag},
};

const NamedArgument* FindNamedArgument(std::u16string_view function) {
  for (const NamedArgument& named : kNamedArguments)
    if (named.function == function) return &named;
  return nullptr;
}

// A text literal as a token holds it ("text", a doubled quote held as one); false for any other
// token, such as a time between "#" characters.
bool LiteralText(const CToken& token, std::u16string& text) {
  if (token.kind != TK_STRING || token.text.size() < 2 || token.text.front() != u'"') return false;
  text = token.text.substr(1, token.text.size() - 2);
  return true;
}

// The argument at index of the call whose "(" was just read, when it is one literal text; the
// tokenizer is left where it was.
bool LiteralArgument(CKVTokenizer& tokenizer, size_t index, std::u16string& text, uint32_t& start) {
  const uint32_t resume = tokenizer.GetPosition();
  CToken token;
  size_t argument = 0;
  int32_t depth = 0;
  int32_t tokens = 0;
  bool literal = false;
  for (tokenizer.Next(token); token.kind != TK_END && token.kind != TK_ERROR; tokenizer.Next(token)) {
    const bool closes = token.kind == TK_CLOSE_PAREN || token.kind == TK_CLOSE_BRACKET;
    if (depth == 0 && (token.kind == TK_COMMA || closes)) {
      if (argument == index) break;
      if (closes) return tokenizer.SetPosition(resume), false;
      ++argument;
      tokens = 0;
      continue;
    }
    if (token.kind == TK_OPEN_PAREN || token.kind == TK_OPEN_BRACKET) ++depth;
    if (closes) --depth;
    if (argument == index && ++tokens == 1) {
      literal = LiteralText(token, text);
      start = token.start;
    }
  }
  tokenizer.SetPosition(resume);
  return argument == index && tokens == 1 && literal;
}

bool IsKeyword(const CToken& token, std::u16string_view word) {
  return token.Is(TK_KEYWORD, word);
}

}  // namespace

CNNameCheck::Call CNNameCheck::ResolveCall(const CNObject& owner, const CSCObject& scope, bool inWith,
                                           std::u16string_view written) {
  std::u16string method;
  if (const CNObject* target = CallTarget(owner, written, method)) {
    const Found found = FindFunction(*target, method);
    return {found == kNone ? nullptr : target, found, method, true};
  }
  const CSCName name(written);
  // A plain "f()": the with objects first, then the owner, then the root.
  if (name.GetBase() != NB_PLAIN || name.GetParts().size() != 1 || inWith)
    return {nullptr, kNone, method, false};
  if (scope.FindFunction(method)) return {&owner, kScript, method, true};
  for (const CNObject* target : {&owner, &m_root})
    if (const Found found = FindFunction(*target, method); found != kNone)
      return {target, found, method, true};
  return {nullptr, kNone, method, true};
}

void CNNameCheck::CheckEventScript(const CNObject& object) {
  const CCompilerError* error = nullptr;
  const CSCObject* scope = m_scopes.Get(object, &error);
  if (!scope) {
    if (error)
      Add("script-syntax", object, u"Event", static_cast<int32_t>(error->GetLine()),
          static_cast<int32_t>(error->GetColumn()), error->GetMessage());
    return;
  }
  const std::u16string& text = object.GetEvent();
  CKVTokenizer tokenizer(text);
  CToken token;
  bool inWith = false;
  for (tokenizer.Next(token); token.kind != TK_END && token.kind != TK_ERROR && !inWith;
       tokenizer.Next(token))
    inWith = IsKeyword(token, u"with");
  tokenizer.SetPosition(0);

  std::u16string handler = u"Event";  // the member problems are named by: the handler they are in
  CToken previous;
  CToken next;
  for (tokenizer.Next(token); token.kind != TK_END && token.kind != TK_ERROR;
       previous = token, tokenizer.Next(token)) {
    if (token.kind != TK_NAME) continue;
    const auto line = static_cast<int32_t>(tokenizer.GetLine(token.start));
    const auto column = static_cast<int32_t>(tokenizer.GetColumn(token.start));
    if (IsKeyword(previous, u"event") || IsKeyword(previous, u"function")) {
      handler = token.text;
      if (IsKeyword(previous, u"function")) continue;
      const CNClassProperties& table = object.GetClassProperties();
      if (table.FindEvent(token.text) >= 0) continue;
      CNNearestName nearest(token.text);
      for (const EventInfo& event : table.GetEvents()) nearest.Offer(event.name);
      Add("unknown-event", object, handler, line, column,
          u"no event of " + std::u16string(object.GetClassId()) + u"; the handler never runs" +
              nearest.Hint());
      continue;
    }
    if (previous.kind == TK_NEW) continue;
    const uint32_t after = tokenizer.GetPosition();
    tokenizer.Next(next);
    if (next.kind != TK_OPEN_PAREN) {
      tokenizer.SetPosition(after);
      continue;
    }
    const Call call = ResolveCall(object, *scope, inWith, token.text);
    if (!call.known) continue;
    if (!call.target) {
      Add("unknown-function", object, handler, line, column, u"no function " + token.text);
      continue;
    }
    const NamedArgument* named = call.found == kBuiltIn ? FindNamedArgument(call.method) : nullptr;
    std::u16string literal;
    uint32_t start = 0;
    if (!named || !LiteralArgument(tokenizer, named->argument, literal, start)) continue;
    const auto literalLine = static_cast<int32_t>(tokenizer.GetLine(start));
    const auto literalColumn = static_cast<int32_t>(tokenizer.GetColumn(start));
    switch (named->kind) {
      case NamedArgument::kForm:
        UseForm(literal, object, handler, literalLine, literalColumn);
        break;
      case NamedArgument::kFrameset:
        UseFrameset(literal, object, handler, literalLine, literalColumn);
        break;
      case NamedArgument::kTag:
        UseTag(literal, object, handler, literalLine, literalColumn);
        break;
    }
  }
}
