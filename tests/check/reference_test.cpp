// The reference documents are generated from the tables: the committed ones must be what the
// program generates now. After a change of the tables, regenerate them with
//   veltrix-check --reference classes > docs/reference/classes.md
//   veltrix-check --reference functions > docs/reference/functions.md
#include <gtest/gtest.h>

#include <string>

#include "check/check_run.h"

TEST(Reference, CommittedDocumentsAreWhatTheTablesGenerate) {
  for (const std::string kind : {"classes", "functions"}) {
    const CheckOutcome outcome = RunCheck("--reference " + kind);
    EXPECT_EQ(outcome.exitCode, 0);
    const std::string committed = ReadText(std::string(VELTRIX_REFERENCE_DIR) + "/" + kind + ".md");
    EXPECT_FALSE(committed.empty()) << kind;
    EXPECT_TRUE(outcome.out == committed) << "docs/reference/" << kind << ".md is out of date";
  }
  // Known entries, so that an empty generator cannot pass.
  const std::string classes = RunCheck("--reference classes").out;
  EXPECT_NE(classes.find("## RectangleMeter\n"), std::string::npos);
  EXPECT_NE(classes.find("| TextType | enumeration | TEXT | TEXT,NUMBER,PASSWORD |\n"), std::string::npos);
  const std::string functions = RunCheck("--reference functions").out;
  EXPECT_NE(functions.find("| OpenForm | 1 to 5 |  | Opens a form in a view |\n"), std::string::npos);
  EXPECT_EQ(functions.find(" |  |\n"), std::string::npos) << "a function without a description";
  EXPECT_EQ(RunCheck("--reference everything").exitCode, 2);
}
