// The sample, range, probe and zoom methods of the graphs.
#include <array>

#include "graphs/graph_method_args.h"

namespace {

// Column column of a two-dimensional array of rows; false when it has no such column.
bool ReadColumn(const CNValue& table, const CNValue& columnArg, const ValueElement*& first, size_t& step,
                size_t& rows) {
  if (table.GetDimensionCount() != 2) return false;
  const int64_t column = ArgNumber(columnArg);
  const uint32_t columns = table.GetDimensionSize(1);
  if (column < 0 || column >= columns) return false;
  first = table.GetElements() + column;
  step = columns;
  rows = table.GetDimensionSize(0);
  return true;
}

// The three shapes of samples a data call takes (after the pen number): a table of (x, y) rows;
// two lists of x and y values of equal length; two tables, each followed by its column number.
bool ReadSampleSource(const CMethodCall& call, CPlotSampleSource& source) {
  static const CNValue s_first = [] {
    CNValue v;
    v.SetNumber(0);
    return v;
  }();
  static const CNValue s_second = [] {
    CNValue v;
    v.SetNumber(1);
    return v;
  }();
  size_t rows = 0, yRows = 0;
  switch (call.Count()) {
    case 2:
      if (!ReadColumn(call.Arg(1), s_first, source.x, source.xStep, rows) ||
          !ReadColumn(call.Arg(1), s_second, source.y, source.yStep, rows))
        return false;
      source.count = rows;
      return true;
    case 3: {
      const CNValue& xs = call.Arg(1);
      const CNValue& ys = call.Arg(2);
      if (xs.GetDimensionCount() > 1 || ys.GetDimensionCount() > 1 || xs.GetCount() != ys.GetCount())
        return false;
      source = {xs.GetElements(), ys.GetElements(), 1, 1, xs.GetCount()};
      return true;
    }
    case 5:
      if (!ReadColumn(call.Arg(1), call.Arg(2), source.x, source.xStep, rows) ||
          !ReadColumn(call.Arg(3), call.Arg(4), source.y, source.yStep, yRows) || rows != yRows)
        return false;
      source.count = rows;
      return true;
    default:
      return false;
  }
}

template <bool ClearFirst>
bool AddData(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  CPlotSampleSource source;
  const bool read = call.Count() >= 1 && ReadSampleSource(call, source);
  call.result.SetBool(read && graph->AddSamples(ArgNumber(call.Arg(0)), source, ClearFirst));
  return true;
}

bool ClearData(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (ArgCountIn(call, 1, 2)) call.result.SetBool(graph->ClearSamples(ArgNumber(call.Arg(0))));
  return true;
}

bool GetDataCount(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 1) return true;
  const CPlotPen* pen = graph->GetPen(ArgNumber(call.Arg(0)));
  if (pen)
    call.result.SetNumber(static_cast<double>(pen->samples.Size()));
  else
    call.result.SetBool(false);
  return true;
}

// "SetTimeRangeX"(from, to): each read as the graph reads an x.
bool SetTimeRangeX(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 2) return true;
  double from = 0, to = 0;
  const bool read = call.Arg(0).GetCount() && call.Arg(1).GetCount() &&
                    graph->ReadX(call.Arg(0).GetElements()[0], from) &&
                    graph->ReadX(call.Arg(1).GetElements()[0], to);
  call.result.SetBool(read && graph->SetXRange(from, to));
  return true;
}

// The result is the list (from, to) of the visible range.
bool GetXRange(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 0 && call.Count() != 2) return true;
  double from = 0, to = 0;
  graph->GetXRange(from, to);
  CNValue values[2];
  graph->XToValue(from, values[0]);
  graph->XToValue(to, values[1]);
  SetResultList(call, values);
  return true;
}

// "SetPlotRangeX"(from, to): numbers, for the plot graph only.
bool SetPlotRangeX(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 2) return true;
  call.result.SetBool(graph->HasSecondBand() &&
                      graph->SetXRange(call.Arg(0).GetNumber(0), call.Arg(1).GetNumber(0)));
  return true;
}

