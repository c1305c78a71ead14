#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "browser/browser_host.h"
#include "browser/project_browser.h"
#include "values/value.h"

class CControlWindow;
class CVeltrixBrowserActiveXApp;

// The embeddable control: one project browser shown in the control's window, driven by its
// container through two persistent properties ("FileName", "CurrentDirectory"), four methods
// ("OpenFile", "CallPanelMethod", "GetLastError", "AboutBox") and one event ("PanelEvent",
// delivered as the container's FirePanelEvent).
//
// The container is the CNPBrowserHost the control's project browser reports to: the panel
// event (only while the control has a window), the title of the container's main window, the
// end of a shutdown, traces and the rest. Every member runs on the thread of the loop, the
// container's user-interface thread.
//
// In design mode (the container's user mode off, the default) the properties are stored and
// persisted and no project opens; in run mode setting FileName, OpenFile, and window creation
// with a FileName open one.
class CVeltrixBrowserCtrl {
 public:
  class CNPProjectBrowserAciveX;
  class CVeltrixBrowserCtrlFactory;

  // The most CallPanelMethod passes on.
  static constexpr size_t kMaxPanelMethodParams = 10;

  CVeltrixBrowserCtrl(CVeltrixBrowserActiveXApp& module, CRMessageLoop& loop, CNPBrowserHost& container,
                      const CNPProjectBrowser::Options& options = {});
  ~CVeltrixBrowserCtrl();
  CVeltrixBrowserCtrl(const CVeltrixBrowserCtrl&) = delete;
  CVeltrixBrowserCtrl& operator=(const CVeltrixBrowserCtrl&) = delete;

  // ---- what the container tells the control
  void SetUserMode(bool run) { m_bUserMode = run; }
  bool IsUserMode() const { return m_bUserMode; }
  // The address of the container's document ("http://...", "file:///..."): relative FileName
  // values are taken in its folder when the window is made.
  void SetDocumentAddress(std::u16string_view address) { m_strDocumentAddress = address; }

  // ---- the window
  // Makes the control's window (once; false after that) of the size and lays the project out
  // in it; in run mode, opens FileName taken relative to the document's address, then applies
  // CurrentDirectory.
  bool CreateControlWindow(int width, int height);
  bool HasWindow() const { return m_window != nullptr; }
  void Resize(int width, int height);
  // Paints what changed into the window's image; true when it changed. False without a window.
  bool PaintWindow();
  // The window's image; null without a window.
  const CControlWindow* GetWindow() const { return m_window.get(); }

  // ---- properties
  // Stores the name; in run mode opens it (false when that fails, with the error text set).
  bool SetFileName(std::u16string_view name);
  const std::u16string& GetFileName() const { return m_strFileName; }
  // Stores the folder; in run mode and when not empty it becomes the project's folder, with a
  // "\" after it when it has none.
  void SetCurrentDirectory(std::u16string_view folder);
  const std::u16string& GetCurrentDirectory() const { return m_strCurrentDirectory; }
  // The folder last applied from CurrentDirectory; empty when none was.
  const std::u16string& GetAppliedFolder() const { return m_strAppliedFolder; }
  // Set by the property setters, cleared by SaveProperties.
  bool IsModified() const { return m_bModified; }

  // ---- methods
  // Makes name the FileName, closes the open project and opens that one; false with
  // "Fail to open file. File:" and the name as the error text.
  bool OpenFile(std::u16string_view name);
  // The site's policy for the scripts of the projects opened from now on (see the README's
  // policy format); false, with the reason as the last error, when the file is refused.
  bool SetPolicyFile(std::u16string_view file);
  // Runs the method of the object a panel method name leads to ("::Start", "Main.Pump1.Toggle")
  // with the parameters in order: a function of the object's script, else a built-in method of
  // the object. The empty value, with an error text, when anything fails.
  CNValue CallPanelMethod(std::u16string_view name, std::span<const CNValue> params);
  const std::u16string& GetLastError() const { return m_strLastError; }
  void SetLastError(std::u16string_view text) { m_strLastError = text; }
  void AboutBox();

  // ---- persistence (control_properties.h has the byte layout)
  std::vector<uint8_t> SaveProperties();
  // False, changing nothing, for bytes it cannot read. Before the window is made the values
  // are only stored (the window's creation opens the project); afterwards they go through
  // their setters.
  bool LoadProperties(std::span<const uint8_t> bytes);

  // True once the project has asked to shut down (the container should close).
  bool IsShutdownRequested() const { return m_bShutdownRequested; }
  CNPProjectBrowser& GetBrowser();

 private:
  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2);
  void OnShutdown();

  CVeltrixBrowserActiveXApp& m_module;
  CNPBrowserHost& m_container;
  std::unique_ptr<CNPProjectBrowserAciveX> m_browser;
  std::unique_ptr<CControlWindow> m_window;
  CNSize m_size{};
  std::u16string m_strFileName;
  std::u16string m_strCurrentDirectory;
  std::u16string m_strAppliedFolder;
  std::u16string m_strDocumentAddress;
  std::u16string m_strLastError;
  bool m_bUserMode = false;
  bool m_bModified = false;
  bool m_bShutdownRequested = false;
};
