// Edit boxes: the text format, "Text" and "Value" and the run-time values.
#include "editing/edit_box.h"

#include "editing/text_format_check.h"
#include "objects/property_read.h"
#include "values/value_text.h"

std::u16string CNPEditBox::GetText() const {
  CNValue text;
  GetProperty(u"Text", text);
  return text.GetTextEmptyNA(0);
}

std::u16string CNPEditBox::ValueOfText(std::u16string_view text) const {
  if (!IsNumber()) return std::u16string(text);
  return text.empty() ? std::u16string() : NumberText(ReadEntryNumber(text, EntryBase(m_format.number)));
}

uint32_t CNPEditBox::TextIndex() const {
  return static_cast<uint32_t>(GetClassProperties().Find(u"Text"));
}

uint32_t CNPEditBox::ValueIndex() const {
  return static_cast<uint32_t>(GetClassProperties().Find(u"Value"));
}

void CNPEditBox::StoreText(std::u16string_view text) {
  const uint32_t textIndex = TextIndex();
  const uint32_t valueIndex = ValueIndex();
  CNValue value;
  value.SetString(text);
  CNPControl::SetPropertyAt(textIndex, value);
  value.SetString(ValueOfText(text));
  CNPControl::SetPropertyAt(valueIndex, value);
  CNPControl::OnPropertySet(textIndex);
  CNPControl::OnPropertySet(valueIndex);
}

void CNPEditBox::FollowText() {
  const CNValue* text = StoredProperty(TextIndex());
  CNValue value;
  value.SetString(ValueOfText(text ? text->GetTextEmptyNA(0) : std::u16string()));
  CNPControl::SetPropertyAt(ValueIndex(), value);
}

int CNPEditBox::SetProperty(std::u16string_view name, const CNValue& value) {
  if (name == u"Text" && IsRunning()) return CommitText(value.GetTextEmptyNA(0)) ? 1 : 0;
  return CNPControl::SetProperty(name, value);
}

void CNPEditBox::OnPropertySet(uint32_t index) {
  CNPControl::OnPropertySet(index);
  const std::u16string_view name = GetPropertyName(index);
  const bool format = name == u"TextType" || name == u"TextFormat";
  if (format) {
    CNValue text;
    GetProperty(u"TextFormat", text);
    m_format = ParseTextFormat(PropertyItem(*this, u"TextType"), text.GetTextEmptyNA(0));
  }
  // Before the box runs, "Value" simply follows the text it was given.
  if (!IsRunning() && (format || name == u"Text")) FollowText();
  // A "Value" written from outside (an input bind bringing the server's value, a script) is
  // what the box shows from then on. Commits store both without coming here.
  if (name == u"Value") ShowValue();
}

void CNPEditBox::ShowValue() {
  const CNValue* value = StoredProperty(ValueIndex());
  CNValue text;
  text.SetString(value ? value->GetTextEmptyNA(0) : std::u16string());
  const uint32_t textIndex = TextIndex();
  CNPControl::SetPropertyAt(textIndex, text);
  CNPControl::OnPropertySet(textIndex);
}

bool CNPEditBox::StoresConverted(uint32_t i) const {
  // A text written while the box runs is committed.
  return GetClassProperties().GetInfo(i).name != u"Text" && CNPControl::StoresConverted(i);
}

int CNPEditBox::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (name == u"Value2") {
    if (!GetProperty(u"Value", value) || !IsNumber()) return 1;
    const std::u16string number = value.GetTextEmptyNA(0);
    if (number.empty())
      value.Clear();
    else
      value.SetNumber(StringToNumber(number));
    return 1;
  }
  if (name == u"ValueIncludingEdit") {
    if (!m_editor) return GetProperty(u"Value", value);
    value.SetString(ValueOfText(m_editor->GetText()));
    return 1;
  }
  return CNPControl::GetExtraProperty(name, value);
}
