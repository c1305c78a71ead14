#pragma once

// A running form that holds one graph, with a real script engine: the graph's event script
// runs its handlers, and what they trace is kept in order.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/form.h"
#include "graphs/graph_methods.h"
#include "methods/builtin_methods.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

template <class Graph>
class GraphScriptHost : public CNObjectOwner, public IKVScriptErrorSink {
 public:
  GraphScriptHost() {
    RegisterBuiltInMethods();
    RegisterGraphMethods();
    m_engine = std::make_unique<CNScriptImpl>(m_registry);
    m_engine->SetErrorSink(this);
    m_engine->SetTraceOutput(
        [this](const CNValue& value) { trace.push_back(Utf16ToUtf8(DisplayText(value))); });
    m_form->SetOwner(this);
    graph = new Graph;
    graph->SetName(u"G");
    m_form->AddChild(graph);
  }
  ~GraphScriptHost() override {
    graph->Terminate();
    m_engine->Shutdown();
  }

  // Loads the graph's event script and starts the graph running.
  void Start(std::u16string_view script) {
    graph->SetEvent(script);
    ASSERT_TRUE(m_engine->Load(graph)) << errors;
    graph->Initialize();
  }
  // Runs a handler of the graph's script with the arguments given; the traces it leaves.
  std::string Run(std::u16string_view handler, CNValue* args = nullptr, uint32_t count = 0) {
    trace.clear();
    EXPECT_TRUE(m_engine->RunFunction(graph, handler, args, count, nullptr)) << errors;
    return Traced();
  }
  // The traces since they were last cleared, joined by " ".
  std::string Traced() const {
    std::string joined;
    for (const auto& line : trace) joined += (joined.empty() ? "" : " ") + line;
    return joined;
  }

  CNScript* GetScript() override { return m_engine.get(); }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    errors += Utf16ToUtf8(title) + " : " + Utf16ToUtf8(message) + "\n";
  }

  Graph* graph = nullptr;
  std::vector<std::string> trace;
  std::string errors;

 private:
  CPanelControls m_registry;
  std::unique_ptr<CNScriptImpl> m_engine;
  CRPtr<CNPForm> m_form = CRPtr<CNPForm>::Make();
};
