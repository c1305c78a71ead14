#pragma once

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_rect.h>

#include <map>
#include <memory>
#include <string>

#include "headless_host.h"
#include "platform/host_window.h"
#include "platform/sdl_message_box.h"

class CNPProjectBrowser;
class CNPBasisDialog;
class CNPView;

// The container of a run with windows: the project's main window (its main view or frame set),
// a window for each open dialog, the operator's mouse, wheel, keyboard and text input handed
// to the view under the pointer or with the focus, repaints of only what changed, the window
// title, SDL message boxes, and the host commands on keys. Traces and panel events still go to
// stdout, as without a window.
class CWindowHost : public CHeadlessHost {
 public:
  CWindowHost(CRMessageLoop& loop, MessageBoxAnswer defaultAnswer);
  ~CWindowHost() override;

  // Creates the main window; false (with SDL's reason in error) when there is no display.
  bool Open(int width, int height, std::string& error);
  // Runs the user-interface loop for the browser until the project shuts down, the main window
  // closes, the loop is quit or the seconds (0: no limit) have passed.
  void Run(CNPProjectBrowser& browser, double seconds);

  CRMessageBox& GetMessageBox() { return m_messageBox; }

  void SetTitle(std::u16string_view title) override;
  void CloseHostWindow() override { m_bQuit = true; }

 private:
  // One window and the views it shows, with their places in it.
  struct Window;
  struct Target {
    Window* window = nullptr;
    CNPView* view = nullptr;
    CRRectF rect;
  };

  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleMouseMotion(const SDL_MouseMotionEvent& event);
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  void HandleMouseWheel(const SDL_MouseWheelEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event);
  void HandleText(const SDL_Event& event);
  bool RunHostCommand(std::u16string_view command);
  void SaveScreenshot(bool jpeg);

  // The window of an SDL window id, null for one that is gone.
  Window* FindWindow(uint32_t id);
  // The view of the window at the point (window pixels); the captured one while a button is held.
  Target FindTarget(Window& window, int x, int y);
  void MoveMouseTo(const Target& target, int x, int y);
  void LeaveHovered();
  // Windows for newly opened dialogs; closed dialogs' windows go.
  void SyncDialogWindows();
  static bool IsShownBy(const Window& window, const CNPView* view);
  // Lets go of the focus, hover and capture of views no window shows any more (a closed
  // dialog's, a frame set's built anew): they may be gone.
  void ForgetGoneViews();
  // Tells the input method where the operator types, when that has moved.
  void PlaceTextInput();
  void Layout(Window& window);
  void Paint(Window& window);

  CRMessageLoop& m_loop;
  CRSdlMessageBox m_messageBox;
  CNPProjectBrowser* m_pBrowser = nullptr;
  std::unique_ptr<Window> m_main;
  std::map<CNPBasisDialog*, std::unique_ptr<Window>> m_dialogs;
  Target m_hovered;          // the view under the pointer
  Target m_captured;         // the view a held button was pressed on
  CNPView* m_pFocusView = nullptr;  // the view keys and text go to
  SDL_Rect m_textInputRect{};  // last told to the input method
  uint32_t m_ulButtonsHeld = 0;
  bool m_bQuit = false;
  bool m_bSdlStarted = false;
};
