#include "script/parser.h"

#include "script/parser_constructs.h"

bool CKVParser::Parse(std::u16string_view text, CSCObject& scope) {
  scope.Clear();
  CParserContext context(text, scope, m_pListener);
  if (context.Next() && CObjectParser(context).Parse()) context.LinkNames();
  m_Error = context.GetError();
  if (context.Failed()) scope.Clear();
  return !context.Failed();
}
