#include "objects/property_codec.h"

#include <cmath>

#include "support/utf16_text.h"
#include "values/enum_value.h"
#include "values/value_text.h"

namespace {

bool ConvertColorText(std::u16string_view text, CNValue& out) {
  uint32_t color = 0;
  if (text.empty() || (text[0] == u'@' && text.size() > 1)) {
    out.SetString(text);
  } else if (ParseColorText(text, color)) {
    out.SetString(ColorText(color));  // canonical spelling
  } else {
    return false;
  }
  return true;
}

bool ConvertEnumText(const PropertyInfo& info, std::u16string_view text, CNValue& out) {
  // A border style may name a style of the visual theme ("@BorderStyle3").
  if (info.type == PT_BORDER_STYLE && text.size() > 1 && text[0] == u'@') {
    out.SetString(text);
    return true;
  }
  const int32_t index = CNEnum::ItemIndex(info.list, text);
  if (index < 0) return false;
  CNEnum(index).ToValue(info.list, out);
  return true;
}

bool IsTagType(int32_t type) { return type == PT_TAG_IN || type == PT_TAG_OUT || type == PT_TAG_INOUT; }

double ToInteger(double number) {
  if (std::isnan(number)) return 0;
  if (number >= 2147483647.0) return 2147483647.0;
  if (number <= -2147483648.0) return -2147483648.0;
  return std::trunc(number);
}

}  // namespace

bool ParseColorText(std::u16string_view text, uint32_t& colorRef) {
  if (text.size() != 7 || text[0] != u'#') return false;
  uint32_t rgb = 0;
  for (size_t i = 1; i < 7; ++i) {
    if (!IsHexDigitAscii(text[i])) return false;
    const char16_t c = ToUpperAscii(text[i]);
    rgb = rgb << 4 | static_cast<uint32_t>(IsDigitAscii(c) ? c - u'0' : c - u'A' + 10);
  }
  colorRef = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  return true;
}

std::u16string ColorText(uint32_t colorRef) {
  uint32_t rgb = (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | (colorRef >> 16 & 0xFF);
  std::u16string text(7, u'#');  // "#RRGGBB"
  for (size_t i = 6; i > 0; --i, rgb >>= 4) text[i] = u"0123456789ABCDEF"[rgb & 0xF];
  return text;
}

bool ConvertPropertyText(const PropertyInfo& info, std::u16string_view text, CNValue& out) {
  switch (info.type) {
    case PT_BOOL: out.SetBool(StringToBool(text)); return true;
    case PT_INTEGER: out.SetNumber(ToInteger(StringToNumber(text))); return true;
    case PT_NUMBER: out.SetNumber(StringToNumber(text)); return true;
    case PT_ENUM:
    case PT_BORDER_STYLE: return ConvertEnumText(info, text, out);
    case PT_COLOR: return ConvertColorText(text, out);
    default:
      out.SetString(text);
      if (IsTagType(info.type)) out.SetFlags(0);  // what a copy of a new string value has
      return true;
  }
}

bool ConvertPropertyValue(const PropertyInfo& info, const CNValue& in, CNValue& out) {
  if (IsTagType(info.type)) {
    out.Assign(in);
    return true;
  }
  if (in.IsString(0)) return ConvertPropertyText(info, in.GetStringView(0), out);
  switch (info.type) {
    case PT_BOOL: out.SetBool(in.GetBool(0)); return true;
    case PT_INTEGER: out.SetNumber(ToInteger(in.GetNumber(0))); return true;
    case PT_NUMBER: out.SetNumber(in.GetNumber(0)); return true;
    case PT_ENUM:
    case PT_BORDER_STYLE: {
      CNEnum item(-1);
      if (!item.FromValue(info.list, in)) return false;
      item.ToValue(info.list, out);
      return true;
    }
    case PT_COLOR:
      if (in.IsNumber(0) || in.IsBool(0) || in.IsObject(0)) {
        out.SetString(ColorText(in.GetHandle(0) & 0xFFFFFF));
        return true;
      }
      return ConvertColorText(in.GetTextEmptyNA(0), out);
    default: out.SetString(in.GetTextEmptyNA(0)); return true;
  }
}
