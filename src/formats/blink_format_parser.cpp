#include "formats/blink_format_parser.h"

namespace {

constexpr std::u16string_view kInterval = u"Interval";

}  // namespace

CNPBlinkFormatParser::CNPBlinkFormatParser() : CNPBlinkFormatParser(CNFormatStore::Global()) {}

bool CNPBlinkFormatParser::GetBlinkFormat(std::u16string_view name) {
  CNBlinkFormat record;
  std::u16string text;
  if (!m_store.GetBlinkFormat(name, record) || !GetBlinkKey(record, kInterval, text)) return false;
  CNValue value;
  value.SetString(text);
  return SetProperty(kInterval, value) == 1;
}

bool CNPBlinkFormatParser::SetBlinkFormat(std::u16string_view name) {
  CNValue value;
  GetProperty(kInterval, value);
  CNBlinkFormat record;
  SetBlinkKey(record, kInterval, value.GetTextEmptyNA(0));
  return m_store.SetBlinkFormat(name, record);
}

namespace {

template <bool (CNPBlinkFormatParser::*Member)(std::u16string_view)>
bool CallWithName(CMethodCall& call) {
  auto* parser = dynamic_cast<CNPBlinkFormatParser*>(&call.target);
  if (!parser || call.Count() != 1) return false;
  call.result.SetBool((parser->*Member)(call.Arg(0).GetText(0)));
  return true;
}

constexpr std::array kMethods = {
    MethodEntry{u"GetBlinkFormat", "Loads the named blink format into the object",
                &CallWithName<&CNPBlinkFormatParser::GetBlinkFormat>},
    MethodEntry{u"SetBlinkFormat", "Stores the object's interval as the named blink format",
                &CallWithName<&CNPBlinkFormatParser::SetBlinkFormat>},
};

}  // namespace

std::span<const MethodEntry> BlinkFormatParserMethods() {
  return kMethods;
}
