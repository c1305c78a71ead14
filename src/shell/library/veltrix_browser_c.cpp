// The C interface of the control (include/veltrix_browser.h) over CVeltrixBrowserCtrl.
#include <SDL2/SDL_messagebox.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "c_text.h"
#include "shell/activex_app.h"
#include "shell/control_registration.h"
#include "shell/control_window.h"
#include "shell/veltrix_browser_ctrl.h"
#include "support/message_box.h"
#include "support/utf16_text.h"
#include "veltrix_browser.h"
#include "views/view.h"
#include "x11_child_window.h"

#define VB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::u16string_view kNullText = u"Invalid argument: a text is null.";
constexpr std::u16string_view kBadUtf8 = u"Invalid argument: a text is not valid UTF-8.";
constexpr std::u16string_view kBadLiteral = u"Invalid argument: not a value literal: ";
constexpr std::u16string_view kBadCount = u"Invalid argument: the parameter count is out of range.";
constexpr std::u16string_view kNoWindow = u"Fail to create the window: ";

// The module object of the loaded library, made with the first control.
CVeltrixBrowserActiveXApp& Module() {
  static CVeltrixBrowserActiveXApp module;
  return module;
}

// The controls alive, so that a stale or foreign pointer is refused rather than used.
std::mutex g_lock;
std::set<const vb_ctrl*> g_controls;

// The about box in an SDL message box when there is a display.
class CSdlAboutBox : public CRMessageBox {
 public:
  MessageBoxAnswer Show(std::u16string_view text, std::u16string_view caption, MessageBoxButtons,
                        MessageBoxIcon) override {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str(),
                             nullptr);
    return IDOK;
  }
};

}  // namespace

// The control with what the C container gave it: its loop (the creating thread's), the panel
// event callback and, for a child of an X11 window, that window.
struct vb_ctrl : CNPBrowserHost {
  CRMessageLoop loop;
  std::unique_ptr<CVeltrixBrowserCtrl> control;
  std::unique_ptr<CX11ChildWindow> x11;
  vb_panel_event_handler handler = nullptr;
  void* user = nullptr;
  int depth = 0;           // calls of the container under way
  bool destroyed = false;  // destroyed by the container; goes once no call is under way
  CNPView* pressed = nullptr;  // the view a held button went down on
  CRRectF pressedRect;

  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) override {
    if (!handler) return;
    handler(user, Utf16ToUtf8(name).c_str(), Utf16ToUtf8(p1.ToLiteral(true)).c_str(),
            Utf16ToUtf8(p2.ToLiteral(true)).c_str());
  }

  // The host program is installed beside the library: "OpenBrowser" starts it from there.
  std::u16string GetProgramFolder() const override {
    const std::string path = CVeltrixBrowserActiveXApp::GetModulePath();
    return Utf8ToUtf16(path.substr(0, path.rfind('/') == std::string::npos ? 0 : path.rfind('/')));
  }

  void Fail(std::u16string_view text) { control->SetLastError(text); }

  // The text as UTF-16; false, with the error text, for null or bad UTF-8.
  bool Read(const char* text, std::u16string& out) {
    if (!text) Fail(kNullText);
    else if (!DecodeUtf8(text, out)) Fail(kBadUtf8);
    else return true;
    return false;
  }

  void ShowWindow(bool whole) {
    if (control->PaintWindow() || whole)
      if (x11) x11->Show(control->GetWindow()->GetSurface());
  }

  void HandleMouse(const CX11ChildWindow::MouseEvent& event) {
    CNPView* view = pressed;
    CRRectF rect = pressedRect;
    if (!view)
      for (const CNShownView& shown : control->GetBrowser().GetShownViews())
        if (event.x >= shown.rect.x && event.y >= shown.rect.y && event.x < shown.rect.x + shown.rect.width &&
            event.y < shown.rect.y + shown.rect.height)
          view = shown.view, rect = shown.rect;
    if (!view) return;
    const CNPoint at{event.x - static_cast<int32_t>(rect.x), event.y - static_cast<int32_t>(rect.y)};
    switch (event.kind) {
      case CX11ChildWindow::MouseEvent::kMove: view->MouseMove(at); break;
      case CX11ChildWindow::MouseEvent::kPress:
        pressed = view, pressedRect = rect;
        view->MouseButton(static_cast<CNMouseButton>(event.button), true, at);
        break;
      case CX11ChildWindow::MouseEvent::kRelease:
        pressed = nullptr;
        view->MouseButton(static_cast<CNMouseButton>(event.button), false, at);
        break;
    }
  }
};

