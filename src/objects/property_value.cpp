#include "objects/property_value.h"

CNPropertyValue::CNPropertyValue(CNObject* object, std::u16string_view name, bool readOnly) {
  Bind(object, name, readOnly);
}

void CNPropertyValue::Bind(CNObject* object, std::u16string_view name, bool readOnly) {
  m_pObject = CRPtr<CNObject>::Retain(object);
  m_strName = name;
  m_ucReadOnly = readOnly ? 1 : 0;
}

void CNPropertyValue::Commit() {
  if (m_pObject && !m_ucReadOnly) m_pObject->SetProperty(m_strName, *this);
}
