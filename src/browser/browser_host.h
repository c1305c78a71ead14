#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CNValue;
class CNPView;
struct CNLoginMemory;

// The container of the project runtime: the host program's window, or the headless loop. The
// defaults suit a container without a window.
class CNPBrowserHost {
 public:
  virtual ~CNPBrowserHost() = default;

  // "FirePanelEvent": the event name and up to two values for the container's callback.
  virtual void FirePanelEvent(std::u16string_view /*name*/, const CNValue& /*p1*/, const CNValue& /*p2*/) {}
  // The text of the host's main window, when the project asks for its title there.
  virtual void SetTitle(std::u16string_view /*title*/) {}
  // A shutdown went through: the host window closes (the headless loop ends).
  virtual void CloseHostWindow() {}
  // A view's drawing changed.
  virtual void InvalidateView(CNPView& /*view*/) {}
  // Every "Trace" argument of the project's scripts.
  virtual void Trace(const CNValue& /*value*/) {}
  // A program start queued by a script: operation, file, parameters, directory. The default
  // starts it (an "open" of a document through the desktop's opener).
  virtual bool RunProgram(std::u16string_view operation, std::u16string_view file, std::u16string_view parameters,
                          std::u16string_view directory);
  // The login dialog of a login request, filled with memory; the operator's entries are written
  // back. False when the operator cancelled. Without a window the entries stand as given.
  virtual bool AskLogin(CNLoginMemory& /*memory*/) { return true; }
  // A desktop dialog (CNPWindowsCommonDialog::Kind: file, folder, font) with its title, file
  // filter and starting place; the choice, false when cancelled or there is no desktop.
  virtual bool ChooseCommon(uint8_t /*kind*/, std::u16string_view /*title*/, std::u16string_view /*filter*/,
                            std::u16string_view /*start*/, std::u16string& /*choice*/) {
    return false;
  }
  // The folder of the host program ("exe:" names of "Inifile"; where the watchdog is looked for).
  virtual std::u16string GetProgramFolder() const;
};
