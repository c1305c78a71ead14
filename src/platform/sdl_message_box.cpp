#include "platform/sdl_message_box.h"

#include <SDL2/SDL_messagebox.h>

#include <string>
#include <vector>

#include "support/utf16_text.h"

namespace {

struct Button {
  MessageBoxAnswer answer;
  const char* text;
};

std::vector<Button> ButtonsOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_OK: break;
  }
  return {{IDOK, "OK"}};
}

uint32_t FlagsOf(MessageBoxIcon icon) {
  switch (icon) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case MB_ICONQUESTION:
    case MB_ICONINFORMATION:
    case MB_ICONNONE: break;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

MessageBoxAnswer CRSdlMessageBox::Show(std::u16string_view text, std::u16string_view caption,
                                       MessageBoxButtons buttons, MessageBoxIcon icon) {
  const std::vector<Button> choices = ButtonsOf(buttons);
  std::vector<SDL_MessageBoxButtonData> data;
  for (size_t i = 0; i < choices.size(); ++i) {
    uint32_t flags = 0;
    if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (i + 1 == choices.size()) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back({flags, static_cast<int>(choices[i].answer), choices[i].text});
  }
  const std::string title = Utf16ToUtf8(caption);
  const std::string message = Utf16ToUtf8(text);
  const SDL_MessageBoxData box{FlagsOf(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                               m_pParent,
                               title.c_str(),
                               message.c_str(),
                               static_cast<int>(data.size()),
                               data.data(),
                               nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return m_fallback.Show(text, caption, buttons, icon);
  // Closing the box without a button is the last (escape) button.
  if (pressed < 0) return choices.back().answer;
  return static_cast<MessageBoxAnswer>(pressed);
}
