#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_properties.h"
#include "draw/geometry.h"
#include "graphs/plot_line.h"
#include "graphs/plot_pen.h"
#include "graphs/plot_samples.h"
#include "screen/pobject.h"
#include "values/value_element.h"

// What the trend graph and the plot graph share: pens in groups drawn against an X axis, with
// probes, lack handling, a grid and mouse zoom. They differ in their X axis (time or number)
// and in the formats of its labels.
namespace plotter_properties {

using namespace control_properties;

inline constexpr std::u16string_view kGraph = u"Graph";
inline constexpr std::u16string_view kZoom = u"Zoom";
inline constexpr std::u16string_view kProbe = u"Probe";
inline constexpr std::u16string_view kPlot = u"Plot";
inline constexpr std::u16string_view kLack = u"Lack";
inline constexpr std::u16string_view kSpace = u"Space";
inline constexpr std::u16string_view kGrid = u"Grid";
inline constexpr std::u16string_view kTitle = u"Title";

// Everything up to the axis formats. The plot sizes default to those of a new pen: lines 1,
// points, lack points and bars 0.
inline constexpr std::array kPlotterEntries = JoinProperties(
    std::array{
        Prop(kGraph, u"ShowScaleX", PT_BOOL, u"T"),
        Prop(kGraph, u"ShowScaleY", PT_BOOL, u"T"),
        Prop(kGraph, u"OffsetScaleX", PT_INTEGER, u"0"),
        Prop(kGraph, u"OffsetScaleY", PT_INTEGER, u"0"),
        Prop(kGraph, u"ShowRangeController", PT_BOOL, u"F"),
        Prop(kGraph, u"PowerfactorMaxMinType", PT_ENUM, u"TYPE1", u"TYPE1,TYPE2"),
        Prop(kZoom, u"MouseZoom", PT_ENUM, u"NONE", u"NONE,ZOOM_X,ZOOM_Y,ZOOM_XY"),
        Prop(kProbe, u"Probe", PT_ENUM, u"NONE", u"NONE,SINGLE,DUAL"),
        Prop(kProbe, u"ProbeColor", PT_COLOR, u"#FF0000"),
        Prop(kProbe, u"ProbeData", PT_BOOL, u"T"),
        Prop(kProbe, u"OffsetProbeData", PT_INTEGER, u"0"),
        Prop(kPlot, u"DrawOutOfRange", PT_ENUM, u"ALL", u"ALL,LIMITE_X,LIMITE_Y,LIMITE_XY"),
        Prop(kPlot, u"DrawPlotLineFront", PT_BOOL, u"F"),
        Prop(kPlot, u"PlotOutOfRange", PT_ENUM, u"ALL", u"ALL,DELETEDATA,FLATMAXMINDATA,FLATMAXMINPLOT"),
        Prop(kPlot, u"PlotLineSize", PT_INTEGER, u"1"),
        Prop(kPlot, u"PlotBarSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotPointSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotLackLineSize", PT_INTEGER, u"1"),
        Prop(kPlot, u"PlotLackPointSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotBarAdjustment", PT_BOOL, u"F"),
        Prop(kPlot, u"PlotLackLineStyle", PT_ENUM, u"DOT", kLineStyleItems),
        Prop(kPlot, u"PlotColorBarAlpha", PT_NUMBER, u"1"),
        Prop(kPlot, u"PlotColorBarColor", PT_TEXT, u"#00FF00,#FF0000"),
        Prop(kLack, u"DiffForLack", PT_NUMBER, u"0"),  // 0: gaps never make a lack
        Prop(kLack, u"ValueForLack", PT_STRING, u""),
        Prop(kLack, u"ValueForLackType", PT_ENUM, u"NONE", u"NONE,NULL,STR,NUM"),
        Prop(kSpace, u"SpaceX", PT_NUMBER, u"0"),
        Prop(kSpace, u"SpaceY", PT_NUMBER, u"0"),
        Prop(kGrid, u"GridSpaceX", PT_NUMBER, u"0"),
        Prop(kGrid, u"GridLineX", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineY", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineBound", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineColor", PT_COLOR, u"#808080"),
        Prop(kGrid, u"GridLineStyle", PT_ENUM, u"DOT", kLineStyleItems),
        Prop(kGrid, u"GridCountX", PT_INTEGER, u"10"),
        Prop(kGrid, u"GridCountY", PT_INTEGER, u"5"),
        Prop(kFormat, u"FormatNumber", PT_NUMBER_FORMAT, u"@NUMBER.1"),
        Prop(kTitle, u"TitleLeft", PT_STRING, u""),
        Prop(kTitle, u"TitleRight", PT_STRING, u""),
        Prop(kTitle, u"TitleTop", PT_STRING, u""),
        Prop(kTitle, u"TitleBottom", PT_STRING, u""),
        Prop(kText, u"TextFont", PT_FONT, kDefaultFont),
        Prop(kText, u"TextColor", PT_COLOR, u"@ChartTextColor"),
        Prop(kText, u"AutoChangeTextColor", PT_BOOL, u"F"),
    },
    OmitEntries(BorderEntries(u"T"), {u"BorderLine"}),
    std::array{
        Prop(kFill, u"Fill", PT_BOOL, u"T"),
        Prop(kFill, u"FillGrid", PT_BOOL, u"T"),
        Prop(kFill, u"FillColor", PT_COLOR, u"@FillColor", {}, 1, 1, kPropertyColor),
        Prop(kFill, u"FillGridColor", PT_COLOR, u"#FFFFFF", {}, 1, 1, kPropertyColor),
    });

// After the axis formats.
inline constexpr std::array kAutoDeleteEntries = {
    Prop(kGraph, u"AutoDeleteMode", PT_ENUM, u"NONE", u"NONE,OUTOFSCREEN"),
};

inline constexpr std::array kProbeEvents = {
    EventInfo{kControl, u"OnProbeChanged",
              u"penno,expect1,expect2,nearest1,nearest2,min,max,ave,validcnt,lackcnt"},
    EventInfo{kControl, u"OnProbeChanging", u"probeno,pos"},
    EventInfo{kControl, u"OnRangeControlerChanging", u"displayLow,displayHigh"},
    EventInfo{kControl, u"OnSelectedGroupChanged", u"groupno"},
    EventInfo{kControl, u"OnSelectedPenChanged", u"penno"},
};

inline constexpr std::array kMouseZoomEvents = {
    EventInfo{kControl, u"OnChangeMouseZoom", u"state"},
};

}  // namespace plotter_properties

// The samples a data call hands over: count (x, y) element pairs, x and y each read from its
// own array with its own step between pairs.
struct CPlotSampleSource {
  const ValueElement* x = nullptr;
  const ValueElement* y = nullptr;
  size_t xStep = 1;
  size_t yStep = 1;
  size_t count = 0;
};

// The base of the graphs that plot pens of samples: groups of pens with their guide lines and
// samples, the selected group and pen, the visible X range, probes, the range controller and
// mouse zoom. Group and pen numbers are 1-based; a pen number addresses a pen of the selected
// group. Everything that changes what is drawn asks for a redraw.
class CNPPlotter : public CNPControl {
  // The drag the left button started.
  enum class CDrag { kNone, kProbe1, kProbe2, kRangeHigh, kRangeLow, kZoom };

