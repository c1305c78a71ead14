#include "support/message_box.h"

#include <gtest/gtest.h>

namespace {

// Scripts and files pass buttons, icons and answers as these numbers.
static_assert(IDOK == 1 && IDCANCEL == 2 && IDYES == 6 && IDNO == 7);
static_assert(MB_OK == 0 && MB_OKCANCEL == 1 && MB_YESNOCANCEL == 3 && MB_YESNO == 4);

TEST(MessageBox, RecordingBoxAnswersWithTheDefaultMappedOntoTheButtonsShown) {
  struct Case {
    MessageBoxAnswer preferred;
    MessageBoxAnswer ok, okCancel, yesNo, yesNoCancel;
  };
  const Case cases[] = {
      {IDOK, IDOK, IDOK, IDYES, IDYES},
      {IDYES, IDOK, IDOK, IDYES, IDYES},
      {IDNO, IDOK, IDCANCEL, IDNO, IDNO},
      {IDCANCEL, IDOK, IDCANCEL, IDNO, IDCANCEL},
  };
  for (const Case& c : cases) {
    CRRecordingMessageBox box;
    box.SetDefaultAnswer(c.preferred);
    EXPECT_EQ(box.Show(u"t", u"c", MB_OK, MB_ICONNONE), c.ok) << c.preferred;
    EXPECT_EQ(box.Show(u"t", u"c", MB_OKCANCEL, MB_ICONNONE), c.okCancel) << c.preferred;
    EXPECT_EQ(box.Show(u"t", u"c", MB_YESNO, MB_ICONNONE), c.yesNo) << c.preferred;
    EXPECT_EQ(box.Show(u"t", u"c", MB_YESNOCANCEL, MB_ICONNONE), c.yesNoCancel) << c.preferred;
    // Button sets it does not know are answered as OK.
    EXPECT_EQ(box.Show(u"t", u"c", MessageBoxButtons(2), MB_ICONNONE), IDOK) << c.preferred;
  }
  EXPECT_EQ(CRRecordingMessageBox().GetDefaultAnswer(), IDOK);
}

TEST(MessageBox, RecordingBoxKeepsEveryBoxAndPrintsItToStandardError) {
  CRRecordingMessageBox box;
  box.SetDefaultAnswer(IDNO);
  testing::internal::CaptureStderr();
  box.Show(u"Can't find default form.", u"Panel", MB_OK, MB_ICONERROR);
  box.Show(u"Do you open this file?\n\u00C4nderung", u"Revision", MB_YESNO, MB_ICONQUESTION);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("Panel: Can't find default form. [OK, ERROR] -> OK\n"), std::string::npos)
      << printed;
  EXPECT_NE(printed.find("Revision: Do you open this file?\n\xC3\x84nderung [YESNO, QUESTION] -> NO\n"),
            std::string::npos)
      << printed;
  const auto records = box.GetRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].text, u"Do you open this file?\n\u00C4nderung");
  EXPECT_EQ(records[1].caption, u"Revision");
  EXPECT_EQ(records[1].buttons, MB_YESNO);
  EXPECT_EQ(records[1].icon, MB_ICONQUESTION);
  EXPECT_EQ(records[1].answer, IDNO);
  box.ClearRecords();
  EXPECT_TRUE(box.GetRecords().empty());
}

TEST(MessageBox, CurrentBoxCanBeReplacedAndRestored) {
  CRMessageBox& builtIn = CRMessageBox::GetCurrent();
  CRRecordingMessageBox mine;
  mine.SetDefaultAnswer(IDCANCEL);
  CRMessageBox* previous = CRMessageBox::SetCurrent(&mine);
  EXPECT_EQ(previous, &builtIn);
  testing::internal::CaptureStderr();
  EXPECT_EQ(CRMessageBox::GetCurrent().Show(u"Save?", u"", MB_YESNOCANCEL, MB_ICONQUESTION), IDCANCEL);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(mine.GetRecords().size(), 1u);
  EXPECT_EQ(CRMessageBox::SetCurrent(nullptr), &mine);
  EXPECT_EQ(&CRMessageBox::GetCurrent(), &builtIn);
}

}  // namespace
