#include "objects/custom_property_declarations.h"

#include <array>
#include <memory>
#include <string>

#include "objects/object.h"
#include "objects/property_codec.h"
#include "support/message_box.h"
#include "support/trace.h"
#include "support/utf16_text.h"
#include "values/value_text.h"

namespace {

constexpr std::u16string_view kPropertySection = u"[Property]";
constexpr std::u16string_view kNotDefined = u"#NOTDEF#";

struct TypeKeyword {
  std::u16string_view keyword;
  PropertyType type;
};

constexpr std::array kTypeKeywords = {
    TypeKeyword{u"bool", PT_BOOL},
    TypeKeyword{u"integer", PT_INTEGER},
    TypeKeyword{u"number", PT_NUMBER},
    TypeKeyword{u"string", PT_STRING},
    TypeKeyword{u"multilinestring", PT_TEXT},
    TypeKeyword{u"color", PT_COLOR},
    TypeKeyword{u"colorpalette", PT_COLOR_PALETTE},
    TypeKeyword{u"font", PT_FONT},
    TypeKeyword{u"filepath", PT_FILE},
    TypeKeyword{u"filepaths", PT_FILES},
    TypeKeyword{u"timezone", PT_TIME_ZONE},
    TypeKeyword{u"numberformat", PT_NUMBER_FORMAT},
    TypeKeyword{u"datetimeformat", PT_DATETIME_FORMAT},
    TypeKeyword{u"blinkcolor", PT_BLINK_COLOR},
    TypeKeyword{u"tag_in", PT_TAG_IN},
    TypeKeyword{u"tag_out", PT_TAG_OUT},
    TypeKeyword{u"tag_inout", PT_TAG_INOUT},
    TypeKeyword{u"menuconf", PT_MENU_CONF},
};

// Attributes every element has besides its properties.
constexpr std::array<std::u16string_view, 3> kReservedNames = {u"clid", u"Bind", u"Event"};

PropertyType FindType(std::u16string_view keyword) {
  for (const TypeKeyword& entry : kTypeKeywords)
    if (EqualsIgnoreCaseAscii(entry.keyword, keyword)) return entry.type;
  return PT_NONE;
}

bool IsTagType(int32_t type) {
  return type == PT_TAG_IN || type == PT_TAG_OUT || type == PT_TAG_INOUT;
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

// Cuts the text at the first separator: returns the part before it and leaves the rest after it
// in text (empty when there is no separator).
std::u16string_view Cut(std::u16string_view& text, char16_t separator) {
  const size_t at = text.find(separator);
  const std::u16string_view head = text.substr(0, at);
  text = at == std::u16string_view::npos ? std::u16string_view() : text.substr(at + 1);
  return head;
}

// Names as an XML parser takes them: a letter, "_", ":" or any character beyond ASCII first,
// then also digits, "-" and ".".
bool IsAttributeName(std::u16string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    const bool start = IsAlphaAscii(c) || c == u'_' || c == u':' || c >= 0x80;
    if (!start && (i == 0 || !(IsDigitAscii(c) || c == u'-' || c == u'.'))) return false;
  }
  for (std::u16string_view reserved : kReservedNames)
    if (name == reserved) return false;
  return true;
}

void SetInitialValue(CNCustomProperty& property, int32_t declaredType) {
  const char16_t* text = declaredType == PT_BOOL                                   ? u"F"
                         : declaredType == PT_INTEGER || declaredType == PT_NUMBER ? u"0"
                         : declaredType == PT_COLOR                                ? u"#000000"
                                                                                   : u"";
  CNValue initial;
  initial.SetString(text);
  ConvertPropertyValue(property.info, initial, property.value);
}

// declaration := name "=" "[" keyword "]" { ";" option ":" value }
// Null when the line declares nothing.
std::unique_ptr<CNCustomProperty> ParseDeclaration(std::u16string_view line) {
  std::u16string_view rest = line;
  const std::u16string_view name = Trim(Cut(rest, u'='));
  rest = Trim(rest);
  if (!IsAttributeName(name) || !rest.starts_with(u'[') || rest.find(u']') == std::u16string_view::npos)
    return nullptr;
  rest.remove_prefix(1);
  const PropertyType type = FindType(Trim(Cut(rest, u']')));
  if (type == PT_NONE) return nullptr;

  auto property = std::make_unique<CNCustomProperty>();
  property->name = name;
  std::u16string_view notDefined;
  bool hasNotDefined = false;
  while (!rest.empty()) {
    std::u16string_view value = Cut(rest, u';');
    const std::u16string_view option = Trim(Cut(value, u':'));
    value = Trim(value);
    if (EqualsIgnoreCaseAscii(option, u"ShowProperty")) {
      property->showProperty = StringToBool(value);
    } else if (EqualsIgnoreCaseAscii(option, u"ShowBind")) {
      property->showBind = StringToBool(value);
    } else if (EqualsIgnoreCaseAscii(option, u"List")) {
      property->list = value;
    } else if (EqualsIgnoreCaseAscii(option, u"NotDefined")) {
      notDefined = value;
      hasNotDefined = true;
    } else if (EqualsIgnoreCaseAscii(option, u"DecimalPlaces")) {
      property->decimalPlaces = StringToBool(value);
    } else if (EqualsIgnoreCaseAscii(option, u"AllowEmpty")) {
      property->allowEmpty = StringToBool(value);
    }
  }

  const bool enumeration = type == PT_STRING && !property->list.empty();
  if (!enumeration) property->list.clear();
  if (IsTagType(type)) property->showBind = false;
  PropertyInfo& info = property->info;
  info.name = property->name;
  info.type = enumeration ? PT_ENUM : type;
  info.list = property->list;
  info.bindable = property->showBind ? 1 : 0;
  info.options = type == PT_COLOR ? kPropertyColor : 0;
  if (!IsTagType(type)) {
    SetInitialValue(*property, type);
  } else if (notDefined == kNotDefined) {
    property->notDefined = true;
  } else if (hasNotDefined) {
    property->value.FromLiteral(notDefined, false);
  }
  return property;
}

void RefuseDuplicate(const CNObject& object, std::u16string_view property) {
  const std::u16string_view name =
      object.GetName().empty() ? std::u16string_view(u"(empty)") : object.GetName();
  CRMessageBox::GetCurrent().Show(u"Custom property name is already existed. ClassID:" +
                                      std::u16string(object.GetClassId()) + u" Name:" + std::u16string(name) +
                                      u" Property:" + std::u16string(property),
                                  u"Warning", MB_OK, MB_ICONWARNING);
}

}  // namespace