 public:
  using SXYPair = ::SXYPair;
  using CPlotLine = ::CPlotLine;
  using CPlotLines = ::CPlotLines;

  static constexpr size_t kMaxPensPerGroup = 1024;

  // ---- groups
  uint32_t GetGroupCount() const { return static_cast<uint32_t>(m_groups.size()); }
  // Null outside 1 to the count.
  CPlotGroup* GetGroup(int64_t number) const;
  void AddGroup(std::unique_ptr<CPlotGroup> group);
  // Before the group of that number (count + 1 appends); false outside 1 to count + 1.
  bool InsertGroup(int64_t number, std::unique_ptr<CPlotGroup> group);
  bool DeleteGroup(int64_t number);
  void ClearAll();
  // False (nothing happens) when the number is above the count; see the method "SelectGroup".
  bool SelectGroup(int64_t number, bool applySpan);
  uint32_t GetSelectedGroup() const { return m_selectedGroup; }

  // ---- pens of the selected group
  CPlotGroup* GetSelectedGroupPtr() const { return GetGroup(m_selectedGroup); }
  uint32_t GetPenCount() const;
  uint32_t GetPenTotalCount() const;
  // Null outside 1 to the pen count of the selected group.
  CPlotPen* GetPen(int64_t number) const;
  // Appends a pen to the selected group; null without one.
  CPlotPen* AddPen();
  // Makes pens up to number (below 1 counts as 1) when the group has fewer, and answers pen
  // number; null without a selected group, or when that would take the group beyond
  // kMaxPensPerGroup pens.
  CPlotPen* InsertPen(int64_t number);
  bool DeletePen(int64_t number);
  // Removes every pen of the selected group, deselects the pen, fires "OnSelectedPenChanged";
  // false without a selected group.
  bool ClearPens();
  bool SelectPen(int64_t number);
  uint32_t GetSelectedPen() const { return m_selectedPen; }
  // "Color" with the rule for "default": colour number ((pen number - 1) mod n) of the default
  // list. Every other pen property goes to SetPenField.
  bool SetPenProperty(int64_t number, std::u16string_view name, const CNValue& value);
  bool GetPenProperty(int64_t number, std::u16string_view name, CNValue& out) const;
  void SetPenDefaultColors(std::vector<std::u16string> colors);
  // Whether pens have "DisplayLow2" and "DisplayHigh2" (the plot graph's).
  virtual bool HasSecondBand() const { return false; }

