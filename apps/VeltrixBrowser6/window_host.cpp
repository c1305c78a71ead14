#include "window_host.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <utility>
#include <vector>

#include "browser/project_browser.h"
#include "browser/screen_image.h"
#include "draw/painter.h"
#include "platform/key_map.h"
#include "screen/pobject.h"
#include "support/utf16_text.h"
#include "views/basis_dialog.h"
#include "views/view.h"

namespace {

// A single wait for events; the runtime's queue is served at least this often.
constexpr int kEventWaitMs = 10;

CNMouseButton ButtonOf(uint8_t sdlButton) {
  if (sdlButton == SDL_BUTTON_RIGHT) return MOUSE_RIGHT;
  if (sdlButton == SDL_BUTTON_MIDDLE) return MOUSE_MIDDLE;
  return MOUSE_LEFT;
}

CNPoint InView(const CRRectF& rect, int x, int y) {
  return {x - static_cast<int32_t>(rect.x), y - static_cast<int32_t>(rect.y)};
}

// The video drivers that put a window before somebody, in the order tried, each with the
// variable that names its display. SDL's own fallbacks would "succeed" with windows nobody sees.
const struct DisplayDriver {
  const char* driver;
  const char* variable;
} kDisplayDrivers[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};

// Starts SDL's video on a display the environment names, or on the driver SDL_VIDEODRIVER
// asks for; false with what was tried in error.
bool StartVideo(std::string& error) {
  constexpr uint32_t kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;
  if (const char* asked = std::getenv("SDL_VIDEODRIVER"); asked && *asked) {
    if (SDL_Init(kSubsystems) == 0) return true;
    error = std::string("SDL_VIDEODRIVER=") + asked + ": " + SDL_GetError();
    return false;
  }
  for (const DisplayDriver& display : kDisplayDrivers) {
    const char* name = std::getenv(display.variable);
    if (!name || !*name) continue;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, display.driver);
    if (SDL_Init(kSubsystems) == 0) return true;
    if (!error.empty()) error += "; ";
    error += std::string(display.variable) + "=" + name + ": " + SDL_GetError();
  }
  if (error.empty()) error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
  return false;
}

}  // namespace

struct CWindowHost::Window {
  Window(std::u16string_view title, int width, int height, bool resizable, CNPBasisDialog* forDialog)
      : host(title, width, height, resizable), dialog(forDialog) {}
  CRHostWindow host;
  CNPBasisDialog* dialog;  // null for the main window
  std::vector<CNShownView> views;
  bool presentDue = false;  // the screen lost what the back buffer still holds
};

CWindowHost::CWindowHost(CRMessageLoop& loop, MessageBoxAnswer defaultAnswer)
    : CHeadlessHost(loop, defaultAnswer), m_loop(loop) {}

CWindowHost::~CWindowHost() {
  m_dialogs.clear();
  m_main.reset();
  if (m_bSdlStarted) SDL_Quit();
}

bool CWindowHost::Open(int width, int height, std::string& error) {
  // Views paint into memory and the window shows it: no graphics driver is needed.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (!StartVideo(error)) return false;
  m_bSdlStarted = true;
  m_main = std::make_unique<Window>(u"VeltrixBrowser6", width, height, true, nullptr);
  if (!m_main->host.IsValid()) {
    error = SDL_GetError();
    m_main.reset();
    return false;
  }
  m_messageBox.SetParent(m_main->host.GetSdlWindow());
  SDL_StartTextInput();
  return true;
}

void CWindowHost::SetTitle(std::u16string_view title) {
  if (m_main) m_main->host.SetTitle(title);
}

void CWindowHost::Run(CNPProjectBrowser& browser, double seconds) {
  m_pBrowser = &browser;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!m_bQuit && !m_loop.HasQuit()) {
    if (seconds > 0 && std::chrono::steady_clock::now() >= end) break;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kEventWaitMs)) {
      do {
        HandleEvent(event);
      } while (!m_bQuit && SDL_PollEvent(&event));
    }
    m_loop.RunPending();
    SyncDialogWindows();
    if (m_main) Paint(*m_main);
    for (auto& [dialog, window] : m_dialogs) Paint(*window);
    ForgetGoneViews();
    PlaceTextInput();
  }
  LeaveHovered();
  m_pBrowser = nullptr;
}

// ---- events

void CWindowHost::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: m_bQuit = true; break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_MOUSEMOTION: HandleMouseMotion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: HandleMouseButton(event.button); break;
    case SDL_MOUSEWHEEL: HandleMouseWheel(event.wheel); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key); break;
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING: HandleText(event); break;
    default: break;
  }
}

void CWindowHost::HandleWindowEvent(const SDL_WindowEvent& event) {
  Window* window = FindWindow(event.windowID);
  if (!window) return;
  switch (event.event) {
    // A new size remakes the back buffer, which lays the window out again.
    case SDL_WINDOWEVENT_EXPOSED: window->presentDue = true; break;
    case SDL_WINDOWEVENT_LEAVE:
      if (m_hovered.window == window && !m_ulButtonsHeld) LeaveHovered();
      break;
    case SDL_WINDOWEVENT_CLOSE:
      if (window == m_main.get()) {
        m_bQuit = true;
      } else if (window->dialog) {
        window->dialog->Close();  // its form may keep it open
      }
      break;
    default: break;
  }
}

