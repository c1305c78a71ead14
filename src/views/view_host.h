#pragma once

#include <cstdint>
#include <string_view>

#include "support/ref_cnt.h"

class CNObject;
class CNPObject;
class CNPRootClient;
class CNValue;
class CNPView;

// What views need of the project that owns them. The project browser implements it; tests use
// a small fake. Everything runs on the user-interface thread.
class CNPViewHost {
 public:
  virtual ~CNPViewHost() = default;

  // The project's settings ("Stretch", "MaxFormHistory", "AllowZoom", "CommonDialogType",
  // "DialogBasePosX"...); the root client of the open project.
  virtual const CNPRootClient& GetSettings() const = 0;

  // The form definition named name: of the project, or of the built-in resource project when
  // resource is set (the system dialogs). Null when there is none.
  virtual CNObject* FindBasedForm(std::u16string_view name, bool resource) = 0;
  // Makes a form ready to be shown under formName: its scripts loaded, its binds connected,
  // placed in the project tree so that scripts reach it by path. Null when it cannot be made.
  virtual CRPtr<CNPObject> AcquireForm(CNObject& based, std::u16string_view formName) = 0;
  // Ends a form a view no longer shows: "OnTerminate" on its objects, binds dropped; a form
  // made for the view leaves the tree.
  virtual void ReleaseForm(CNPObject& form) = 0;

  // Runs the root script's handler name with the arguments (reference parameters are read back
  // into args); false when the root's script does not define it.
  virtual bool FireRootEvent(std::u16string_view name, CNValue* args, uint32_t count) = 0;

  // Asks for a repaint of the view (the host window redraws it; headless runs ignore it).
  virtual void InvalidateView(CNPView& /*view*/) {}
  // Whether the operator's input to the view is held back (a modal dialog of another view takes
  // it).
  virtual bool IsInputBlocked(const CNPView& /*view*/) const { return false; }
};
