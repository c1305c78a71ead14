#include "script/parser_constructs.h"

// script := { declaration | ";" | ( "function" | "event" ) function }
bool CObjectParser::Parse() {
  CParserContext& c = m_Context;
  for (;;) {
    if (c.Is(TK_END)) return true;
    if (c.IsKeyword(u"var")) {
      if (!CVariableParser(c).Parse(nullptr)) return false;
    } else if (c.Is(TK_SEMICOLON)) {
      if (!c.Next()) return false;
    } else if (c.IsKeyword(u"function") || c.IsKeyword(u"event")) {
      if (!CFunctionParser(c).Parse()) return false;
    } else {
      return c.Fail(CE_INVALID_TOKEN);
    }
  }
}