namespace {

void Destroy(vb_ctrl* ctrl) {
  ctrl->control.reset();
  ctrl->x11.reset();
  delete ctrl;
}

// Runs call for a control of this library on its own thread, with nothing thrown out;
// otherwise (a null, foreign or destroyed control, another thread) fallback. A control
// destroyed from inside a call (a panel event handler) goes when the outermost call returns.
template <class Result, class Call>
Result Guarded(vb_ctrl* ctrl, Result fallback, Call&& call) {
  {
    std::lock_guard guard(g_lock);
    if (!ctrl || !g_controls.contains(ctrl)) return fallback;
  }
  if (!ctrl->loop.IsLoopThread()) return fallback;
  ++ctrl->depth;
  Result result = fallback;
  try {
    result = call(*ctrl);
  } catch (...) {
    result = fallback;
  }
  if (--ctrl->depth == 0 && ctrl->destroyed) Destroy(ctrl);
  return result;
}

}  // namespace

VB_EXPORT vb_ctrl* vb_ctrl_create(void) {
  try {
    auto ctrl = std::make_unique<vb_ctrl>();
    ctrl->control = std::make_unique<CVeltrixBrowserCtrl>(Module(), ctrl->loop, *ctrl);
    std::lock_guard guard(g_lock);
    g_controls.insert(ctrl.get());
    return ctrl.release();
  } catch (...) {
    return nullptr;
  }
}

VB_EXPORT void vb_ctrl_destroy(vb_ctrl* ctrl) {
  Guarded(ctrl, 0, [](vb_ctrl& c) {
    std::lock_guard guard(g_lock);
    g_controls.erase(&c);
    c.destroyed = true;
    return 0;
  });
}

VB_EXPORT void vb_ctrl_set_run_mode(vb_ctrl* ctrl, int run) {
  Guarded(ctrl, 0, [&](vb_ctrl& c) {
    c.control->SetUserMode(run != 0);
    return 0;
  });
}

VB_EXPORT void vb_ctrl_set_document_address(vb_ctrl* ctrl, const char* address) {
  Guarded(ctrl, 0, [&](vb_ctrl& c) {
    std::u16string text;
    if (c.Read(address, text)) c.control->SetDocumentAddress(text);
    return 0;
  });
}

VB_EXPORT int vb_ctrl_create_window(vb_ctrl* ctrl, unsigned long parent, int width, int height) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    if (c.control->HasWindow()) return 0;
    if (parent != 0) {
      std::string error;
      c.x11 = CX11ChildWindow::Create(parent, width, height, error);
      if (!c.x11) {
        c.Fail(std::u16string(kNoWindow) + Utf8ToUtf16(error));
        return 0;
      }
    }
    c.control->CreateControlWindow(width, height);
    c.ShowWindow(true);
    return 1;
  });
}

VB_EXPORT void vb_ctrl_resize(vb_ctrl* ctrl, int width, int height) {
  Guarded(ctrl, 0, [&](vb_ctrl& c) {
    c.control->Resize(width, height);
    if (c.x11) c.x11->Resize(width, height);
    c.ShowWindow(true);
    return 0;
  });
}

VB_EXPORT int vb_ctrl_set_file_name(vb_ctrl* ctrl, const char* name) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    std::u16string text;
    return c.Read(name, text) && c.control->SetFileName(text) ? 1 : 0;
  });
}

VB_EXPORT char* vb_ctrl_get_file_name(vb_ctrl* ctrl) {
  return Guarded(ctrl, static_cast<char*>(nullptr),
                 [](vb_ctrl& c) { return CopyForCaller(c.control->GetFileName()); });
}

VB_EXPORT int vb_ctrl_set_current_directory(vb_ctrl* ctrl, const char* folder) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    std::u16string text;
    if (!c.Read(folder, text)) return 0;
    c.control->SetCurrentDirectory(text);
    return 1;
  });
}

VB_EXPORT char* vb_ctrl_get_current_directory(vb_ctrl* ctrl) {
  return Guarded(ctrl, static_cast<char*>(nullptr),
                 [](vb_ctrl& c) { return CopyForCaller(c.control->GetCurrentDirectory()); });
}

VB_EXPORT int vb_ctrl_open_file(vb_ctrl* ctrl, const char* name) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    std::u16string text;
    return c.Read(name, text) && c.control->OpenFile(text) ? 1 : 0;
  });
}

VB_EXPORT int vb_ctrl_set_policy_file(vb_ctrl* ctrl, const char* path) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    std::u16string text;
    return c.Read(path, text) && c.control->SetPolicyFile(text) ? 1 : 0;
  });
}

