#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "shell/veltrix_browser_ctrl.h"
#include "support/registry_store.h"

// The control's identifiers: fixed, of our own choosing.
inline constexpr const char16_t* kControlClassId = u"{6F3A2C71-5B4E-4D2A-9C1F-7E2B8A40D601}";
inline constexpr const char16_t* kPropertyPageClassId = u"{6F3A2C72-5B4E-4D2A-9C1F-7E2B8A40D601}";
inline constexpr const char16_t* kTypeLibraryId = u"{6F3A2C70-5B4E-4D2A-9C1F-7E2B8A40D601}";
inline constexpr const char16_t* kDispatchInterfaceId = u"{6F3A2C73-5B4E-4D2A-9C1F-7E2B8A40D601}";
inline constexpr const char16_t* kEventInterfaceId = u"{6F3A2C74-5B4E-4D2A-9C1F-7E2B8A40D601}";
inline constexpr const char16_t* kControlProgId = u"KV.VELTRIX.6.U";
inline constexpr const char16_t* kPropertyPageProgId = u"KV.VELTRIXPROPPAGE.6.U";
inline constexpr const char16_t* kControlTypeName = u"Tarnvale Veltrix Ver6.0";
inline constexpr const char16_t* kPropertyPageTypeName = u"Tarnvale Veltrix Ver6.0 Property Page";
// Under this key of the registry store, as the per-user classes are.
inline constexpr const char16_t* kClassesKey = u"Software\\Classes";

// The registration results.
inline constexpr uint32_t kRegistrationOk = 0;
inline constexpr uint32_t SELFREG_E_TYPELIB = 0x80040200;
inline constexpr uint32_t SELFREG_E_CLASS = 0x80040201;

// Registers one creatable class (its class id, ProgID, type name and server entries) in the
// store, or takes exactly those keys out again.
class CNClassFactoryRegistration {
 public:
  virtual ~CNClassFactoryRegistration() = default;
  virtual bool UpdateRegistry(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath) const = 0;
};

// The control's class factory: apartment threading, misc status 0x20191, type-name string 15,
// toolbox bitmap 1 and the type library at version 1.0.
class CVeltrixBrowserCtrl::CVeltrixBrowserCtrlFactory : public CNClassFactoryRegistration {
 public:
  static constexpr uint32_t kMiscStatus = 0x20191;
  bool UpdateRegistry(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath) const override;
};

// The (empty) property page.
class CVeltrixBrowserPropPage {
 public:
  class CVeltrixBrowserPropPageFactory : public CNClassFactoryRegistration {
   public:
    bool UpdateRegistry(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath) const override;
  };
};

// The type library "VELTRIXBROWSERACTIVEXLib6" 1.0 and its two interfaces.
bool UpdateTypeLibraryRegistry(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath);

// Registers the type library, then every class factory: kRegistrationOk, SELFREG_E_TYPELIB
// when the type library fails, SELFREG_E_CLASS when a class fails. Unregistering undoes both,
// the classes first, with the same codes.
// factories: the control's and the property page's (ControlClassFactories) unless a caller names
// others.
std::span<const CNClassFactoryRegistration* const> ControlClassFactories();
uint32_t RegisterServer(CRRegistryStore& store, std::u16string_view modulePath,
                        std::span<const CNClassFactoryRegistration* const> factories = ControlClassFactories());
uint32_t UnregisterServer(CRRegistryStore& store,
                          std::span<const CNClassFactoryRegistration* const> factories = ControlClassFactories());
