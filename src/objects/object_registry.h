#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/object.h"

// Makes new objects of one class, each with a reference count of 1.
class CNObjectClassFactory {
 public:
  virtual ~CNObjectClassFactory() = default;
  virtual CNObject* Create() = 0;
};

template <class T>
class CNObjectClassFactoryStandard : public CNObjectClassFactory {
 public:
  CNObject* Create() override { return new T; }
};

// One registered class.
struct CNObjectClassRecord {
  std::u16string clid;
  std::u16string displayName;
  std::u16string category;
  uint32_t resource1 = 0;
  uint32_t resource2 = 0;
  uint32_t order = 0;  // palette order
  std::u16string shapeKind;
  std::unique_ptr<CNObjectClassFactory> factory;
};

// Creates objects by class id.
class CNObjectRegistry {
 public:
  virtual ~CNObjectRegistry() = default;
  // A new object of the class; null (after a "Can't create control. " warning) when unknown.
  virtual CNObject* Create(std::u16string_view clid) = 0;
  // False, with the " already registered" warning, when the clid is taken.
  virtual bool Register(std::u16string_view clid, std::u16string_view displayName, uint32_t resource1,
                        std::u16string_view category, uint32_t order, uint32_t resource2,
                        std::u16string_view shapeKind, std::unique_ptr<CNObjectClassFactory> factory) = 0;
  virtual bool Unregister(std::u16string_view clid, std::u16string_view category) = 0;
  virtual uint32_t GetCategoryCount() const = 0;
};

// The registry: clid records in a hash map (a file names a class for every object it holds),
// and the categories with their records in registration order. Classes without a palette
// category sit in the category "".
class CPanelControls : public CNObjectRegistry {
 public:
  struct Category {
    std::u16string name;
    std::vector<const CNObjectClassRecord*> classes;
  };

  CNObject* Create(std::u16string_view clid) override;
  bool Register(std::u16string_view clid, std::u16string_view displayName, uint32_t resource1,
                std::u16string_view category, uint32_t order, uint32_t resource2, std::u16string_view shapeKind,
                std::unique_ptr<CNObjectClassFactory> factory) override;
  bool Unregister(std::u16string_view clid, std::u16string_view category) override;
  uint32_t GetCategoryCount() const override { return static_cast<uint32_t>(m_categories.size()); }

  const CNObjectClassRecord* Find(std::u16string_view clid) const;
  const std::vector<Category>& GetCategories() const { return m_categories; }

  // The process-wide registry, made on first use; ReleaseInstance drops it once every category
  // has been unregistered.
  static CPanelControls& Instance();
  static void ReleaseInstance();

 private:
  // Looks up a clid given as a view without making a string of it.
  struct ClidHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view clid) const {
      uint64_t hash = 14695981039346656037ull;  // FNV-1a: clids are short
      for (const char16_t c : clid) hash = (hash ^ c) * 1099511628211ull;
      return static_cast<size_t>(hash ^ hash >> 32);
    }
  };
  std::unordered_map<std::u16string, CNObjectClassRecord, ClidHash, std::equal_to<>> m_classes;
  std::vector<Category> m_categories;
};

// Registers a class under its clid with the standard factory.
template <class T>
bool RegisterObjectClass(CNObjectRegistry& registry, std::u16string_view clid, std::u16string_view category,
                         std::u16string_view displayName = {}, std::u16string_view shapeKind = {},
                         uint32_t order = 0) {
  return registry.Register(clid, displayName.empty() ? clid : displayName, 0, category, order, 0, shapeKind,
                           std::make_unique<CNObjectClassFactoryStandard<T>>());
}
