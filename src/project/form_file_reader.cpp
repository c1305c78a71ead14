#include "project/form_file_reader.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/custom_property_declarations.h"
#include "objects/form_file_text.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

// An attribute that sets a property, with its name measured once.
struct PropertyAttribute {
  std::string_view name;
  pugi::xml_attribute attribute;
};

// The attributes of one element: those read their own way (of a name given twice the first
// counts), and, into a list the caller keeps, the property values in document order.
struct SpecialAttributes {
  using Slot = pugi::xml_attribute SpecialAttributes::*;

  pugi::xml_attribute clid;
  pugi::xml_attribute name;
  pugi::xml_attribute customize;
  pugi::xml_attribute bind;
  pugi::xml_attribute event;

  SpecialAttributes(pugi::xml_node element, std::vector<PropertyAttribute>& properties) {
    properties.clear();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
      const std::string_view attributeName = attribute.name();
      if (const Slot slot = Find(attributeName)) {
        if (!(this->*slot)) this->*slot = attribute;
      } else {
        properties.push_back({attributeName, attribute});
      }
    }
  }

  // The slot of an attribute name; null for a property value. By length first: most names are
  // passed at once.
  static Slot Find(std::string_view attribute) {
    switch (attribute.size()) {
      case 4:
        if (attribute == "clid") return &SpecialAttributes::clid;
        if (attribute == "Name") return &SpecialAttributes::name;
        return attribute == "Bind" ? &SpecialAttributes::bind : nullptr;
      case 5:
        return attribute == "Event" ? &SpecialAttributes::event : nullptr;
      case 9:
        return attribute == "Customize" ? &SpecialAttributes::customize : nullptr;
      default:
        return nullptr;
    }
  }
};

// The list and texts kept from one attribute and one object to the next, so that reading
// allocates little beyond what the objects keep.
struct ReadBuffers {
  std::vector<PropertyAttribute> properties;  // of the element being read
  std::u16string clid;
  std::u16string property;
  std::u16string text;
};

void ReadAttributes(const SpecialAttributes& special, CNObject& object,
                    std::optional<std::u16string_view> name, CNFormLoadContext& context,
                    ReadBuffers& buffers) {
  std::u16string& text = buffers.text;
  if (name) {
    object.SetName(*name);
  } else if (special.name) {
    object.SetName(DecodeFormText(special.name.value(), text));
  }
  if (special.customize) {
    const std::u16string_view customize = DecodeFormText(special.customize.value(), text);
    object.SetPropertyText(u"Customize", customize);
    DeclareCustomProperties(object, customize);
  }
  const CNClassProperties& table = object.GetClassProperties();
  for (const PropertyAttribute& property : buffers.properties) {
    const std::u16string_view value = DecodeFormText(property.attribute.value(), text);
    // Most names are those of the class table, found without widening them.
    if (const int32_t i = table.Find(property.name); i >= 0) {
      object.SetClassPropertyText(static_cast<uint32_t>(i), value);
    } else {
      // Names hold no entities: the same conversion.
      object.SetPropertyText(DecodeFormText(property.name, buffers.property), value);
    }
    context.OnAttributeRead(object, property.name, value);
  }
  object.SetBind(DecodeFormText(special.bind.value(), text));
  object.SetEvent(DecodeFormText(special.event.value(), text));
}

// The clid as the registry takes it. Clids are ASCII: widened a byte at a time, into the
// storage text already has.
void WidenClid(std::string_view clid, std::u16string& text) {
  text.resize(clid.size());
  for (size_t i = 0; i < clid.size(); ++i) {
    const auto c = static_cast<unsigned char>(clid[i]);
    if (c >= 0x80) return Utf8ToUtf16(clid, text);
    text[i] = c;
  }
}

// depth: the number of ancestors the new object would have.
CNObject* LoadElementAt(pugi::xml_node element, CNObject* parent, CNFormLoadContext& context,
                        std::optional<std::u16string_view> name, int32_t depth, ReadBuffers& buffers) {
  if (depth > kMaxObjectDepth) {
    CRTrace::Printf("form file: an element below %d levels skipped", kMaxObjectDepth);
    return nullptr;
  }
  const SpecialAttributes special(element, buffers.properties);
  WidenClid(special.clid.value(), buffers.clid);
  CNObject* object = context.GetRegistry().Create(buffers.clid);
  if (!object) {
    context.OnUnknownClass(element, parent);
    return nullptr;
  }
  object->SetParent(parent);
  ReadAttributes(special, *object, name, context, buffers);
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