bool IsCustomPropertyDeclarationList(std::u16string_view text) {
  if (text.find(u'=') != std::u16string_view::npos || text.starts_with(kPropertySection)) return true;
  while (!text.empty())
    if (Trim(Cut(text, u'\n')) == kPropertySection) return true;
  return false;
}

uint32_t DeclareCustomProperties(CNObject& object, std::u16string_view text) {
  if (!IsCustomPropertyDeclarationList(text)) return 0;
  uint32_t added = 0;
  bool inPropertySection = true;
  while (!text.empty()) {
    const std::u16string_view line = Trim(Cut(text, u'\n'));
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']' &&
        line.find(u'=') == std::u16string_view::npos) {
      inPropertySection = line == kPropertySection;
      continue;
    }
    if (!inPropertySection) continue;
    std::unique_ptr<CNCustomProperty> property = ParseDeclaration(line);
    if (!property) continue;
    if (object.GetCustomPropertyCount() >= kMaxCustomProperties) {
      CRTrace::Printf("Customize: more than %u custom properties, the rest dropped", kMaxCustomProperties);
      break;
    }
    const std::u16string name = property->name;
    if (object.AddCustomProperty(std::move(property))) {
      ++added;
    } else {
      RefuseDuplicate(object, name);
    }
  }
  return added;
}
