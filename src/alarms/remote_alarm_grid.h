#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "alarms/alarm_grid_rows.h"
#include "alarms/remote_alarm_client.h"
#include "controls/grid_controls.h"
#include "project/project.h"

// The remote alarm grid: a remote alarm client that also shows the alarms it hears of in a
// table an operator works with. Columns: date and time ("FormatDateTime"), alarm id, state and
// comments, widths in form units from "ColWidths" ("date,id,state"; the comments take the rest).
// The newest alarm is on top. Text colours by state: "NewAlarmColor" (blinking with the blink
// format "BlinkFormat" against "TextColor"), "RecoveredAlarmColor", "AckedAlarmColor"; rows not
// acknowledged yet lie on "UnackedRowColor", selected rows on "SelectedColor". A click on a row
// selects it or lets it go; the wheel scrolls three rows a notch; the scroll bar at the right
// pages up or down. At most "MaxRows" rows are kept.
class CNPExternalAlarmGrid : public CNObjectClass<CNPExternalAlarmGrid, CNPExternalAlarmClient>,
                             private CNPTickListener {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteAlarmGrid";
  static constexpr std::array kAlarmGridEntries = {
      Prop(u"Alarm", u"NewAlarmColor", PT_COLOR, u"#FF0000"),
      Prop(u"Alarm", u"AckedAlarmColor", PT_COLOR, u"@DisabledTextColor"),
      Prop(u"Alarm", u"RecoveredAlarmColor", PT_COLOR, u"@TextColor"),
      Prop(u"Alarm", u"UnackedRowColor", PT_COLOR, u"@ButtonColor"),
      Prop(u"Alarm", u"BlinkFormat", PT_STRING, u"@MEDIUM"),
      Prop(u"Alarm", u"ColWidths", PT_STRING, u"150,140,100"),
      Prop(u"Alarm", u"MaxRows", PT_INTEGER, u"10000", u"1,1000000"),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      alarm_client_properties::kAlarmClientEntries, kAlarmGridEntries,
      control_properties::kFormatDateTimeEntries, grid_properties::kTableEntries);

  // Width of the scroll bar and rows scrolled by a wheel notch.
  static constexpr int32_t kScrollBarWidth = 16;
  static constexpr size_t kWheelRows = 3;

  using CNObjectClass::CNObjectClass;
  ~CNPExternalAlarmGrid() override;

  CNAlarmGridRows& GetRows() { return m_rows; }
  // The row shown at the top and how many rows fit.
  size_t GetTopRow() const { return m_top; }
  size_t GetVisibleRowCount() const;
  // Keeps the top row within the rows there are.
  void ScrollTo(size_t top);
  // Acknowledges the selected rows: one with "Ack", more with "AckPage"; the selection is let
  // go after a success. False with nothing selected.
  bool AckSelected();
  // The phase of the blinking of new alarms (the tick moves it).
  void SetBlinkOn(bool on);

  void ButtonDown(CNMouseButton button, const CNPoint& at) override;
  void MouseWheel(int16_t delta, const CNPoint& at) override;

 protected:
  void OnDraw(CNDrawContext& context) override;
  void OnStartRunning() override;
  void Deliver(const CNAlarmPush& push) override;
  void PropertyChanged(std::u16string_view name) override;

 private:
  struct Layout;
  Layout GetLayout() const;
  void OnTick(uint32_t code) override;

  CNAlarmGridRows m_rows;
  size_t m_top = 0;
  bool m_bBlinkOn = true;
  CNPProject* m_pProject = nullptr;  // tick listener of its runtime while one runs it
};
