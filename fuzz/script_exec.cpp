// Event scripts from arbitrary text, compiled and run: every function the script defines is
// called with as many arguments as it has parameters, under a small budget. Nothing may crash,
// hang or grow without bound; run-time errors are expected and ignored.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controls/form.h"
#include "controls/label_controls.h"
#include "methods/builtin_methods.h"
#include "methods/math_object.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "support/message_box.h"
#include "support/utf16_text.h"

namespace {

class QuietMessageBox : public CRMessageBox {
 public:
  MessageBoxAnswer Show(std::u16string_view, std::u16string_view, MessageBoxButtons, MessageBoxIcon) override {
    return IDOK;
  }
};

class QuietErrors : public IKVScriptErrorSink {
 public:
  void OnScriptError(std::u16string_view, std::u16string_view) override {}
};

// root (Form) > Math, Form1 (Form) > the fuzzed object (Label), made anew for every input.
class World : public CNObjectOwner {
 public:
  World() {
    RegisterBuiltInMethods();
    CRMessageBox::SetCurrent(&m_box);
    RegisterObjectClass<CNPForm>(registry, u"Form", {});
    RegisterObjectClass<CNPLabel>(registry, u"Label", {});
    RegisterObjectClass<CNPMath>(registry, u"Math", {});
    CScriptLimits limits;
    limits.statementLimit = 5000;
    limits.timeLimitMs = 2000;
    limits.callDepth = 64;
    limits.maxElements = 1u << 16;
    limits.maxTextLength = 1u << 16;
    engine.SetLimits(limits);
    engine.SetErrorSink(&m_errors);
    engine.SetTraceOutput([](const CNValue&) {});
    root->SetOwner(this);
    Add(*root, u"Math", u"Math");
    form = Add(*root, u"Form", u"Form1");
  }
  CNScript* GetScript() override { return &engine; }

  CNObject* Add(CNObject& parent, std::u16string_view clid, std::u16string_view name) {
    CNObject* child = registry.Create(clid);
    child->SetName(name);
    parent.AddChild(child);
    return child;
  }

  CPanelControls registry;
  CNScriptImpl engine{registry};
  CNObject* root = new CNPForm;
  CNObject* form = nullptr;

 private:
  QuietMessageBox m_box;
  QuietErrors m_errors;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World* world = new World;
  CNObject* object = world->Add(*world->form, u"Label", u"Fuzzed");
  object->SetEvent(Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size)));
  if (world->engine.Load(object)) {
    std::vector<std::pair<std::u16string, size_t>> functions;
    for (const auto& function : world->engine.FindScope(object)->GetFunctions())
      functions.emplace_back(function->GetName(), function->GetParameters().size());
    for (const auto& [name, parameters] : functions) {
      std::vector<CNValue> args(parameters);
      for (CNValue& arg : args) arg.SetNumber(1);
      world->engine.RunFunction(object, name, args.data(), static_cast<uint32_t>(args.size()), nullptr);
    }
  }
  world->engine.Remove(object);
  world->form->RemoveChild(object);
  return 0;
}
