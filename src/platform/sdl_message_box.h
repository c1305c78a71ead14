#pragma once

#include <SDL2/SDL_video.h>

#include "support/message_box.h"

// Message boxes of the host window: SDL's own boxes, modal to the window, with the panel's
// buttons, in the order the operator expects them, Enter on the first and Escape on the last.
// Without a usable display the box is printed to stderr and answered as a recording box does.
class CRSdlMessageBox : public CRMessageBox {
 public:
  explicit CRSdlMessageBox(SDL_Window* parent = nullptr) : m_pParent(parent) {}
  void SetParent(SDL_Window* parent) { m_pParent = parent; }

  MessageBoxAnswer Show(std::u16string_view text, std::u16string_view caption, MessageBoxButtons buttons,
                        MessageBoxIcon icon) override;

 private:
  SDL_Window* m_pParent;
  CRRecordingMessageBox m_fallback;
};
