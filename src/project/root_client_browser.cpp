#include "project/root_client_browser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "project/project_crypt.h"
#include "support/utf16_text.h"

namespace {

// Hands out the root for the first object a load asks for, which is the FORMROOT element's,
// whatever its clid; every later object comes from the real registry.
class RootFirstRegistry : public CNObjectRegistry {
 public:
  RootFirstRegistry(CNObjectRegistry& registry, CNObject& root) : m_registry(registry), m_pRoot(&root) {}

  CNObject* Create(std::u16string_view clid) override {
    if (CNObject* root = std::exchange(m_pRoot, nullptr)) {
      root->AddRef();  // the load's creation reference
      return root;
    }
    return m_registry.Create(clid);
  }
  bool Register(std::u16string_view clid, std::u16string_view displayName, uint32_t resource1,
                std::u16string_view category, uint32_t order, uint32_t resource2,
                std::u16string_view shapeKind, std::unique_ptr<CNObjectClassFactory> factory) override {
    return m_registry.Register(clid, displayName, resource1, category, order, resource2, shapeKind,
                               std::move(factory));
  }
  bool Unregister(std::u16string_view clid, std::u16string_view category) override {
    return m_registry.Unregister(clid, category);
  }
  uint32_t GetCategoryCount() const override { return m_registry.GetCategoryCount(); }

 private:
  CNObjectRegistry& m_registry;
  CNObject* m_pRoot;
};

// The caller's context, loading through a RootFirstRegistry.
class RootLoadContext : public CNFormLoadContext {
 public:
  RootLoadContext(RootFirstRegistry& registry, CNFormLoadContext& outer)
      : CNFormLoadContext(registry), m_outer(outer) {}
  void OnObjectLoaded(CNObject& object) override { m_outer.OnObjectLoaded(object); }
  void OnAttributeRead(const CNObject& object, std::string_view name, std::u16string_view value) override {
    m_outer.OnAttributeRead(object, name, value);
  }
  void OnUnknownClass(pugi::xml_node element, const CNObject* parent) override {
    m_outer.OnUnknownClass(element, parent);
  }

 private:
  CNFormLoadContext& m_outer;
};

}  // namespace

bool CNPRootClientBrowser::OpenProject(std::u16string_view path, CNFormLoadContext& context) {
  m_location = LocateProject(path);
  if (!LoadProjectDocument(m_location.path)) return false;
  ReadRootElement(context);
  return true;
}

bool CNPRootClientBrowser::OpenResourceProject(std::span<const CNResource> module, uint32_t id,
                                               std::u16string_view type, CNFormLoadContext& context) {
  m_location = {};
  if (!LoadResourceDocument(module, id, type)) return false;
  ReadRootElement(context);
  return true;
}

void CNPRootClientBrowser::ReadRootElement(CNFormLoadContext& context) {
  RemoveAllChildren();
  RootFirstRegistry registry(context.GetRegistry(), *this);
  RootLoadContext rootContext(registry, context);
  if (CNObject* root = LoadFormElement(GetFormRoot(), nullptr, rootContext)) root->Release();
}

bool CNPRootClientBrowser::NeedsRevisionQuestion() const {
  return SettingInt(u"FileRev") > root_client_properties::kFileRevision && SettingBool(u"FileRevCheck");
}

bool CNPRootClientBrowser::SaveProject(std::u16string_view path, std::string& error) const {
  const std::string text = ComposeProjectDocument(*this, SettingBool(u"FileSaveWithoutDefault"));
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if (IsEncryptedProjectPath(path)) EncryptProjectBuffer(bytes);
  const std::string file = Utf16ToUtf8(path);
  const std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
  if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size() ||
      std::fflush(out.get()) != 0) {
    error = file + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::u16string CNPRootClientBrowser::GetLibraryName() const {
  if (m_location.path.empty()) return {};
  return Utf8ToUtf16(std::filesystem::path(Utf16ToUtf8(m_location.path)).stem().string());
}
