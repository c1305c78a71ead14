#include "script/program_cases.h"

TEST(ScriptPrograms, EveryProgramPrintsItsExpectedOutput) {
  EXPECT_GT(ExpectProgramsPrintTheirOutput(VELTRIX_PROGRAMS_DIR), 20u);
}
