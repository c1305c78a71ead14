#include "platform/sdl_credentials_prompt.h"

#include <SDL2/SDL.h>

#include <bitset>
#include <optional>
#include <vector>

#include "draw/painter.h"
#include "platform/credentials_form.h"
#include "platform/host_window.h"
#include "platform/key_map.h"
#include "support/message_loop.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

// How long one wait for events lasts: how soon a quitting loop is noticed.
constexpr int kEventWaitMs = 50;

// The window an input event is meant for; nullopt for events that are not input.
std::optional<uint32_t> InputWindowOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    case SDL_TEXTEDITING: return event.edit.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_MOUSEWHEEL: return event.wheel.windowID;
    default: return std::nullopt;
  }
}

void Paint(CRHostWindow& window, CRCredentialsForm& form) {
  CRSurface& buffer = window.GetBuffer();
  {
    CRPainter painter(buffer);
    form.Paint(painter, buffer.GetWidth(), buffer.GetHeight());
  }
  window.Present({0, 0, double(buffer.GetWidth()), double(buffer.GetHeight())});
}

// The prompt's window and its event loop.
class CCredentialsWindow {
 public:
  explicit CCredentialsWindow(CRCredentialsForm& form)
      : m_form(form),
        m_window(u"Log in", CRCredentialsForm::kDefaultWidth, CRCredentialsForm::kDefaultHeight, false) {}

  bool IsValid() const { return m_window.IsValid(); }

  // Runs until the form is answered, the window is closed, quitting is asked for or the loop
  // quits; true when the form was accepted. The events kept for the host are queued again.
  bool Run(const CRMessageLoop& loop) {
    m_window.Raise();
    SDL_SetWindowInputFocus(m_window.GetSdlWindow());
    const bool wasTyping = SDL_IsTextInputActive();
    SDL_StartTextInput();
    NoteHeldKeys();
    Paint(m_window, m_form);
    while (m_form.GetState() == CRCredentialsForm::State::kOpen && !m_bClosed && !loop.HasQuit()) {
      SDL_Event event;
      if (SDL_WaitEventTimeout(&event, kEventWaitMs)) Dispatch(event);
    }
    if (!wasTyping) SDL_StopTextInput();
    for (SDL_Event& event : m_kept) SDL_PushEvent(&event);
    return m_form.GetState() == CRCredentialsForm::State::kAccepted && !m_bClosed;
  }

 private:
  void Dispatch(const SDL_Event& event) {
    const uint32_t id = m_window.GetId();
    if (const std::optional<uint32_t> target = InputWindowOf(event)) {
      if (*target == id) HandleInput(event);  // the other windows wait for the answer
    } else if (event.type == SDL_WINDOWEVENT && event.window.windowID == id) {
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) m_bClosed = true;
      else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) Paint(m_window, m_form);
      else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) NoteHeldKeys();
    } else {
      if (event.type == SDL_QUIT) m_bClosed = true;
      m_kept.push_back(event);
    }
  }

  static bool IsKnown(SDL_Scancode key) { return key >= 0 && key < SDL_NUM_SCANCODES; }

  // A key that was down before the window had the keyboard (the Enter that answered the prompt
  // before, still held; SDL reports such keys pressed when the focus comes) does nothing until
  // it has been released.
  void NoteHeldKeys() {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int i = 0; i < count && i < SDL_NUM_SCANCODES; ++i)
      if (state[i]) m_held.set(i);
  }

  void HandleInput(const SDL_Event& event) {
    switch (event.type) {
      case SDL_KEYUP:
        if (IsKnown(event.key.keysym.scancode)) m_held.reset(event.key.keysym.scancode);
        return;
      case SDL_KEYDOWN:
        if (IsKnown(event.key.keysym.scancode) && m_held.test(event.key.keysym.scancode)) return;
        m_form.KeyDown(VirtualKeyFromSdl(event.key.keysym.sym), KeyFlagsFromSdl(event.key.keysym.mod));
        break;
      case SDL_TEXTINPUT: m_form.TypeText(event.text.text); break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_LEFT) return;
        m_form.Click(event.button.x, event.button.y);
        break;
      default: return;
    }
    Paint(m_window, m_form);
  }

  CRCredentialsForm& m_form;
  CRHostWindow m_window;
  std::vector<SDL_Event> m_kept;
  std::bitset<SDL_NUM_SCANCODES> m_held;
  bool m_bClosed = false;
};

}  // namespace

bool CRSdlCredentialsPrompt::Ask(std::string_view url, std::string& user, std::string& password) {
  if (m_loop.IsLoopThread()) return AskHere(url, user, password);
  bool accepted = false;
  return m_loop.Send([&] { accepted = AskHere(url, user, password); }) && accepted;
}

bool CRSdlCredentialsPrompt::AskHere(std::string_view url, std::string& user, std::string& password) {
  if (m_loop.HasQuit()) return false;
  CRCredentialsForm form(Utf8ToUtf16(url), Utf8ToUtf16(user), Utf8ToUtf16(password));
  CCredentialsWindow window(form);
  if (!window.IsValid()) {
    CRTrace::Printf("credentials prompt for %.*s: no window (%s)", static_cast<int>(url.size()), url.data(),
                    SDL_GetError());
    return false;
  }
  if (!window.Run(m_loop)) return false;
  user = Utf16ToUtf8(form.GetUser());
  password = Utf16ToUtf8(form.GetPassword());
  return true;
}
