// The pen methods of the graphs; pen numbers address pens of the selected group.
#include <array>

#include "graphs/graph_method_args.h"

namespace {

// The nine properties "AddPen", "InsertPen", "SetPenInfo" and "GetPenInfo" take, in order.
constexpr std::array<std::u16string_view, 9> kPenInfoOrder = {
    u"Title", u"Unit", u"Color", u"DataType", u"PlotType", u"Low", u"High", u"DisplayLow", u"DisplayHigh"};
// The five sizes of "GetPenPlotSize" and "SetPenPlotSize", with the setter's defaults.
constexpr std::array<std::u16string_view, 5> kPlotSizeOrder = {u"LineSize", u"PointSize", u"LackLineSize",
                                                               u"LackPointSize", u"BarSize"};
constexpr std::array<double, 5> kPlotSizeDefaults = {1, 0, 1, 0, 0};

void SetPenInfo(CNPPlotter& graph, int64_t pen, const CMethodCall& call, size_t first) {
  for (size_t i = 0; i < kPenInfoOrder.size(); ++i)
    graph.SetPenProperty(pen, kPenInfoOrder[i], call.Arg(first + i));
}

bool AddPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() < 9) return true;
  const bool added = graph->AddPen() != nullptr;
  if (added) SetPenInfo(*graph, graph->GetPenCount(), call, 0);
  call.result.SetBool(added);
  return true;
}

bool InsertPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() < 10) return true;
  const int64_t number = std::max<int64_t>(1, ArgNumber(call.Arg(0)));
  const bool made = graph->InsertPen(number) != nullptr;
  if (made) SetPenInfo(*graph, number, call, 1);
  call.result.SetBool(made);
  return true;
}

bool SetPenInfoMethod(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 10) return true;
  const int64_t number = ArgNumber(call.Arg(0));
  const bool exists = graph->GetPen(number) != nullptr;
  if (exists) SetPenInfo(*graph, number, call, 1);
  call.result.SetBool(exists);
  return true;
}

// The result is the list of the nine, or of the five sizes.
template <size_t N>
bool ReadPenList(CMethodCall& call, const std::array<std::u16string_view, N>& names) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() < 1) return true;
  const int64_t number = ArgNumber(call.Arg(0));
  if (!graph->GetPen(number)) {
    call.result.SetBool(false);
    return true;
  }
  std::array<CNValue, N> values;
  for (size_t i = 0; i < N; ++i) graph->GetPenProperty(number, names[i], values[i]);
  SetResultList(call, values);
  return true;
}

bool GetPenInfo(CMethodCall& call) {
  return ReadPenList(call, kPenInfoOrder);
}
bool GetPenPlotSize(CMethodCall& call) {
  return ReadPenList(call, kPlotSizeOrder);
}

bool SetPenPlotSize(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, 1, 6)) return true;
  const int64_t number = ArgNumber(call.Arg(0));
  const bool exists = graph->GetPen(number) != nullptr;
  for (size_t i = 0; exists && i < kPlotSizeOrder.size(); ++i) {
    CNValue size;
    size.SetNumber(kPlotSizeDefaults[i]);
    graph->SetPenProperty(number, kPlotSizeOrder[i], i + 1 < call.Count() ? call.Arg(i + 1) : size);
  }
  call.result.SetBool(exists);
  return true;
}

bool DelPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 1) call.result.SetBool(graph->DeletePen(ArgNumber(call.Arg(0))));
  return true;
}

bool ClearPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetBool(graph->ClearPens());
  return true;
}

bool SelectPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 1) call.result.SetBool(graph->SelectPen(ArgNumber(call.Arg(0))));
  return true;
}

bool GetPenCount(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetNumber(graph->GetPenCount());
  return true;
}

bool GetPenTotalCount(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetNumber(graph->GetPenTotalCount());
  return true;
}

bool GetSelectedPen(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 0) call.result.SetNumber(graph->GetSelectedPen());
  return true;
}

bool SetPenProperty(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 3)
    call.result.SetBool(graph->SetPenProperty(ArgNumber(call.Arg(0)), ArgText(call.Arg(1)), call.Arg(2)));
  return true;
}

