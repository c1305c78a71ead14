#pragma once

#include "shell/veltrix_browser_ctrl.h"

// The control's project browser: it is its own host, and hands what must reach the container
// to the control (the panel event, the shutdown) or straight to the container (the rest).
// The host part is a base before the browser so that it exists while the browser is built.
class CVeltrixBrowserCtrl::CNPProjectBrowserAciveX : public CNPBrowserHost, public CNPProjectBrowser {
 public:
  CNPProjectBrowserAciveX(CVeltrixBrowserCtrl& control, CNObjectRegistry& classes, CRMessageLoop& loop,
                          const Options& options)
      : CNPProjectBrowser(classes, loop, *this, options), m_control(control) {}

  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) override {
    m_control.FirePanelEvent(name, p1, p2);
  }
  void SetTitle(std::u16string_view title) override { m_control.m_container.SetTitle(title); }
  void CloseHostWindow() override { m_control.OnShutdown(); }
  void InvalidateView(CNPView& view) override { m_control.m_container.InvalidateView(view); }
  void Trace(const CNValue& value) override { m_control.m_container.Trace(value); }
  bool RunProgram(std::u16string_view operation, std::u16string_view file, std::u16string_view parameters,
                  std::u16string_view directory) override {
    return m_control.m_container.RunProgram(operation, file, parameters, directory);
  }
  bool AskLogin(CNLoginMemory& memory) override { return m_control.m_container.AskLogin(memory); }
  bool ChooseCommon(uint8_t kind, std::u16string_view title, std::u16string_view filter, std::u16string_view start,
                    std::u16string& choice) override {
    return m_control.m_container.ChooseCommon(kind, title, filter, start, choice);
  }
  std::u16string GetProgramFolder() const override { return m_control.m_container.GetProgramFolder(); }

 private:
  CVeltrixBrowserCtrl& m_control;
};
