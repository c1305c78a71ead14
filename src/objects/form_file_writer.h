#pragma once

#include <string>
#include <string_view>

class CNObject;

// The element of one object in a form file, as CNObject::SaveXml writes it (UTF-8, CR LF):
//
//   <OBJ clid="Rectangle" Name="Rect01" Top="10" ... Bind="[Visible]$A" Event="...">\r\n
//   ...one element per child, in child order...
//   </OBJ>\r\n
//
// - The root of a project writes its own element name ("FORMROOT") in place of "OBJ".
// - Name="" stands for an empty name unless defaults are omitted.
// - Then one attribute per persisted property in table order except "Name", then the custom
//   properties as plain attributes; each value is the display text of the property's first
//   element (colours "#RRGGBB" or "@Name", enumerations their item text). A value without
//   elements (a property never set that has no default, a custom property declared "not
//   defined") has no first element and is left out.
// - With defaults omitted, a property whose class answers a default equal to its value
//   (element by element) is left out, and so are empty Bind and Event texts.
// - Texts are escaped as form_file_text.h describes.
//
// The byte-order mark and the document around the elements belong to the project document.

// Appends the object's element and its children's to out; an empty elementName writes "OBJ".
void WriteObjectElement(const CNObject& object, std::string& out, std::u16string_view elementName,
                        bool omitDefaults);
