#pragma once

#include <string>
#include <string_view>

#include "objects/value.h"
#include "support/ref_cnt.h"

// What a property value needs of the object that owns the property: its setter.
class CNPropertyTarget : public CRRefCnt {
 public:
  // Returns 1 when the property exists and was set.
  virtual int SetProperty(std::u16string_view name, const CNValue& value) = 0;
};

// A value that stands for one property of one object and writes itself back through the
// object's property setter on commit (unless it is read-only).
class CNPropertyValue : public CNValue {
 public:
  CNPropertyValue() = default;
  CNPropertyValue(CNPropertyTarget* object, std::u16string_view name, bool readOnly = false);
  ~CNPropertyValue() override = default;

  void Bind(CNPropertyTarget* object, std::u16string_view name, bool readOnly = false);
  const std::u16string& GetPropertyName() const { return m_strName; }
  CNPropertyTarget* GetObject() const { return m_pObject.Get(); }
  bool IsReadOnly() const { return m_ucReadOnly != 0; }

  void Commit() override;

 private:
  std::u16string m_strName;
  CRPtr<CNPropertyTarget> m_pObject;
  uint8_t m_ucReadOnly = 0;
};