// The value read is the call's result (false for a name or pen that does not exist).
bool GetPenProperty(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 3 && !graph->GetPenProperty(ArgNumber(call.Arg(0)), ArgText(call.Arg(1)), call.result))
    call.result.SetBool(false);
  return true;
}

// A pen property through a method of its own: with the value to set (count 2), or reading it
// (count 1, or 2 with an output place for the getters).
template <const std::u16string_view* Name, bool Setter, size_t Low, size_t High>
bool PenPropertyMethod(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, Low, High)) return true;
  const int64_t number = ArgNumber(call.Arg(0));
  if (Setter)
    call.result.SetBool(graph->SetPenProperty(number, *Name, call.Arg(1)));
  else if (!graph->GetPenProperty(number, *Name, call.result))
    call.result.SetBool(false);
  return true;
}

constexpr std::u16string_view kVisible = u"Visible";
constexpr std::u16string_view kColor = u"Color";
constexpr std::u16string_view kMaxPoints = u"MaxPoints";

bool SetPenDefaultColor(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 1) return true;
  graph->SetPenDefaultColors(ArgNames(call.Arg(0)));
  call.result.SetBool(true);
  return true;
}

constexpr std::array kPenMethods = {
    MethodEntry{u"GetPenCount", "The number of pens of the selected group", &GetPenCount},
    MethodEntry{u"GetPenTotalCount", "The number of pens of every group together", &GetPenTotalCount},
    MethodEntry{u"AddPen", "Adds a pen with title, unit, colour, data and plot type, range and display range",
                &AddPen},
    MethodEntry{u"InsertPen", "Inserts a pen before the numbered one, with the nine pen settings",
                &InsertPen},
    MethodEntry{u"SetPenInfo", "Sets the nine pen settings of the numbered pen", &SetPenInfoMethod},
    MethodEntry{u"GetPenInfo", "The nine pen settings of the numbered pen as a list", &GetPenInfo},
    MethodEntry{u"DelPen", "Removes the numbered pen", &DelPen},
    MethodEntry{u"ClearPen", "Removes every pen of the selected group", &ClearPen},
    MethodEntry{u"Clear", "Removes every pen of the selected group (as ClearPen)", &ClearPen},
    MethodEntry{u"SelectPen", "Makes the numbered pen the selected one", &SelectPen},
    MethodEntry{u"GetSelectedPen", "The number of the selected pen", &GetSelectedPen},
    MethodEntry{u"SetPenProperty", "Sets a property of the numbered pen", &SetPenProperty},
    MethodEntry{u"GetPenProperty", "A property of the numbered pen", &GetPenProperty},
    MethodEntry{u"SetPenDefaultColor", "Sets the list of colours new pens take in turn", &SetPenDefaultColor},
    MethodEntry{u"GetPenPlotSize", "The line, point, missing-line, missing-point and bar sizes of a pen",
                &GetPenPlotSize},
    MethodEntry{u"SetPenPlotSize", "Sets the line, point, missing-line, missing-point and bar sizes of a pen",
                &SetPenPlotSize},
    MethodEntry{u"GetPenVisible", "Whether the numbered pen is shown",
                &PenPropertyMethod<&kVisible, false, 1, 1>},
    MethodEntry{u"SetPenVisible", "Shows or hides the numbered pen",
                &PenPropertyMethod<&kVisible, true, 2, 2>},
    MethodEntry{u"SetPenColor", "Sets the colour of the numbered pen",
                &PenPropertyMethod<&kColor, true, 2, 2>},
    MethodEntry{u"GetPenMaxPoints", "The most samples the numbered pen keeps",
                &PenPropertyMethod<&kMaxPoints, false, 1, 2>},
    MethodEntry{u"SetPenMaxPoints", "Sets the most samples the numbered pen keeps",
                &PenPropertyMethod<&kMaxPoints, true, 2, 2>},
};

}  // namespace

std::span<const MethodEntry> GraphPenMethods() {
  return kPenMethods;
}
