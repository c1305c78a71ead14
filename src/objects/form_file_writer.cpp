#include "objects/form_file_writer.h"

#include "objects/form_file_text.h"
#include "objects/object.h"
#include "support/utf16_text.h"

namespace {

void AppendAttribute(std::string& out, std::u16string_view name, std::u16string_view text) {
  out += ' ';
  AppendUtf16AsUtf8(out, name);
  out += "=\"";
  AppendFormText(out, text);
  out += '"';
}

// Name, Bind and Event: written when set, and as "" unless defaults are omitted.
void AppendTextAttribute(std::string& out, std::u16string_view name, std::u16string_view text,
                         bool omitDefaults) {
  if (!text.empty() || !omitDefaults) AppendAttribute(out, name, text);
}

void AppendClassProperties(const CNObject& object, std::string& out, bool omitDefaults) {
  const CNClassProperties& table = object.GetClassProperties();
  CNValue value;
  CNValue def;
  for (uint32_t i = 0; i < table.GetCount(); ++i) {
    const PropertyInfo& info = table.GetInfo(i);
    // A value without elements (never set, and the class answers no default) has no text to
    // write; left out, it stays unset when read back.
    if (!info.persisted || info.name == u"Name" || !object.GetClassProperty(i, value) || value.IsEmpty())
      continue;
    if (omitDefaults && object.GetClassPropertyDefault(i, def) && value.IsEqual(kCompareContents, def))
      continue;
    AppendAttribute(out, info.name, value.GetText(0));
  }
}

void AppendCustomProperties(const CNObject& object, std::string& out) {
  for (uint32_t i = 0; i < object.GetCustomPropertyCount(); ++i) {
    const CNCustomProperty& custom = *object.GetCustomProperty(i);
    if (!custom.value.IsEmpty()) AppendAttribute(out, custom.name, custom.value.GetText(0));
  }
}

}  // namespace

void WriteObjectElement(const CNObject& object, std::string& out, std::u16string_view elementName,
                        bool omitDefaults) {
  const std::string element = elementName.empty() ? std::string("OBJ") : Utf16ToUtf8(elementName);
  out += '<';
  out += element;
  AppendAttribute(out, u"clid", object.GetClassId());
  AppendTextAttribute(out, u"Name", object.GetName(), omitDefaults);
  AppendClassProperties(object, out, omitDefaults);
  AppendCustomProperties(object, out);
  AppendTextAttribute(out, u"Bind", object.GetBind(), omitDefaults);
  AppendTextAttribute(out, u"Event", object.GetEvent(), omitDefaults);
  out += ">\r\n";
  for (int32_t i = 0; i < object.GetChildCount(); ++i) object.GetChild(i)->SaveXml(out, {}, omitDefaults);
  out += "</";
  out += element;
  out += ">\r\n";
}
