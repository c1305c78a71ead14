// The operations table of the switch record, row by row.

#include <gtest/gtest.h>

#include "controls/switch_record.h"

namespace {

constexpr auto kPress = CNSwitchOperation::Press;
constexpr auto kRelease = CNSwitchOperation::Release;
constexpr auto kLeave = CNSwitchOperation::Leave;
constexpr int kNone = -1;

struct Row {
  int32_t type;
  CNSwitchOperation operation;
  bool value;
  bool done;
  int assigned;  // kNone, 0 or 1
  bool doneAfter;
  bool pressed = false;  // a press is in progress
};

// Each row: the type, the operation, the record's value and done flag before it, what the
// operation assigns and the done flag after it.
constexpr Row kRows[] = {
    // The A_SWITCH's press, release and leave while held, the ALTERNATE_SWITCH and an ON_SWITCH
    // already on are run through a rectangle in the switch operation tests. A_SWITCH: passing
    // over a switch that something else turned on changes nothing.
    {SWITCH_A, kLeave, true, true, kNone, true},
    {SWITCH_A, kLeave, false, false, kNone, false, true},
    // B_SWITCH: on until pressed; leaving while held gives the value back.
    {SWITCH_B, kPress, true, false, 0, true},
    {SWITCH_B, kRelease, false, true, 1, true},
    {SWITCH_B, kLeave, false, true, 1, true, true},
    {SWITCH_B, kLeave, false, true, kNone, true},
    {SWITCH_B, kLeave, true, false, kNone, false, true},
    // ON_SWITCH: acts at the release unless the press was cancelled.
    {SWITCH_ON, kPress, true, true, kNone, false},
    {SWITCH_ON, kRelease, false, false, 1, true},
    {SWITCH_ON, kRelease, false, true, kNone, true},
    {SWITCH_ON, kLeave, false, false, kNone, true},
    // OFF_SWITCH.
    {SWITCH_OFF, kRelease, true, false, 0, true},
    {SWITCH_OFF, kRelease, true, true, kNone, true},
    {SWITCH_OFF, kLeave, true, false, kNone, true},
    // Select: turns on and stays on; a switch that is on ignores everything.
    {SWITCH_SELECT, kPress, false, true, kNone, false},
    {SWITCH_SELECT, kPress, true, true, kNone, true},
    {SWITCH_SELECT, kRelease, false, false, 1, true},
    {SWITCH_SELECT, kRelease, true, false, kNone, false},
    {SWITCH_SELECT, kRelease, false, true, kNone, true},
    {SWITCH_SELECT, kLeave, false, false, kNone, true},
    {SWITCH_SELECT, kLeave, true, false, kNone, false},
    // No such type: nothing.
    {6, kPress, false, false, kNone, false},
    {-1, kRelease, true, false, kNone, false},
};

}  // namespace

TEST(SwitchRecord, OperationsTable) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << "type " << row.type << " operation " << static_cast<int>(row.operation)
                                    << " value " << row.value << " done " << row.done);
    CNSwitchRecord record;
    record.value = row.value;
    record.done = row.done;
    record.held = row.pressed;
    const std::optional<bool> assigned = record.Operate(row.type, row.operation);
    EXPECT_EQ(assigned ? int{*assigned} : kNone, row.assigned);
    EXPECT_EQ(record.done, row.doneAfter);
    EXPECT_EQ(record.value, row.value);  // assigning is the object's business
  }
}
