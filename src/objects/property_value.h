#pragma once

#include <string>
#include <string_view>

#include "objects/object.h"
#include "support/ref_cnt.h"
#include "values/value.h"

// A value that stands for one property of one object and writes itself back through the
// object's property setter on commit (unless it is read-only).
class CNPropertyValue : public CNValue {
 public:
  CNPropertyValue() = default;
  CNPropertyValue(CNObject* object, std::u16string_view name, bool readOnly = false);
  ~CNPropertyValue() override = default;

  void Bind(CNObject* object, std::u16string_view name, bool readOnly = false);
  const std::u16string& GetPropertyName() const { return m_strName; }
  CNObject* GetObject() const { return m_pObject.Get(); }
  bool IsReadOnly() const { return m_ucReadOnly != 0; }

  void Commit() override;

 private:
  std::u16string m_strName;
  CRPtr<CNObject> m_pObject;
  uint8_t m_ucReadOnly = 0;
};