VB_EXPORT char* vb_ctrl_call_panel_method(vb_ctrl* ctrl, const char* name, int argc, const char* const* args) {
  return Guarded(ctrl, static_cast<char*>(nullptr), [&](vb_ctrl& c) {
    const CNValue empty;
    const auto failed = [&] { return CopyForCaller(empty.ToLiteral(true)); };
    std::u16string method;
    if (!c.Read(name, method)) return failed();
    if (argc < 0 || argc > static_cast<int>(CVeltrixBrowserCtrl::kMaxPanelMethodParams) || (argc > 0 && !args)) {
      c.Fail(kBadCount);
      return failed();
    }
    std::vector<CNValue> values(static_cast<size_t>(argc));
    for (size_t i = 0; i < values.size(); ++i) {
      std::u16string literal;
      if (!c.Read(args[i], literal)) return failed();
      if (!ParseValueLiteral(literal, values[i])) {
        c.Fail(std::u16string(kBadLiteral) + literal);
        return failed();
      }
    }
    return CopyForCaller(c.control->CallPanelMethod(method, values).ToLiteral(true));
  });
}

VB_EXPORT char* vb_ctrl_get_last_error(vb_ctrl* ctrl) {
  return Guarded(ctrl, static_cast<char*>(nullptr),
                 [](vb_ctrl& c) { return CopyForCaller(c.control->GetLastError()); });
}

VB_EXPORT void vb_ctrl_about_box(vb_ctrl* ctrl) {
  Guarded(ctrl, 0, [](vb_ctrl& c) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
      c.control->AboutBox();
      return 0;
    }
    CSdlAboutBox box;
    CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
    c.control->AboutBox();
    CRMessageBox::SetCurrent(previous);
    return 0;
  });
}

VB_EXPORT void vb_ctrl_set_panel_event_handler(vb_ctrl* ctrl, vb_panel_event_handler handler, void* user) {
  Guarded(ctrl, 0, [&](vb_ctrl& c) {
    c.handler = handler;
    c.user = user;
    return 0;
  });
}

VB_EXPORT int vb_ctrl_pump(vb_ctrl* ctrl, int milliseconds) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    constexpr int64_t kSliceMs = 10;
    do {
      const int64_t left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left > 0) c.loop.RunFor(static_cast<uint32_t>(std::min(left, kSliceMs)));
      else c.loop.RunPending();
      bool exposed = false;
      if (c.x11)
        for (const CX11ChildWindow::MouseEvent& event : c.x11->TakeEvents(exposed)) c.HandleMouse(event);
      if (c.control->HasWindow()) c.ShowWindow(exposed);
    } while (Clock::now() < end && !c.control->IsShutdownRequested());
    return c.control->IsShutdownRequested() ? 0 : 1;
  });
}

VB_EXPORT size_t vb_ctrl_save_properties(vb_ctrl* ctrl, unsigned char* buffer, size_t capacity) {
  return Guarded(ctrl, size_t{0}, [&](vb_ctrl& c) {
    const std::vector<uint8_t> bytes = c.control->SaveProperties();
    if (buffer && capacity >= bytes.size()) std::memcpy(buffer, bytes.data(), bytes.size());
    return bytes.size();
  });
}

VB_EXPORT int vb_ctrl_load_properties(vb_ctrl* ctrl, const unsigned char* data, size_t size) {
  return Guarded(ctrl, 0, [&](vb_ctrl& c) {
    if (!data && size > 0) {
      c.Fail(kNullText);
      return 0;
    }
    if (c.control->LoadProperties(std::span<const uint8_t>(data, size))) return 1;
    c.Fail(u"Fail to load the properties: the bytes are not the control's.");
    return 0;
  });
}

VB_EXPORT void vb_string_free(char* text) { std::free(text); }

VB_EXPORT int vb_register_server(void) {
  try {
    CRRegistryStore store(CRRegistryStore::DefaultRoot());
    return static_cast<int>(RegisterServer(store, Utf8ToUtf16(CVeltrixBrowserActiveXApp::GetModulePath())));
  } catch (...) {
    return static_cast<int>(SELFREG_E_TYPELIB);
  }
}

VB_EXPORT int vb_unregister_server(void) {
  try {
    CRRegistryStore store(CRRegistryStore::DefaultRoot());
    return static_cast<int>(UnregisterServer(store));
  } catch (...) {
    return static_cast<int>(SELFREG_E_TYPELIB);
  }
}
