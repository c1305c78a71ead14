#include "render_form.h"

#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "browser/project_browser.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "objects/object_registry.h"
#include "objects/property_read.h"
#include "project/stretch_mode.h"
#include "project/tick_schedule.h"
#include "support/message_box.h"
#include "support/message_loop.h"
#include "support/utf16_text.h"
#include "views/views.h"

namespace {

// The view the form is shown in, beside the project's own views.
constexpr std::u16string_view kRenderView = u"veltrix-check render";

bool ParseSide(std::string_view text, int32_t& side) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
  return error == std::errc() && end == text.data() + text.size() && side >= 1 && side <= kMaxRenderSide;
}

// A folder of its own for the runtime's settings store, so that a rendering leaves the
// operator's settings alone; removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrix_renderXXXXXX").string();
    if (mkdtemp(pattern.data())) m_path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& GetPath() const { return m_path; }

 private:
  std::string m_path;
};

// Shows the form in the render view and paints it; the project is open.
bool PaintForm(CNPProjectBrowser& browser, const CNRenderRequest& request, std::string& error) {
  const std::u16string formName = Utf8ToUtf16(request.form);
  const CNObject* based = browser.FindBasedForm(formName, false);
  if (!based) {
    error = "no form named " + request.form + " in the project";
    return false;
  }
  const CNSize size = request.size.value_or(
      CNSize{std::clamp(PropertyInt(*based, u"Width"), 1, kMaxRenderSide),
             std::clamp(PropertyInt(*based, u"Height"), 1, kMaxRenderSide)});
  CNPViews& views = browser.GetViews();
  CNPViewBrowser* view = views.AddView(kRenderView);
  if (!view) {
    error = "the project already has a view named " + Utf16ToUtf8(kRenderView);
    return false;
  }
  view->SetViewSize(size);
  bool painted = false;
  if (!view->OpenForm(formName, formName, kStretchDefault, CNValue())) {
    error = Utf16ToUtf8(view->GetLastError());
    if (error.empty()) error = "the project's OnBeforeOpenForm did not let " + request.form + " open";
  } else {
    browser.OnTick(TICK_REFRESH);
    CRSurface surface(size.width, size.height);
    if (!surface.IsValid()) {
      error = "cannot make an image of that size";
    } else {
      {
        CRPainter painter(surface);
        view->Paint(painter, {0.0, 0.0, static_cast<double>(size.width), static_cast<double>(size.height)},
                    browser.GetImageSource());
      }
      painted = surface.WritePng(request.out);
      if (!painted) error = "cannot write " + request.out;
    }
  }
  views.RemoveView(kRenderView);
  return painted;
}

}  // namespace

bool ParseRenderSize(const std::string& text, CNSize& size) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  return ParseSide(std::string_view(text).substr(0, x), size.width) &&
         ParseSide(std::string_view(text).substr(x + 1), size.height);
}

bool RenderForm(const CNRenderRequest& request, std::string& error) {
  ScratchFolder scratch;
  CRRecordingMessageBox box;  // the runtime's messages go to stderr
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  bool rendered = false;
  {
    CRMessageLoop loop;
    CNPBrowserHost host;
    CNPProjectBrowser::Options options;
    options.startTickThread = false;
    options.registryRoot = scratch.GetPath();
    CNPProjectBrowser browser(CPanelControls::Instance(), loop, host, options);
    // No panel server: every server tag stays without a value.
    CNProjectOverrides offline;
    offline.node = u"";
    browser.SetOverrides(offline);
    if (!browser.OpenProject(Utf8ToUtf16(request.project))) {
      error = Utf16ToUtf8(browser.GetLastError());
      if (error.empty()) error = "the project did not open";
    } else {
      rendered = PaintForm(browser, request, error);
      loop.RunPending();
    }
  }
  CRMessageBox::SetCurrent(previous);
  return rendered;
}
