// The alarm grid's own script methods: the operator's selection and the rows.
#include <array>

#include "alarms/alarm_client_methods.h"
#include "alarms/remote_alarm_grid.h"

namespace {

CNPExternalAlarmGrid* Target(const CMethodCall& call) {
  return call.Count() == 0 ? dynamic_cast<CNPExternalAlarmGrid*>(&call.target) : nullptr;
}

// "AckSelected"(): acknowledges the selected rows; F with none selected or when refused.
bool AckSelected(CMethodCall& call) {
  CNPExternalAlarmGrid* grid = Target(call);
  if (!grid) return false;
  call.result.SetBool(grid->AckSelected());
  return true;
}

// "GetSelectedAlarmIds"(): the ids of the selected rows from the top, a list of texts (the
// empty value with none selected).
bool GetSelectedAlarmIds(CMethodCall& call) {
  CNPExternalAlarmGrid* grid = Target(call);
  if (!grid) return false;
  const std::vector<std::u16string> ids = grid->GetRows().GetSelectedIds();
  call.result.Clear();
  const uint32_t count = static_cast<uint32_t>(ids.size());
  if (count == 0 || !call.result.SetDimensions(1, &count)) return true;
  for (uint32_t i = 0; i < count; ++i) call.result.SetStringAt(i, ids[i]);
  call.result.SetQuality(VQ_GOOD);
  return true;
}

bool ClearSelection(CMethodCall& call) {
  CNPExternalAlarmGrid* grid = Target(call);
  if (!grid) return false;
  grid->GetRows().ClearSelection();
  grid->RequestRedraw();
  call.result.SetBool(true);
  return true;
}

bool GetRowCount(CMethodCall& call) {
  CNPExternalAlarmGrid* grid = Target(call);
  if (!grid) return false;
  call.result.SetNumber(static_cast<double>(grid->GetRows().GetCount()));
  return true;
}

bool ClearRows(CMethodCall& call) {
  CNPExternalAlarmGrid* grid = Target(call);
  if (!grid) return false;
  grid->GetRows().Clear();
  grid->ScrollTo(0);
  grid->RequestRedraw();
  call.result.SetBool(true);
  return true;
}

constexpr std::array kAlarmGridMethods = {
    MethodEntry{u"AckSelected", "Acknowledges the selected rows", &AckSelected},
    MethodEntry{u"GetSelectedAlarmIds", "The ids of the selected rows, from the top", &GetSelectedAlarmIds},
    MethodEntry{u"ClearSelection", "Unselects every row", &ClearSelection},
    MethodEntry{u"GetRowCount", "The number of rows shown", &GetRowCount},
    MethodEntry{u"ClearRows", "Removes every row from the grid", &ClearRows},
};

}  // namespace

std::span<const MethodEntry> AlarmGridMethodEntries() {
  return kAlarmGridMethods;
}
