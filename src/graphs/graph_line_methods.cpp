// The guide-line methods: group lines by group number, pen lines by pen number of the selected
// group, both with line numbers from 1.
#include <array>

#include "graphs/graph_method_args.h"

namespace {

using LinesOf = CPlotLines* (*)(CNPPlotter& graph, int64_t number);

CPlotLines* GroupLines(CNPPlotter& graph, int64_t number) {
  CPlotGroup* group = graph.GetGroup(number);
  return group ? &group->lines : nullptr;
}

CPlotLines* PenLines(CNPPlotter& graph, int64_t number) {
  CPlotPen* pen = graph.GetPen(number);
  return pen ? &pen->lines : nullptr;
}

bool LineInRange(const CPlotLines& lines, int64_t line, size_t extra = 0) {
  return line >= 1 && static_cast<uint64_t>(line) <= lines.size() + extra;
}

// Runs body(graph, lines) for a call with from low to high arguments; false as the result when
// the group or pen does not exist, else what body answers.
template <class Body>
bool WithLines(CMethodCall& call, LinesOf linesOf, size_t low, size_t high, Body&& body) {
  CNPPlotter* graph = TargetPlotter(call);
  if (!graph) return false;
  if (!ArgCountIn(call, low, high)) return true;
  CPlotLines* lines = linesOf(*graph, ArgNumber(call.Arg(0)));
  if (!lines) {
    call.result.SetBool(false);
    return true;
  }
  if (body(*lines)) graph->RequestRedraw();
  return true;
}

template <LinesOf Lines>
bool GetLineCount(CMethodCall& call) {
  return WithLines(call, Lines, 1, 1, [&](CPlotLines& lines) {
    call.result.SetNumber(static_cast<double>(lines.size()));
    return false;
  });
}

template <LinesOf Lines>
bool ClearLines(CMethodCall& call) {
  return WithLines(call, Lines, 1, 1, [&](CPlotLines& lines) {
    lines.clear();
    call.result.SetBool(true);
    return true;
  });
}

template <LinesOf Lines>
bool AddLine(CMethodCall& call) {
  return WithLines(call, Lines, 1, 9, [&](CPlotLines& lines) {
    CPlotLine line;
    const bool made = MakePlotLine(call.args.subspan(1), line);
    if (made) lines.push_back(std::move(line));
    call.result.SetBool(made);
    return made;
  });
}

template <LinesOf Lines>
bool InsertLine(CMethodCall& call) {
  return WithLines(call, Lines, 2, 10, [&](CPlotLines& lines) {
    const int64_t at = ArgNumber(call.Arg(1));
    CPlotLine line;
    const bool made = LineInRange(lines, at, 1) && MakePlotLine(call.args.subspan(2), line);
    if (made) lines.insert(lines.begin() + (at - 1), std::move(line));
    call.result.SetBool(made);
    return made;
  });
}

template <LinesOf Lines>
bool DelLine(CMethodCall& call) {
  return WithLines(call, Lines, 2, 2, [&](CPlotLines& lines) {
    const int64_t at = ArgNumber(call.Arg(1));
    const bool found = LineInRange(lines, at);
    if (found) lines.erase(lines.begin() + (at - 1));
    call.result.SetBool(found);
    return found;
  });
}

template <LinesOf Lines>
bool SetLineProperty(CMethodCall& call) {
  return WithLines(call, Lines, 4, 4, [&](CPlotLines& lines) {
    const int64_t at = ArgNumber(call.Arg(1));
    const bool done = LineInRange(lines, at) && SetPlotLineProperty(lines[static_cast<size_t>(at - 1)],
                                                                    ArgText(call.Arg(2)), call.Arg(3));
    call.result.SetBool(done);
    return done;
  });
}

// The value read is the call's result; a fourth argument (an output place) is allowed.
template <LinesOf Lines>
bool GetLineProperty(CMethodCall& call) {
  return WithLines(call, Lines, 3, 4, [&](CPlotLines& lines) {
    const int64_t at = ArgNumber(call.Arg(1));
    if (!LineInRange(lines, at) ||
        !GetPlotLineProperty(lines[static_cast<size_t>(at - 1)], ArgText(call.Arg(2)), call.result))
      call.result.SetBool(false);
    return false;
  });
}

constexpr std::array kLineMethods = {
    MethodEntry{u"GetGroupLineCount", "The number of guide lines of a group", &GetLineCount<GroupLines>},
    MethodEntry{u"ClearGroupLine", "Removes every guide line of a group", &ClearLines<GroupLines>},
    MethodEntry{u"AddGroupLine", "Adds a guide line to a group", &AddLine<GroupLines>},
    MethodEntry{u"InsertGroupLine", "Inserts a guide line before the numbered one of a group",
                &InsertLine<GroupLines>},
    MethodEntry{u"DelGroupLine", "Removes a guide line of a group", &DelLine<GroupLines>},
    MethodEntry{u"SetGroupLineProperty", "Sets a property of a group's guide line",
                &SetLineProperty<GroupLines>},
    MethodEntry{u"GetGroupLineProperty", "A property of a group's guide line", &GetLineProperty<GroupLines>},
    MethodEntry{u"GetPenLineCount", "The number of guide lines of a pen", &GetLineCount<PenLines>},
    MethodEntry{u"ClearPenLine", "Removes every guide line of a pen", &ClearLines<PenLines>},
    MethodEntry{u"AddPenLine", "Adds a guide line to a pen", &AddLine<PenLines>},
    MethodEntry{u"InsertPenLine", "Inserts a guide line before the numbered one of a pen",
                &InsertLine<PenLines>},
    MethodEntry{u"DelPenLine", "Removes a guide line of a pen", &DelLine<PenLines>},
    MethodEntry{u"SetPenLineProperty", "Sets a property of a pen's guide line", &SetLineProperty<PenLines>},
    MethodEntry{u"GetPenLineProperty", "A property of a pen's guide line", &GetLineProperty<PenLines>},
};

}  // namespace

std::span<const MethodEntry> GraphLineMethods() {
  return kLineMethods;
}
