// Groups, pens and their selection, and the visible X range.
#include "graphs/plotter.h"

#include <algorithm>
#include <cmath>

#include "graphs/plotter_layout.h"
#include "objects/property_read.h"
#include "support/utf16_text.h"

namespace {

// The colours of pens whose "Color" is "default", until a script sets its own list.
const std::vector<std::u16string>& BuiltInPenColors() {
  static const std::vector<std::u16string> s_colors = {u"#FF0000", u"#0000FF", u"#008000", u"#FF8000",
                                                       u"#800080", u"#008080", u"#808000", u"#000000"};
  return s_colors;
}

bool InRange(int64_t number, size_t count) {
  return number >= 1 && static_cast<uint64_t>(number) <= count;
}

}  // namespace

CNPPlotter::~CNPPlotter() = default;

// ---- groups

CPlotGroup* CNPPlotter::GetGroup(int64_t number) const {
  return InRange(number, m_groups.size()) ? m_groups[static_cast<size_t>(number - 1)].get() : nullptr;
}

void CNPPlotter::AddGroup(std::unique_ptr<CPlotGroup> group) {
  m_groups.push_back(std::move(group));
  RequestRedraw();
}

bool CNPPlotter::InsertGroup(int64_t number, std::unique_ptr<CPlotGroup> group) {
  if (!InRange(number, m_groups.size() + 1)) return false;
  m_groups.insert(m_groups.begin() + (number - 1), std::move(group));
  if (m_selectedGroup >= number) ++m_selectedGroup;
  RequestRedraw();
  return true;
}

bool CNPPlotter::DeleteGroup(int64_t number) {
  if (!GetGroup(number)) return false;
  m_groups.erase(m_groups.begin() + (number - 1));
  if (m_selectedGroup == number) {
    m_selectedGroup = 0;
    m_selectedPen = 0;
  } else if (m_selectedGroup > number) {
    --m_selectedGroup;
  }
  RequestRedraw();
  return true;
}

void CNPPlotter::ClearAll() {
  m_groups.clear();
  m_selectedGroup = 0;
  m_selectedPen = 0;
  RequestRedraw();
}

bool CNPPlotter::SelectGroup(int64_t number, bool applySpan) {
  if (number > static_cast<int64_t>(m_groups.size())) return false;
  ResetMouseZoom();
  m_selectedGroup = number < 1 ? 0 : static_cast<uint32_t>(number);
  m_selectedPen = 0;
  bool rangeChanged = false;
  const CPlotGroup* group = GetSelectedGroupPtr();
  if (applySpan && group && group->startupXSpan > 0) {
    double from = 0, to = 0;
    GetXRange(from, to);
    rangeChanged = SetXRange(from, from + group->startupXSpan) && to != from + group->startupXSpan;
  }
  RequestRedraw();
  FireGroupChanged();
  FirePenChanged();
  if (rangeChanged) FireProbeChanged();
  return true;
}

void CNPPlotter::FireGroupChanged() {
  CNValue arg;
  arg.SetNumber(m_selectedGroup);
  FireEvent(u"OnSelectedGroupChanged", &arg, 1);
}

void CNPPlotter::FirePenChanged() {
  CNValue arg;
  arg.SetNumber(m_selectedPen);
  FireEvent(u"OnSelectedPenChanged", &arg, 1);
}

// ---- pens

uint32_t CNPPlotter::GetPenCount() const {
  const CPlotGroup* group = GetSelectedGroupPtr();
  return group ? static_cast<uint32_t>(group->pens.size()) : 0;
}

uint32_t CNPPlotter::GetPenTotalCount() const {
  size_t count = 0;
  for (const auto& group : m_groups) count += group->pens.size();
  return static_cast<uint32_t>(count);
}

CPlotPen* CNPPlotter::GetPen(int64_t number) const {
  const CPlotGroup* group = GetSelectedGroupPtr();
  return group && InRange(number, group->pens.size()) ? group->pens[static_cast<size_t>(number - 1)].get()
                                                      : nullptr;
}

CPlotPen* CNPPlotter::AddPen() {
  CPlotGroup* group = GetSelectedGroupPtr();
  if (!group) return nullptr;
  group->pens.push_back(MakePen());
  RequestRedraw();
  return group->pens.back().get();
}