void CWindowHost::HandleMouseMotion(const SDL_MouseMotionEvent& event) {
  Window* window = FindWindow(event.windowID);
  if (!window) return;
  MoveMouseTo(FindTarget(*window, event.x, event.y), event.x, event.y);
}

void CWindowHost::HandleMouseButton(const SDL_MouseButtonEvent& event) {
  Window* window = FindWindow(event.windowID);
  if (!window) return;
  const Target target = FindTarget(*window, event.x, event.y);
  MoveMouseTo(target, event.x, event.y);
  if (!target.view) return;
  const CNMouseButton button = ButtonOf(event.button);
  const uint32_t bit = 1u << event.button;
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    if (!m_ulButtonsHeld) m_captured = target;
    m_ulButtonsHeld |= bit;
    m_pFocusView = target.view;
    if (event.clicks == 2) target.view->MouseDoubleClick(button, InView(target.rect, event.x, event.y));
    else target.view->MouseButton(button, true, InView(target.rect, event.x, event.y));
    return;
  }
  m_ulButtonsHeld &= ~bit;
  target.view->MouseButton(button, false, InView(target.rect, event.x, event.y));
  if (!m_ulButtonsHeld) {
    m_captured = {};
    // Released outside the view it was pressed on: the pointer is over another one now.
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    MoveMouseTo(FindTarget(*window, x, y), x, y);
  }
}

void CWindowHost::HandleMouseWheel(const SDL_MouseWheelEvent& event) {
  if (!m_hovered.view) return;
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  // One notch is 120, as wheel deltas are counted.
  const int delta = std::clamp(event.y * 120, -32768, 32767);
  m_hovered.view->MouseWheel(static_cast<int16_t>(delta), InView(m_hovered.rect, x, y));
}

void CWindowHost::HandleKey(const SDL_KeyboardEvent& event) {
  if (event.type == SDL_KEYDOWN && !event.repeat) {
    const std::u16string_view command = HostCommandForKey(event.keysym.sym, event.keysym.mod);
    if (!command.empty()) {
      RunHostCommand(command);
      return;
    }
  }
  const uint32_t key = VirtualKeyFromSdl(event.keysym.sym);
  if (!key || !m_pFocusView) return;
  m_pFocusView->Key(key, event.type == SDL_KEYDOWN, KeyFlagsFromSdl(event.keysym.mod));
}

void CWindowHost::HandleText(const SDL_Event& event) {
  if (!m_pFocusView) return;
  if (event.type == SDL_TEXTINPUT) {
    m_pFocusView->TextInput(Utf8ToUtf16(event.text.text));
  } else {
    m_pFocusView->TextEditing(Utf8ToUtf16(event.edit.text), event.edit.start);
  }
}

bool CWindowHost::RunHostCommand(std::u16string_view command) {
  if (command == u"full_screen") {
    if (m_main) m_main->host.ToggleFullScreen();
    return true;
  }
  if (command == u"screenshot_bmp" || command == u"screenshot_jpeg") {
    SaveScreenshot(command == u"screenshot_jpeg");
    return true;
  }
  return m_pBrowser && m_pBrowser->RunHostCommand(command);
}

void CWindowHost::SaveScreenshot(bool jpeg) {
  if (!m_main) return;
  const char* folder = std::getenv("VELTRIX_SCREENSHOT_DIR");
  const std::time_t now = std::time(nullptr);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  const std::filesystem::path path = std::filesystem::path(folder && *folder ? folder : ".") /
                                     (std::string("screenshot-") + stamp + (jpeg ? ".jpg" : ".bmp"));
  const bool saved = jpeg ? m_main->host.SaveJpeg(path.string()) : m_main->host.SaveBmp(path.string());
  std::printf("[screenshot] %s%s\n", path.string().c_str(), saved ? "" : " (failed)");
  std::fflush(stdout);
}

// ---- views under the pointer

CWindowHost::Window* CWindowHost::FindWindow(uint32_t id) {
  if (m_main && m_main->host.GetId() == id) return m_main.get();
  for (auto& [dialog, window] : m_dialogs)
    if (window->host.GetId() == id) return window.get();
  return nullptr;
}

CWindowHost::Target CWindowHost::FindTarget(Window& window, int x, int y) {
  if (m_ulButtonsHeld && m_captured.view) return m_captured;
  for (const CNShownView& shown : window.views)
    if (shown.view && shown.rect.Contains(x, y)) return {&window, shown.view, shown.rect};
  return {};
}

void CWindowHost::MoveMouseTo(const Target& target, int x, int y) {
  if (target.view != m_hovered.view) LeaveHovered();
  m_hovered = target;
  if (target.view) target.view->MouseMove(InView(target.rect, x, y));
}

