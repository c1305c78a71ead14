#pragma once

#include <mutex>

#include "browser/browser_host.h"
#include "support/message_box.h"
#include "support/message_loop.h"

// The container of a run without a window: traces, panel events and message boxes go to
// stdout, one line each; questions get the configured answer; a shutdown ends the loop.
class CHeadlessHost : public CNPBrowserHost, public CRMessageBox {
 public:
  CHeadlessHost(CRMessageLoop& loop, MessageBoxAnswer defaultAnswer) : m_loop(loop), m_defaultAnswer(defaultAnswer) {}

  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) override;
  void SetTitle(std::u16string_view title) override;
  void CloseHostWindow() override { m_loop.Quit(); }
  void Trace(const CNValue& value) override;

  MessageBoxAnswer Show(std::u16string_view text, std::u16string_view caption, MessageBoxButtons buttons,
                        MessageBoxIcon icon) override;

 private:
  void WriteLine(std::u16string_view text);

  CRMessageLoop& m_loop;
  MessageBoxAnswer m_defaultAnswer;
  std::mutex m_lock;
};
