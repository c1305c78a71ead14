#include "shell/control_registration.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "support/utf16_text.h"

namespace {

// One value to write: a key below kClassesKey, the value's name (empty: the key's unnamed
// value) and its text, where "%path%" stands for the module's path and "%folder%" for its
// folder.
struct CNRegistryEntry {
  std::u16string key;
  std::u16string_view name;
  std::u16string text;
};

std::u16string Key(std::u16string_view first, std::u16string_view second = {}, std::u16string_view third = {}) {
  std::u16string key = std::u16string(kClassesKey) + u"\\" + std::u16string(first);
  if (!second.empty()) key += u"\\" + std::u16string(second);
  if (!third.empty()) key += u"\\" + std::u16string(third);
  return key;
}

std::u16string Expand(std::u16string text, std::u16string_view modulePath) {
  const size_t slash = modulePath.rfind(u'/');
  const std::u16string folder(slash == std::u16string_view::npos ? std::u16string_view() : modulePath.substr(0, slash));
  for (const auto& [mark, with] : {std::pair<std::u16string_view, std::u16string_view>{u"%path%", modulePath},
                                   {u"%folder%", folder}})
    for (size_t at = text.find(mark); at != std::u16string::npos; at = text.find(mark, at + with.size()))
      text.replace(at, mark.size(), with);
  return text;
}

// Writes the entries, or deletes the keys they made: the top keys, which hold all the others.
bool Update(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath,
            std::span<const CNRegistryEntry> entries, std::span<const std::u16string> topKeys) {
  bool ok = true;
  if (doRegister) {
    for (const CNRegistryEntry& entry : entries)
      ok = store.SetValue(entry.key, entry.name, CRRegistryValue::Text(Expand(entry.text, modulePath))) && ok;
  } else {
    for (const std::u16string& key : topKeys) ok = store.DeleteKey(key) && ok;
  }
  return ok;
}

// The keys of one creatable class.
std::vector<CNRegistryEntry> ClassEntries(std::u16string_view classId, std::u16string_view progId,
                                          std::u16string_view typeName) {
  const std::u16string id(classId), name(typeName);
  return {
      {Key(progId), u"", name},
      {Key(progId, u"CLSID"), u"", id},
      {Key(u"CLSID", classId), u"", name},
      {Key(u"CLSID", classId, u"InprocServer32"), u"", u"%path%"},
      {Key(u"CLSID", classId, u"InprocServer32"), u"ThreadingModel", u"Apartment"},
      {Key(u"CLSID", classId, u"ProgID"), u"", std::u16string(progId)},
  };
}

}  // namespace

bool CVeltrixBrowserCtrl::CVeltrixBrowserCtrlFactory::UpdateRegistry(CRRegistryStore& store, bool doRegister,
                                                                    std::u16string_view modulePath) const {
  std::vector<CNRegistryEntry> entries = ClassEntries(kControlClassId, kControlProgId, kControlTypeName);
  const std::u16string misc = AsciiToUtf16(std::to_string(kMiscStatus));
  entries.insert(entries.end(), {
                                    {Key(u"CLSID", kControlClassId, u"Control"), u"", u""},
                                    {Key(u"CLSID", kControlClassId, u"MiscStatus"), u"", u"0"},
                                    {Key(u"CLSID", kControlClassId, u"MiscStatus\\1"), u"", misc},
                                    {Key(u"CLSID", kControlClassId, u"TypeLib"), u"", kTypeLibraryId},
                                    {Key(u"CLSID", kControlClassId, u"Version"), u"", u"1.0"},
                                    {Key(u"CLSID", kControlClassId, u"ToolboxBitmap32"), u"", u"%path%, 1"},
                                });
  const std::u16string tops[] = {Key(kControlProgId), Key(u"CLSID", kControlClassId)};
  return Update(store, doRegister, modulePath, entries, tops);
}

bool CVeltrixBrowserPropPage::CVeltrixBrowserPropPageFactory::UpdateRegistry(CRRegistryStore& store,
                                                                            bool doRegister,
                                                                            std::u16string_view modulePath) const {
  const std::vector<CNRegistryEntry> entries =
      ClassEntries(kPropertyPageClassId, kPropertyPageProgId, kPropertyPageTypeName);
  const std::u16string tops[] = {Key(kPropertyPageProgId), Key(u"CLSID", kPropertyPageClassId)};
  return Update(store, doRegister, modulePath, entries, tops);
}

bool UpdateTypeLibraryRegistry(CRRegistryStore& store, bool doRegister, std::u16string_view modulePath) {
  constexpr const char16_t* kDispatchProxy = u"{00020420-0000-0000-C000-000000000046}";
  const std::u16string version = Key(u"TypeLib", kTypeLibraryId, u"1.0");
  std::vector<CNRegistryEntry> entries = {
      {version, u"", u"Tarnvale Veltrix Ver6.0"},
      {version + u"\\0\\linux", u"", u"%path%"},
      {version + u"\\FLAGS", u"", u"0"},
      {version + u"\\HELPDIR", u"", u"%folder%"},
  };
  for (const auto& [id, name] : {std::pair<const char16_t*, const char16_t*>{kDispatchInterfaceId, u"_DVeltrixBrowser"},
                                 {kEventInterfaceId, u"_DVeltrixBrowserEvents"}}) {
    entries.push_back({Key(u"Interface", id), u"", name});
    entries.push_back({Key(u"Interface", id, u"ProxyStubClsid32"), u"", kDispatchProxy});
    entries.push_back({Key(u"Interface", id, u"TypeLib"), u"", kTypeLibraryId});
    entries.push_back({Key(u"Interface", id, u"TypeLib"), u"Version", u"1.0"});
  }
  const std::u16string tops[] = {Key(u"TypeLib", kTypeLibraryId), Key(u"Interface", kDispatchInterfaceId),
                                 Key(u"Interface", kEventInterfaceId)};
  return Update(store, doRegister, modulePath, entries, tops);
}

std::span<const CNClassFactoryRegistration* const> ControlClassFactories() {
  static const CVeltrixBrowserCtrl::CVeltrixBrowserCtrlFactory control;
  static const CVeltrixBrowserPropPage::CVeltrixBrowserPropPageFactory page;
  static const CNClassFactoryRegistration* const factories[] = {&control, &page};
  return factories;
}

uint32_t RegisterServer(CRRegistryStore& store, std::u16string_view modulePath,
                        std::span<const CNClassFactoryRegistration* const> factories) {
  if (!UpdateTypeLibraryRegistry(store, true, modulePath)) return SELFREG_E_TYPELIB;
  for (const CNClassFactoryRegistration* factory : factories)
    if (!factory->UpdateRegistry(store, true, modulePath)) return SELFREG_E_CLASS;
  return kRegistrationOk;
}

uint32_t UnregisterServer(CRRegistryStore& store, std::span<const CNClassFactoryRegistration* const> factories) {
  for (const CNClassFactoryRegistration* factory : factories)
    if (!factory->UpdateRegistry(store, false, {})) return SELFREG_E_CLASS;
  if (!UpdateTypeLibraryRegistry(store, false, {})) return SELFREG_E_TYPELIB;
  return kRegistrationOk;
}