// Probe numbers other than 1 and 2 answer false.
bool GetProbeAt(CMethodCall& call, bool asX) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 1) return true;
  const int64_t probe = ArgNumber(call.Arg(0));
  if (probe != 1 && probe != 2)
    call.result.SetBool(false);
  else if (asX)
    graph->XToValue(graph->GetProbeX(static_cast<int>(probe)), call.result);
  else
    call.result.SetNumber(graph->GetProbePos(static_cast<int>(probe)));
  return true;
}

bool GetProbeTime(CMethodCall& call) {
  return GetProbeAt(call, true);
}
bool GetProbePos(CMethodCall& call) {
  return GetProbeAt(call, false);
}

bool SetProbePos(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() == 2)
    call.result.SetBool(graph->SetProbePos(ArgNumber(call.Arg(0)), call.Arg(1).GetNumber(0)));
  return true;
}

bool FireProbeChanged(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 0) return true;
  graph->FireProbeChanged();
  call.result.SetBool(true);
  return true;
}

// For every pen of the selected group.
bool FirePlotValueChanged(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 0) return true;
  for (uint32_t pen = 1; pen <= graph->GetPenCount(); ++pen) graph->FirePlotValueChanged(pen);
  call.result.SetBool(true);
  return true;
}

bool ResetMouseZoom(CMethodCall& call) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (call.Count() != 0) return true;
  graph->ResetMouseZoom();
  call.result.SetBool(true);
  return true;
}

constexpr std::array kDataMethods = {
    MethodEntry{u"AddData", "Adds samples to a pen: a table of (x, y) rows, two lists, or two table columns",
                &AddData<false>},
    MethodEntry{u"AddPenData", "Adds samples to a pen (as AddData)", &AddData<false>},
    MethodEntry{u"SetPenData", "Replaces a pen's samples with the ones given", &AddData<true>},
    MethodEntry{u"ClearData", "Removes every sample of a pen", &ClearData},
    MethodEntry{u"GetDataCount", "The number of samples a pen holds", &GetDataCount},
    MethodEntry{u"SetTimeRangeX", "Sets the visible x range from two times or numbers", &SetTimeRangeX},
    MethodEntry{u"GetTimeRange", "The visible x range as c(from, to)", &GetXRange},
    MethodEntry{u"GetProbeTime", "The x where probe 1 or 2 stands", &GetProbeTime},
    MethodEntry{u"SetPlotRangeX", "Sets the visible x range of a plot graph from two numbers",
                &SetPlotRangeX},
    MethodEntry{u"GetPlotRangeX", "The visible x range as c(from, to)", &GetXRange},
    MethodEntry{u"SetProbePos", "Moves probe 1 or 2 to a position in the plot area", &SetProbePos},
    MethodEntry{u"GetProbePos", "The position of probe 1 or 2 in the plot area", &GetProbePos},
    MethodEntry{u"FireProbeChanged", "Fires the graph's probe-changed event now", &FireProbeChanged},
    MethodEntry{u"FirePlotValueChanged",
                "Fires the plot-value-changed event for every pen of the selected group",
                &FirePlotValueChanged},
    MethodEntry{u"GetProbeValueX", "The x where probe 1 or 2 stands", &GetProbeTime},
    MethodEntry{u"ResetMouseZoom", "Undoes the zoom made with the mouse", &ResetMouseZoom},
};

constexpr std::array kTrendOwnMethods = {
    MethodEntry{u"SetRangeX", "Sets the visible x range (as SetTimeRangeX)", &SetTimeRangeX},
    MethodEntry{u"SetTimeRange", "Sets the visible x range (as SetTimeRangeX)", &SetTimeRangeX},
};

}  // namespace

std::span<const MethodEntry> GraphDataMethods() {
  return kDataMethods;
}

std::span<const MethodEntry> TrendGraphOwnMethods() {
  return kTrendOwnMethods;
}
