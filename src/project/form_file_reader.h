#pragma once

#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string_view>

#include "objects/object_registry.h"

// Reads objects from their elements in a form file (the format is in objects/form_file_writer.h).
//
// Loading one element:
// 1. The registry creates an object of the "clid" attribute's class. An unknown clid shows the
//    registry's "Can't create control. " warning, the load context is told, and the element is
//    skipped with everything inside it.
// 2. The object's parent is set, so that the object sees its tree while its values arrive.
// 3. Its name is the caller's when given, else the "Name" attribute's.
// 4. "Customize" is set first and declares the custom properties (custom_property_declarations.h),
//    so that they exist before their values arrive, whatever the attribute order.
// 5. Every other attribute, in document order, is handed to SetPropertyText (SetProperty with a
//    string value); the property converts the text, and names that are no property are ignored.
//    The load context is told of each.
// 6. "Bind" and "Event" are set (empty when absent).
// 7. The load context is told, and the object is appended to its parent's children.
// 8. Its child elements named "OBJ" are loaded in document order with the object as parent.
// Every text is decoded once more after the XML parser (objects/form_file_text.h).

// The options the document must be parsed with: entities decoded, but line breaks inside
// attribute values kept as written (event scripts hold CR LF in their attribute).
inline constexpr unsigned int kFormXmlParseOptions = pugi::parse_cdata | pugi::parse_escapes;

// An object is never placed below this many ancestors: deeper elements are skipped with
// everything inside them, so that no file can make the tree deep enough to exhaust the stack
// of the walks over it.
inline constexpr int32_t kMaxObjectDepth = 256;

// What a load works with: the registry that makes the objects, and the document that wants to
// know of each one.
class CNFormLoadContext {
 public:
  explicit CNFormLoadContext(CNObjectRegistry& registry = CPanelControls::Instance())
      : m_registry(registry) {}
  virtual ~CNFormLoadContext() = default;

  CNObjectRegistry& GetRegistry() const { return m_registry; }
  // Called for each object once its element is read, just before it joins its parent.
  virtual void OnObjectLoaded(CNObject& /*object*/) {}
  // Called for each property attribute once the object took its value. name points into the
  // document (CNPXml::GetTextPosition finds where it stands).
  virtual void OnAttributeRead(const CNObject& /*object*/, std::string_view /*name*/,
                               std::u16string_view /*value*/) {}
  // Called for an element whose class the registry does not know, before it is skipped; parent
  // is the object it would have joined (null for a top element).
  virtual void OnUnknownClass(pugi::xml_node /*element*/, const CNObject* /*parent*/) {}

 private:
  CNObjectRegistry& m_registry;
};

// Loads element as a new object (with its children) and returns it, or null when it was skipped.
// With a parent the object joins the parent's children, which own it; without one the caller
// receives the creation reference.
CNObject* LoadFormElement(pugi::xml_node element, CNObject* parent, CNFormLoadContext& context,
                          std::optional<std::u16string_view> name = std::nullopt);

// Loads every child element of element named "OBJ", in document order, into parent.
void LoadFormChildren(pugi::xml_node element, CNObject& parent, CNFormLoadContext& context);
