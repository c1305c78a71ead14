// A project document from arbitrary bytes, read into a root client as the runtime reads one: the
// first byte chooses a plain file or an encrypted one (deciphered first), the rest is the file.
// A project that loads is written back, and what was written must load again with the same
// number of objects.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "check/project_check.h"
#include "controls/buttons.h"
#include "controls/collection.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "project/project_crypt.h"
#include "project/root_client_browser.h"
#include "shapes/shapes.h"
#include "support/message_box.h"

namespace {

class SilentMessageBox : public CRMessageBox {
 public:
  MessageBoxAnswer Show(std::u16string_view, std::u16string_view, MessageBoxButtons,
                        MessageBoxIcon) override {
    return IDOK;
  }
};

CPanelControls& Registry() {
  static CPanelControls* s_registry = [] {
    static SilentMessageBox s_box;
    CRMessageBox::SetCurrent(&s_box);
    auto* registry = new CPanelControls;
    RegisterObjectClass<CNPFormFolder>(*registry, u"Folder", u"");
    RegisterObjectClass<CNPForm>(*registry, u"Form", u"");
    RegisterObjectClass<CNPCollection>(*registry, u"Group", u"");
    RegisterObjectClass<CNPCommandButton>(*registry, u"Button", u"Basic Controls");
    RegisterObjectClass<CNPRect>(*registry, u"Rectangle", u"2D Shapes");
    return registry;
  }();
  return *s_registry;
}

// Reads bytes as a project; the object counts when it loaded.
bool Read(std::span<const uint8_t> bytes, CRPtr<CNPRootClientBrowser>& root) {
  const CNResource module[] = {{1, u"XML", bytes}};
  CNFormLoadContext context(Registry());
  root = CRPtr<CNPRootClientBrowser>::Make();
  return root->OpenResourceProject(module, 1, u"XML", context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint8_t> bytes(data + 1, data + size);
  std::string error;
  if ((data[0] & 1) && !DecryptProjectBuffer(bytes, error)) return 0;
  CRPtr<CNPRootClientBrowser> root;
  if (!Read(bytes, root)) return 0;
  CheckProject(*root);
  const CNProjectCounts counts = CountProject(*root);
  CNValue omit;
  root->GetProperty(u"FileSaveWithoutDefault", omit);
  const std::string saved = ComposeProjectDocument(*root, omit.GetBool(0));
  CRPtr<CNPRootClientBrowser> again;
  if (!Read({reinterpret_cast<const uint8_t*>(saved.data()), saved.size()}, again)) std::abort();
  const CNProjectCounts countsAgain = CountProject(*again);
  if (countsAgain.folders != counts.folders || countsAgain.forms != counts.forms ||
      countsAgain.objects != counts.objects)
    std::abort();
  return 0;
}
