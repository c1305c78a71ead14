#include "script/program_cases.h"

TEST(MethodPrograms, EveryProgramPrintsItsExpectedOutput) {
  EXPECT_GT(ExpectProgramsPrintTheirOutput(VELTRIX_PROGRAMS_DIR), 10u);
}
