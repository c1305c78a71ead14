// The credentials form: typing, masking, focus, limits, answers by key and by mouse, and how it
// looks.

#include "platform/credentials_form.h"

#include <gtest/gtest.h>

#include <string>

#include "draw/painter.h"
#include "drawing/golden_image.h"
#include "editing/in_place_edit_keys.h"

namespace {

using Field = CRCredentialsForm::Field;
using State = CRCredentialsForm::State;

constexpr char kKeyUtf8[] = "\xF0\x9F\x94\x91";  // U+1F511, a surrogate pair in UTF-16
constexpr std::u16string_view kKeyUtf16 = u"\U0001F511";

// Points inside the parts of the form at its default size, 360 x 170.
constexpr double kUserX = 200, kUserY = 64;
constexpr double kPasswordX = 200, kPasswordY = 96;
constexpr double kOkX = 218, kOkY = 145;
constexpr double kCancelX = 308, kCancelY = 145;

CRCredentialsForm EmptyForm() {
  return CRCredentialsForm(u"http://192.0.2.10/panel/plant.xml", u"", u"");
}

void Press(CRCredentialsForm& form, uint32_t key, uint32_t flags = 0) {
  form.KeyDown(key, flags);
}

}  // namespace

TEST(CredentialsForm, TypingFillsTheFocusedFieldAndThePasswordShowsOneMaskPerCharacter) {
  CRCredentialsForm form = EmptyForm();
  EXPECT_EQ(form.GetFocus(), Field::kUser);
  form.TypeText("op\xC3\xA9r\tat\r\neur\x7F\xFF");  // control characters dropped, a bad byte replaced
  Press(form, kKeyTab);
  form.TypeText(std::string("pa") + kKeyUtf8 + "x");
  EXPECT_EQ(form.GetUser(), u"op\u00E9rateur\uFFFD");
  EXPECT_EQ(form.GetPassword(), std::u16string(u"pa") + std::u16string(kKeyUtf16) + u"x");
  EXPECT_EQ(form.GetShownPassword(), u"****");

  // Backspace takes the last character, then the whole pair.
  Press(form, kKeyBack);
  EXPECT_EQ(form.GetShownPassword(), u"***");
  Press(form, kKeyBack);
  EXPECT_EQ(form.GetPassword(), u"pa");
  EXPECT_EQ(form.GetShownPassword(), u"**");

  // Editing keys work where the caret is.
  Press(form, kKeyHome);
  form.TypeText("<");
  EXPECT_EQ(form.GetPassword(), u"<pa");
  EXPECT_EQ(form.GetUser(), u"op\u00E9rateur\uFFFD");  // untouched by the other field's typing
}

TEST(CredentialsForm, TabAndShiftTabMoveTheFocusAndAClickOnAFieldTakesIt) {
  CRCredentialsForm form = EmptyForm();
  std::string focus;  // u: the user, p: the password
  const auto note = [&] { focus += form.GetFocus() == Field::kUser ? 'u' : 'p'; };
  for (uint32_t flags : {0u, 0u, kKeyFlagShift, kKeyFlagShift}) {
    Press(form, kKeyTab, flags);
    note();
  }
  // The password field, the user field, the form's empty corner.
  for (auto [x, y] : {std::pair{kPasswordX, kPasswordY}, {kUserX, kUserY}, {30.0, 140.0}}) {
    form.Click(x, y);
    note();
  }
  EXPECT_EQ(focus, "pupupuu");
  EXPECT_EQ(form.GetState(), State::kOpen);
}

TEST(CredentialsForm, AFieldHoldsAtMost256CharactersAndNeverHalfAPair) {
  CRCredentialsForm form = EmptyForm();
  form.TypeText(std::string(300, 'u'));
  EXPECT_EQ(form.GetUser(), std::u16string(256, u'u'));
  form.TypeText("v");
  EXPECT_EQ(form.GetUser().size(), 256u);

  // Characters, not code units, are counted: the 256th may be a pair; the 257th is dropped.
  Press(form, kKeyTab);
  form.TypeText(std::string(255, 'p') + kKeyUtf8 + kKeyUtf8);
  EXPECT_EQ(form.GetPassword(), std::u16string(255, u'p') + std::u16string(kKeyUtf16));
  EXPECT_EQ(form.GetShownPassword().size(), 256u);

  // Room made by Backspace is room again; a selection typed over counts as gone.
  Press(form, kKeyBack);
  form.TypeText("qr");
  EXPECT_EQ(form.GetPassword(), std::u16string(255, u'p') + u"q");
  Press(form, kKeyA, kKeyFlagControl);
  form.TypeText(std::string(256, 's'));
  EXPECT_EQ(form.GetPassword(), std::u16string(256, u's'));
}

