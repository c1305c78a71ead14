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
  ASSERT_EQ(box.GetRecords().size(), 2u);
  EXPECT_EQ(box.GetRecords()[1].answer, IDNO);
}

}  // namespace
