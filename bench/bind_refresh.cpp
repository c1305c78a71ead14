// One refresh tick of a form full of input binds: 10,000 binds on 1,000 objects reading 1,000
// memory tags, 10% of the tags changing per tick. Beside it, the same work done by event
// scripts: per changed tag, the functions that compute its ten properties run through the
// script engine and their results are stored.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "binds/object_binder.h"
#include "controls/form.h"
#include "methods/builtin_methods.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "shapes/shapes.h"
#include "support/utf16_text.h"
#include "tags/tag_server_suite.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kTags = 1000;
constexpr int kChangedPerTick = kTags / 10;

constexpr const char16_t* kProperties[] = {u"Left",        u"Top",     u"Width",   u"Height", u"BorderWidth",
                                           u"BorderRound", u"RotateX", u"RotateY", u"Alpha",  u"Angle"};
constexpr int kBindsPerObject = std::size(kProperties);

std::u16string Tag(int n) {
  return u"$D" + AsciiToUtf16(std::to_string(n % kTags));
}

// The j-th bound property of an object: its bind script, or the body of the event-script
// function that computes the same.
std::u16string Expression(int object, int j, bool forScripts) {
  const auto name = [&](int n) { return forScripts ? u"GetVal(\"" + Tag(n) + u"\")" : Tag(n); };
  const int a = object + j * 100;  // each tag is read by ten properties of ten objects
  std::u16string expression;
  switch (j % 5) {
    case 0: expression = name(a); break;
    case 1: expression = name(a) + u" * 2 + 1"; break;
    case 2:
      if (forScripts) return u"if (" + name(a) + u" > 50) return 1; return 0;";
      return u"{" + name(a) + u" > 50}{1},{default}{0}";
    case 3: expression = (forScripts ? u"::Abs(" : u"Math.Abs(") + name(a) + u" - 500) / 10"; break;
    default: expression = name(a) + u" + " + name(a + 1); break;
  }
  return forScripts ? u"return " + expression + u";" : expression;
}

class Panel : public CNObjectOwner {
 public:
  explicit Panel(bool binds) {
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPForm>(registry, u"Form", {});
    RegisterObjectClass<CNPRect>(registry, u"Rectangle", {});
    CNTagServerStartInfo offline;
    offline.offline = true;
    tags.Start(offline);
    engine.SetTagServer(&tags);
    form->SetOwner(this);
    for (int i = 0; i < kObjects; ++i) {
      auto* rect = static_cast<CNPObject*>(registry.Create(u"Rectangle"));
      form->AddChild(rect);
      objects.push_back(rect);
      std::u16string script;
      for (int j = 0; j < kBindsPerObject; ++j) {
        if (binds) {
          rect->SetBindSection(kProperties[j], Expression(i, j, false));
        } else {
          script += u"function B" + AsciiToUtf16(std::to_string(j)) + u"() { " + Expression(i, j, true) + u" }\n";
        }
      }
      rect->SetEvent(script);
      if (!binds) engine.Load(rect);
    }
    for (int n = 0; n < kTags; ++n) tagHandles.push_back(tags.GetTag(Tag(n), 0, nullptr));
    if (binds) bound = CNPObjectBinder(CNBindEnvironment{&tags, nullptr, 5}).BindTree(*form);
    for (CNPObject* object : objects) object->Initialize();
  }
  ~Panel() override {
    UnbindTree(*form);
    for (CNPTag* tag : tagHandles) tags.ReleaseTag(tag, nullptr);
    engine.Shutdown();
    form->Release();
  }
  CNScript* GetScript() override { return &engine; }

  // Changes the tick's tenth of the tags.
  void ChangeTags(int tick) {
    CNValue value;
    value.SetNumber(tick);
    const int first = (tick * kChangedPerTick) % kTags;
    for (int n = first; n < first + kChangedPerTick; ++n) tags.SetValue(tagHandles[n], value);
  }

  CPanelControls registry;
  CNPTagServerSuite tags;
  CNScriptImpl engine{registry};
  CNObject* form = new CNPForm;
  std::vector<CNPObject*> objects;
  std::vector<CNPTag*> tagHandles;
  uint32_t bound = 0;
};

void BM_BindRefreshTick(benchmark::State& state) {
  Panel panel(true);
  if (panel.bound != kObjects * kBindsPerObject) state.SkipWithError("not every bind was made");
  RefreshTreeBinds(*panel.form, true);
  int tick = 0;
  uint64_t stored = 0;
  for (auto _ : state) {
    panel.ChangeTags(++tick);
    panel.tags.Dispatch();
    stored += RefreshTreeBinds(*panel.form, false);
  }
  state.counters["properties/tick"] = static_cast<double>(stored) / static_cast<double>(state.iterations());
}

void BM_ScriptRefreshTick(benchmark::State& state) {
  Panel panel(false);
  // Who reads what: per block of changed tags, the (object, function) pairs that read one of
  // them, each once, as the binds would find them.
  std::vector<std::vector<int>> readers(kTags);
  for (int i = 0; i < kObjects; ++i)
    for (int j = 0; j < kBindsPerObject; ++j) {
      const int a = (i + j * 100) % kTags;
      readers[a].push_back(i * kBindsPerObject + j);
      if (j % 5 == 4) readers[(a + 1) % kTags].push_back(i * kBindsPerObject + j);
    }
  std::vector<std::vector<int>> due(kTags / kChangedPerTick);
  for (size_t block = 0; block < due.size(); ++block) {
    for (size_t n = block * kChangedPerTick; n < (block + 1) * kChangedPerTick; ++n)
      due[block].insert(due[block].end(), readers[n].begin(), readers[n].end());
    std::sort(due[block].begin(), due[block].end());
    due[block].erase(std::unique(due[block].begin(), due[block].end()), due[block].end());
  }
  std::vector<std::u16string> functions;
  for (int j = 0; j < kBindsPerObject; ++j) functions.push_back(u"B" + AsciiToUtf16(std::to_string(j)));
  int tick = 0;
  uint64_t stored = 0;
  CNValue result;
  for (auto _ : state) {
    panel.ChangeTags(++tick);
    for (int pair : due[((tick * kChangedPerTick) % kTags) / kChangedPerTick]) {
      CNPObject* object = panel.objects[pair / kBindsPerObject];
      const int j = pair % kBindsPerObject;
      if (!panel.engine.RunFunction(object, functions[j], nullptr, 0, &result)) state.SkipWithError("failed");
      object->SetProperty(kProperties[j], result);
      ++stored;
    }
  }
  state.counters["properties/tick"] = static_cast<double>(stored) / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_BindRefreshTick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScriptRefreshTick)->Unit(benchmark::kMillisecond);