TEST(CredentialsForm, GivenTextsStartTheFieldsWithTheFocusOnASelectedPassword) {
  CRCredentialsForm form(u"http://host/", std::u16string(300, u'u'), u"old\tpw");
  EXPECT_EQ(form.GetUser().size(), 256u);
  EXPECT_EQ(form.GetPassword(), u"oldpw");
  EXPECT_EQ(form.GetFocus(), Field::kPassword);
  form.TypeText("new");
  EXPECT_EQ(form.GetPassword(), u"new");

  CRCredentialsForm withoutUser(u"http://host/", u"", u"pw");
  EXPECT_EQ(withoutUser.GetFocus(), Field::kUser);
}

TEST(CredentialsForm, EnterAndOkAcceptEscapeAndCancelCancelAndAnAnswerEndsInput) {
  struct Case {
    const char* name;
    void (*answer)(CRCredentialsForm&);
    State state;
  };
  const Case cases[] = {
      {"Enter", [](CRCredentialsForm& form) { Press(form, kKeyReturn); }, State::kAccepted},
      {"Escape", [](CRCredentialsForm& form) { Press(form, kKeyEscape); }, State::kCancelled},
      {"OK", [](CRCredentialsForm& form) { form.Click(kOkX, kOkY); }, State::kAccepted},
      {"Cancel", [](CRCredentialsForm& form) { form.Click(kCancelX, kCancelY); }, State::kCancelled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CRCredentialsForm form = EmptyForm();
    form.TypeText("me");
    c.answer(form);
    EXPECT_EQ(form.GetState(), c.state);
    form.TypeText("x");
    Press(form, kKeyBack);
    Press(form, kKeyTab);
    form.Click(kOkX, kOkY);
    EXPECT_EQ(form.GetUser(), u"me");
    EXPECT_EQ(form.GetFocus(), Field::kUser);
    EXPECT_EQ(form.GetState(), c.state);
  }
}

TEST(CredentialsForm, ClicksFindTheButtonsWhereTheLastPaintPutThem) {
  CRCredentialsForm form = EmptyForm();
  CRSurface surface(480, 220);
  CRPainter painter(surface);
  form.Paint(painter, 480, 220);
  form.Click(kCancelX, kCancelY);  // the button has moved to the new corner
  EXPECT_EQ(form.GetState(), State::kOpen);
  form.Click(430, 195);
  EXPECT_EQ(form.GetState(), State::kCancelled);
}

TEST(CredentialsForm, TheCaretStaysInSightWhenTheTextIsWiderThanTheField) {
  CRCredentialsForm form = EmptyForm();
  form.TypeText(std::string(120, ' '));  // blanks: the only dark pixels are the caret's
  CRSurface surface(CRCredentialsForm::kDefaultWidth, CRCredentialsForm::kDefaultHeight);
  {
    CRPainter painter(surface);
    form.Paint(painter, surface.GetWidth(), surface.GetHeight());
  }
  bool caretSeen = false;
  for (int x = kUserX; x < 346; ++x) caretSeen |= surface.GetPixel(x, int(kUserY)).red < 64;
  EXPECT_TRUE(caretSeen);
}

TEST(CredentialsForm, LooksLikeItsGoldenImage) {
  CRCredentialsForm form(u"http://192.0.2.10/panel/plant.xml", u"operator", u"");
  form.TypeText(std::string("se") + kKeyUtf8 + "t");
  CRSurface surface(CRCredentialsForm::kDefaultWidth, CRCredentialsForm::kDefaultHeight);
  {
    CRPainter painter(surface);
    form.Paint(painter, surface.GetWidth(), surface.GetHeight());
  }
  EXPECT_TRUE(MatchesGoldenImage(surface, "credentials_form", 8, 40));
}
