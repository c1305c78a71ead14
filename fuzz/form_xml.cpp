// Objects from arbitrary form XML: every OBJ element below the document element is loaded into
// a folder, whatever the bytes hold. The tree written back must parse again and load to the same
// classes in the same places (texts may differ: the second decode is not reversible).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/form_folder.h"
#include "project/form_file_reader.h"
#include "shell/panel_classes.h"
#include "support/message_box.h"

namespace {

// Warnings about unknown classes and refused declarations are expected here; nobody reads them.
class CSilentMessageBox : public CRMessageBox {
 public:
  MessageBoxAnswer Show(std::u16string_view, std::u16string_view, MessageBoxButtons,
                        MessageBoxIcon) override {
    return IDOK;
  }
};

CNFormLoadContext& Context() {
  static CSilentMessageBox s_box;
  static CPanelControls s_registry;
  static CNFormLoadContext s_context = [] {
    CRMessageBox::SetCurrent(&s_box);
    RegisterPanelClasses(s_registry);
    return CNFormLoadContext(s_registry);
  }();
  return s_context;
}

// The classes of the tree in preorder.
void AppendShape(const CNObject& object, std::u16string& shape) {
  for (int32_t i = 0; i < object.GetChildCount(); ++i) {
    const CNObject& child = *object.GetChild(i);
    shape += child.GetClassId();
    shape += u'(';
    AppendShape(child, shape);
    shape += u')';
  }
}

std::u16string Load(pugi::xml_node element, CNObject& parent) {
  LoadFormChildren(element, parent, Context());
  std::u16string shape;
  AppendShape(parent, shape);
  return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pugi::xml_document document;
  if (!document.load_buffer(data, size, kFormXmlParseOptions, pugi::encoding_utf8)) return 0;
  CNPFormFolder root;
  const std::u16string shape = Load(document.document_element(), root);

  for (bool omitDefaults : {false, true}) {
    std::string saved = "<ROOT>";
    for (int32_t i = 0; i < root.GetChildCount(); ++i) root.GetChild(i)->SaveXml(saved, {}, omitDefaults);
    saved += "</ROOT>";
    pugi::xml_document again;
    if (!again.load_buffer(saved.data(), saved.size(), kFormXmlParseOptions, pugi::encoding_utf8))
      std::abort();
    CNPFormFolder reloaded;
    if (Load(again.document_element(), reloaded) != shape) std::abort();
  }
  return 0;
}