  // ---- samples
  // Reads an x element: false when it gives no finite x (the sample is not stored).
  virtual bool ReadX(const ValueElement& element, double& x) const = 0;
  // An x as scripts see it: a time for the trend graph, a number for the plot graph.
  virtual void XToValue(double x, CNValue& out) const = 0;
  // Appends the samples to pen number by the sample rules (lack, data type, out-of-range rule,
  // gap rule, MaxPoints), after clearing the pen when clearFirst is set, then fires what a data
  // call fires. False, storing nothing, when the pen does not exist.
  bool AddSamples(int64_t number, const CPlotSampleSource& source, bool clearFirst);
  bool ClearSamples(int64_t number);
  // After a data call: the trend graph fires "OnPlotValueChanged" for the pen.
  virtual void FirePlotValueChanged(uint32_t /*penNumber*/) {}

  // ---- the visible X range
  // The range shown: the mouse zoom's while zoomed, else the range set, else one that follows
  // the data (DefaultXRange).
  void GetXRange(double& from, double& to) const;
  // False for a range that is not finite or not increasing.
  bool SetXRange(double from, double to);

  // ---- probes (number 1 or 2, positions 0 to 1 across the plot)
  double GetProbePos(int number) const { return m_probe[number == 2 ? 1 : 0]; }
  // Clamps to [0, 1] and, with "Probe" "DUAL", to the other probe; fires "OnProbeChanged" when
  // the position changed. False for a probe number other than 1 and 2.
  bool SetProbePos(int64_t number, double position);
  double GetProbeX(int number) const;
  void FireProbeChanged();

  // ---- mouse zoom
  // The part of every pen's visible band shown, 0 (bottom) to 1 (top).
  void GetZoomBand(double& low, double& high) const {
    low = m_zoom.yLow;
    high = m_zoom.yHigh;
  }
  // The rectangle being dragged for a zoom (form coordinates); false when none is.
  bool GetZoomDrag(CNPoint& from, CNPoint& to) const {
    from = m_dragStart;
    to = m_dragAt;
    return m_drag == CDrag::kZoom;
  }
  // Leaves mouse zoom and fires "OnChangeMouseZoom" with state 0 when it was on.
  void ResetMouseZoom();

  // ---- input
  void ButtonDown(CNMouseButton button, const CNPoint& at) override;
  void MouseMove(const CNPoint& at) override;
  void ButtonUp(CNMouseButton button, const CNPoint& at) override;
  void ButtonDblClick(CNMouseButton button, const CNPoint& at) override;

  // The plot area inside the object's rectangle, in form coordinates: what is left after the
  // titles, the scales and the room for labels.
  CRRectF GetPlotRect() const;
  // The distance between X grid lines: "GridSpaceX" when set, else the range by "GridCountX".
  double XGridStep(double from, double to) const;
  // An x as an axis label; step is the distance between labels.
  virtual std::u16string XLabel(double x, double step) const = 0;
  // The number format of the value scale's labels.
  virtual std::u16string_view ValueFormatProperty() const { return u"FormatNumber"; }

 protected:
  CNPPlotter() = default;
  ~CNPPlotter() override;

  void OnDraw(CNDrawContext& context) override;
  // "PlotOffsetColor", a number the table does not list: 0.
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  // The range shown when no script set one; from and to are the data's extent when known.
  virtual void DefaultXRange(double& from, double& to) const = 0;

 private:
  struct CZoom {
    bool active = false;
    double xFrom = 0.0, xTo = 0.0;   // the X range shown
    double yLow = 0.0, yHigh = 1.0;  // the part of every pen's visible band shown (0 to 1)
  };

  struct CSampleRules;  // the graph's lack and range properties, read once per data call
  CSampleRules ReadSampleRules() const;
  bool AppendSample(CPlotPen& pen, const CSampleRules& rules, const ValueElement& xElement,
                    const ValueElement& yElement) const;
  // A new pen: the look the graph's "Plot..." properties give new pens.
  std::unique_ptr<CPlotPen> MakePen() const;
  void FirePenChanged();
  void FireGroupChanged();
  int32_t MouseZoomMode() const;
  void MoveProbeTo(int number, const CNPoint& at);
  void MoveRangeHandle(bool high, const CNPoint& at);
  void FinishZoom(const CNPoint& at);

  std::vector<std::unique_ptr<CPlotGroup>> m_groups;
  uint32_t m_selectedGroup = 0;
  uint32_t m_selectedPen = 0;
  std::vector<std::u16string> m_defaultColors;
  bool m_bRangeSet = false;
  double m_xFrom = 0.0;
  double m_xTo = 0.0;
  double m_probe[2] = {0.25, 0.75};
  CZoom m_zoom;
  CDrag m_drag = CDrag::kNone;
  CNPoint m_dragStart;
  CNPoint m_dragAt;
};