void CWindowHost::LeaveHovered() {
  if (m_hovered.view) m_hovered.view->MouseLeave();
  m_hovered = {};
}

// ---- dialogs

void CWindowHost::SyncDialogWindows() {
  if (!m_pBrowser) return;
  const std::vector<CNPBasisDialog*> open = m_pBrowser->GetOpenDialogs();
  for (auto it = m_dialogs.begin(); it != m_dialogs.end();) {
    if (std::find(open.begin(), open.end(), it->first) != open.end()) {
      ++it;
      continue;
    }
    // The closed dialog may be gone already: its views are forgotten without being touched.
    if (m_hovered.window == it->second.get()) m_hovered = {};
    if (m_captured.window == it->second.get()) m_captured = {}, m_ulButtonsHeld = 0;
    if (IsShownBy(*it->second, m_pFocusView)) m_pFocusView = nullptr;
    it = m_dialogs.erase(it);
  }
  for (CNPBasisDialog* dialog : open) {
    if (m_dialogs.contains(dialog)) continue;
    const CNRect& rect = dialog->GetRect();
    auto window = std::make_unique<Window>(dialog->GetTitle(), rect.Width(), rect.Height(), false, dialog);
    if (!window->host.IsValid()) continue;
    m_pFocusView = &dialog->GetView();
    m_dialogs.emplace(dialog, std::move(window));
  }
}

bool CWindowHost::IsShownBy(const Window& window, const CNPView* view) {
  return std::any_of(window.views.begin(), window.views.end(),
                     [view](const CNShownView& shown) { return shown.view == view; });
}

void CWindowHost::ForgetGoneViews() {
  auto isShown = [this](const CNPView* view) {
    if (m_main && IsShownBy(*m_main, view)) return true;
    return std::any_of(m_dialogs.begin(), m_dialogs.end(),
                       [view](const auto& entry) { return IsShownBy(*entry.second, view); });
  };
  if (m_pFocusView && !isShown(m_pFocusView)) m_pFocusView = nullptr;
  if (m_hovered.view && !isShown(m_hovered.view)) m_hovered = {};
  if (m_captured.view && !isShown(m_captured.view)) m_captured = {}, m_ulButtonsHeld = 0;
}

void CWindowHost::PlaceTextInput() {
  CRRectF area;
  if (!m_pFocusView || !m_pFocusView->GetTextInputArea(area)) return;
  const auto place = [&](const Window& window) {
    for (const CNShownView& shown : window.views) {
      if (shown.view != m_pFocusView) continue;
      const SDL_Rect rect{static_cast<int>(shown.rect.x + area.x), static_cast<int>(shown.rect.y + area.y),
                          static_cast<int>(area.width), static_cast<int>(area.height)};
      if (!SDL_RectEquals(&rect, &m_textInputRect)) {
        m_textInputRect = rect;
        SDL_SetTextInputRect(&m_textInputRect);
      }
      return true;
    }
    return false;
  };
  if (m_main && place(*m_main)) return;
  for (const auto& [dialog, window] : m_dialogs)
    if (place(*window)) return;
}

// ---- painting

void CWindowHost::Layout(Window& window) {
  const CNSize size{window.host.GetWidth(), window.host.GetHeight()};
  if (window.dialog) {
    window.dialog->GetView().SetViewSize(size);
    window.views = {CNShownView{&window.dialog->GetView(), CRRectF{0, 0, double(size.width), double(size.height)}}};
  } else if (m_pBrowser) {
    m_pBrowser->SetHostSize(size);
    window.views = m_pBrowser->GetShownViews();
    if (!m_pFocusView && !window.views.empty()) m_pFocusView = window.views.front().view;
  }
}

void CWindowHost::Paint(Window& window) {
  CRSurface& buffer = window.host.GetBuffer();
  const bool whole = window.host.BufferWasRemade();
  if (whole) {
    Layout(window);
  } else if (!window.dialog && m_pBrowser) {
    window.views = m_pBrowser->GetShownViews();  // a frame set may have been opened or resized
  }
  CRPainter painter(buffer);
  if (whole) {
    PaintScreenBackground(painter, {buffer.GetWidth(), buffer.GetHeight()});
    if (!window.dialog && m_pBrowser) m_pBrowser->PaintFrameSpacing(painter);
  }
  for (const CNShownView& shown : window.views) {
    CRRectF area;
    const bool dirty = shown.view->TakeDirtyArea(area);
    if (whole) area = {0, 0, shown.rect.width, shown.rect.height};
    else if (!dirty) continue;
    PaintShownView(painter, *shown.view, shown.rect, area, m_pBrowser ? m_pBrowser->GetImageSource() : nullptr);
    if (!whole) window.host.Present({area.x + shown.rect.x, area.y + shown.rect.y, area.width, area.height});
  }
  if (std::exchange(window.presentDue, false) || whole)
    window.host.Present({0, 0, double(buffer.GetWidth()), double(buffer.GetHeight())});
}