CPlotPen* CNPPlotter::InsertPen(int64_t number) {
  CPlotGroup* group = GetSelectedGroupPtr();
  if (!group) return nullptr;
  // A wild number must not make a million pens: beyond kMaxPensPerGroup nothing is made.
  number = std::max<int64_t>(number, 1);
  if (number > static_cast<int64_t>(std::max(kMaxPensPerGroup, group->pens.size()))) return nullptr;
  while (group->pens.size() < static_cast<uint64_t>(number)) group->pens.push_back(MakePen());
  RequestRedraw();
  return group->pens[static_cast<size_t>(number - 1)].get();
}

bool CNPPlotter::DeletePen(int64_t number) {
  CPlotGroup* group = GetSelectedGroupPtr();
  if (!GetPen(number)) return false;
  group->pens.erase(group->pens.begin() + (number - 1));
  if (m_selectedPen == number)
    m_selectedPen = 0;
  else if (m_selectedPen > number)
    --m_selectedPen;
  RequestRedraw();
  return true;
}

bool CNPPlotter::ClearPens() {
  CPlotGroup* group = GetSelectedGroupPtr();
  if (!group) return false;
  group->pens.clear();
  m_selectedPen = 0;
  RequestRedraw();
  FirePenChanged();
  return true;
}

bool CNPPlotter::SelectPen(int64_t number) {
  if (number > static_cast<int64_t>(GetPenCount())) return false;
  m_selectedPen = number < 1 ? 0 : static_cast<uint32_t>(number);
  RequestRedraw();
  FirePenChanged();
  return true;
}

bool CNPPlotter::SetPenProperty(int64_t number, std::u16string_view name, const CNValue& value) {
  CPlotPen* pen = GetPen(number);
  if (!pen) return false;
  if (name == u"Color" && EqualsIgnoreCaseAscii(value.GetText(0), u"default")) {
    const auto& colors = m_defaultColors.empty() ? BuiltInPenColors() : m_defaultColors;
    pen->color = colors[static_cast<size_t>(number - 1) % colors.size()];
  } else if (!SetPenField(*pen, name, value, HasSecondBand())) {
    return false;
  }
  RequestRedraw();
  return true;
}

bool CNPPlotter::GetPenProperty(int64_t number, std::u16string_view name, CNValue& out) const {
  const CPlotPen* pen = GetPen(number);
  return pen && GetPenField(*pen, name, out, HasSecondBand());
}

void CNPPlotter::SetPenDefaultColors(std::vector<std::u16string> colors) {
  m_defaultColors = std::move(colors);
}

std::unique_ptr<CPlotPen> CNPPlotter::MakePen() const {
  auto pen = std::make_unique<CPlotPen>();
  pen->lineSize = PropertyInt(*this, u"PlotLineSize", 1);
  pen->pointSize = PropertyInt(*this, u"PlotPointSize", 0);
  pen->lackLineSize = PropertyInt(*this, u"PlotLackLineSize", 1);
  pen->lackPointSize = PropertyInt(*this, u"PlotLackPointSize", 0);
  pen->barSize = PropertyInt(*this, u"PlotBarSize", 0);
  pen->colorBarAlpha = PropertyNumber(*this, u"PlotColorBarAlpha", 1);
  pen->colorBarColor = PropertyText(*this, u"PlotColorBarColor");
  return pen;
}

int CNPPlotter::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (name != u"PlotOffsetColor") return CNPControl::GetExtraProperty(name, value);
  value.SetNumber(0);
  return 1;
}

// ---- the visible X range

void CNPPlotter::GetXRange(double& from, double& to) const {
  if (m_zoom.active) {
    from = m_zoom.xFrom;
    to = m_zoom.xTo;
  } else if (m_bRangeSet) {
    from = m_xFrom;
    to = m_xTo;
  } else {
    DefaultXRange(from, to);
  }
}

bool CNPPlotter::SetXRange(double from, double to) {
  if (!std::isfinite(from) || !std::isfinite(to) || !(to > from)) return false;
  m_bRangeSet = true;
  m_xFrom = from;
  m_xTo = to;
  RequestRedraw();
  return true;
}

double CNPPlotter::XGridStep(double from, double to) const {
  const double space = PropertyNumber(*this, u"GridSpaceX", 0);
  if (space > 0 && std::isfinite(space) && (to - from) / space <= 1000) return space;
  return (to - from) / std::max(1, PropertyInt(*this, u"GridCountX", 10));
}

CRRectF CNPPlotter::GetPlotRect() const {
  return PlotAreaOf(*this);
}
