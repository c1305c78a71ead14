// The group methods of the graphs.
#include <array>

#include "graphs/graph_method_args.h"

namespace {

// Title, start-up X span, high, low: each argument given sets its field.
std::unique_ptr<CPlotGroup> MakeGroup(const CMethodCall& call, size_t first) {
  static constexpr std::array<std::u16string_view, 4> kOrder = {u"GroupTitle", u"StartupXSpan", u"High",
                                                                u"Low"};
  auto group = std::make_unique<CPlotGroup>();
  for (size_t i = first; i < call.Count() && i - first < kOrder.size(); ++i)
    SetGroupField(*group, kOrder[i - first], call.Arg(i));
  return group;
}

bool GetGroupCount(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetNumber(graph->GetGroupCount());
  return true;
}

bool AddGroup(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() > 4) return true;
  graph->AddGroup(MakeGroup(call, 0));
  call.result.SetBool(true);
  return true;
}

bool InsertGroup(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, 1, 5)) return true;
  call.result.SetBool(graph->InsertGroup(ArgNumber(call.Arg(0)), MakeGroup(call, 1)));
  return true;
}

bool DelGroup(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 1) call.result.SetBool(graph->DeleteGroup(ArgNumber(call.Arg(0))));
  return true;
}

bool ClearAll(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 0) return true;
  graph->ClearAll();
  call.result.SetBool(true);
  return true;
}

bool SelectGroup(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (ArgCountIn(call, 1, 2))
    call.result.SetBool(
        graph->SelectGroup(ArgNumber(call.Arg(0)), call.Count() < 2 || call.Arg(1).GetBool(0)));
  return true;
}

bool GetSelectedGroup(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetNumber(graph->GetSelectedGroup());
  return true;
}

bool SetGroupProperty(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 3) return true;
  CPlotGroup* group = graph->GetGroup(ArgNumber(call.Arg(0)));
  const bool done = group && SetGroupField(*group, ArgText(call.Arg(1)), call.Arg(2));
  if (done) graph->RequestRedraw();
  call.result.SetBool(done);
  return true;
}

// The value read is the call's result (false for a name or group that does not exist).
bool GetGroupProperty(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 3) return true;
  const CPlotGroup* group = graph->GetGroup(ArgNumber(call.Arg(0)));
  if (!group || !GetGroupField(*group, ArgText(call.Arg(1)), call.result)) call.result.SetBool(false);
  return true;
}

bool SetGroupInfo(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, 2, 3)) return true;
  CPlotGroup* group = graph->GetGroup(ArgNumber(call.Arg(0)));
  if (group) {
    SetGroupField(*group, u"GroupTitle", call.Arg(1));
    if (call.Count() == 3) SetGroupField(*group, u"StartupXSpan", call.Arg(2));
    graph->RequestRedraw();
  }
  call.result.SetBool(group != nullptr);
  return true;
}

// The result is the list (title, start-up X span).
bool GetGroupInfo(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, 1, 3)) return true;
  const CPlotGroup* group = graph->GetGroup(ArgNumber(call.Arg(0)));
  if (!group) {
    call.result.SetBool(false);
    return true;
  }
  CNValue values[2];
  values[0].SetString(group->title);
  values[1].SetNumber(group->startupXSpan);
  SetResultList(call, values);
  return true;
}

constexpr std::array kGroupMethods = {
    MethodEntry{u"GetGroupCount", "The number of groups", &GetGroupCount},
    MethodEntry{u"AddGroup", "Adds a group at the end, with title, x span, high and low when given",
                &AddGroup},
    MethodEntry{u"InsertGroup", "Inserts a group before the numbered one", &InsertGroup},
    MethodEntry{u"DelGroup", "Removes the numbered group", &DelGroup},
    MethodEntry{u"ClearAll", "Removes every group with its pens and lines", &ClearAll},
    MethodEntry{u"SelectGroup", "Makes the numbered group the one shown and addressed by pen numbers",
                &SelectGroup},
    MethodEntry{u"GetSelectedGroup", "The number of the selected group", &GetSelectedGroup},
    MethodEntry{u"SetGroupProperty", "Sets a property of the numbered group", &SetGroupProperty},
    MethodEntry{u"GetGroupProperty", "A property of the numbered group", &GetGroupProperty},
    MethodEntry{u"SetGroupInfo", "Sets a group's title, start-up x span, high and low", &SetGroupInfo},
    MethodEntry{u"GetGroupInfo", "A group's title and start-up x span as a list", &GetGroupInfo},
};

}  // namespace

std::span<const MethodEntry> GraphGroupMethods() {
  return kGroupMethods;
}
