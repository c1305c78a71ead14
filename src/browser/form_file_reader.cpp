#include "browser/form_file_reader.h"

#include <cstring>
#include <string>
#include <utility>

#include "objects/custom_property_declarations.h"
#include "objects/form_file_text.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

// The attributes that are not handed to SetProperty; of a name given twice the first counts.
struct SpecialAttributes {
  using Slot = pugi::xml_attribute SpecialAttributes::*;

  pugi::xml_attribute clid;
  pugi::xml_attribute name;
  pugi::xml_attribute customize;
  pugi::xml_attribute bind;
  pugi::xml_attribute event;

  explicit SpecialAttributes(pugi::xml_node element) {
    for (const pugi::xml_attribute& attribute : element.attributes())
      if (const Slot slot = Find(attribute.name()); slot && !(this->*slot)) this->*slot = attribute;
  }

  // The slot of an attribute name; null for a property value.
  static Slot Find(const char* attribute) {
    static constexpr std::pair<const char*, Slot> kSlots[] = {
        {"clid", &SpecialAttributes::clid},           {"Name", &SpecialAttributes::name},
        {"Customize", &SpecialAttributes::customize}, {"Bind", &SpecialAttributes::bind},
        {"Event", &SpecialAttributes::event},
    };
    for (const auto& [slotName, slot] : kSlots)
      if (attribute[0] == slotName[0] && std::strcmp(attribute, slotName) == 0) return slot;
    return nullptr;
  }
};

// Texts and the value kept from one attribute and one object to the next, so that reading
// allocates little beyond what the objects keep.
struct ReadBuffers {
  std::u16string clid;
  std::u16string property;
  std::u16string text;
  CNValue value;
};

void ReadAttributes(pugi::xml_node element, const SpecialAttributes& special, CNObject& object,
                    std::optional<std::u16string_view> name, ReadBuffers& buffers) {
  std::u16string& text = buffers.text;
  CNValue& value = buffers.value;
  if (name) {
    object.SetName(*name);
  } else if (special.name) {
    DecodeFormText(special.name.value(), text);
    object.SetName(text);
  }
  if (special.customize) {
    DecodeFormText(special.customize.value(), text);
    value.SetString(text);
    object.SetProperty(u"Customize", value);
    DeclareCustomProperties(object, text);
  }
  for (const pugi::xml_attribute& attribute : element.attributes()) {
    if (SpecialAttributes::Find(attribute.name())) continue;
    DecodeFormText(attribute.name(), buffers.property);  // names hold no entities: the same conversion
    DecodeFormText(attribute.value(), text);
    value.SetString(text);
    object.SetProperty(buffers.property, value);
  }
  DecodeFormText(special.bind.value(), text);
  object.SetBind(text);
  DecodeFormText(special.event.value(), text);
  object.SetEvent(text);
}

// depth: the number of ancestors the new object would have.
CNObject* LoadElementAt(pugi::xml_node element, CNObject* parent, CNFormLoadContext& context,
                        std::optional<std::u16string_view> name, int32_t depth, ReadBuffers& buffers) {
  if (depth > kMaxObjectDepth) {
    CRTrace::Printf("form file: an element below %d levels skipped", kMaxObjectDepth);
    return nullptr;
  }
  const SpecialAttributes special(element);
  Utf8ToUtf16(special.clid.value(), buffers.clid);
  CNObject* object = context.GetRegistry().Create(buffers.clid);
  if (!object) return nullptr;
  object->SetParent(parent);
  ReadAttributes(element, special, *object, name, buffers);
  context.OnObjectLoaded(*object);
  if (parent) parent->AddChild(object);
  for (pugi::xml_node child : element.children("OBJ"))
    LoadElementAt(child, object, context, std::nullopt, depth + 1, buffers);
  return object;
}

int32_t CountAncestors(const CNObject* object) {
  int32_t count = 0;
  for (; object; object = object->GetParent()) ++count;
  return count;
}

}  // namespace

CNObject* LoadFormElement(pugi::xml_node element, CNObject* parent, CNFormLoadContext& context,
                          std::optional<std::u16string_view> name) {
  ReadBuffers buffers;
  return LoadElementAt(element, parent, context, name, CountAncestors(parent), buffers);
}

void LoadFormChildren(pugi::xml_node element, CNObject& parent, CNFormLoadContext& context) {
  const int32_t depth = CountAncestors(&parent);
  ReadBuffers buffers;
  for (pugi::xml_node child : element.children("OBJ"))
    LoadElementAt(child, &parent, context, std::nullopt, depth, buffers);
}
