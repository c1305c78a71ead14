#include "methods/edit_box_formats.h"

#include <algorithm>

bool CNFormatStoreTextFormats::GetNumberBase(std::u16string_view formatName, int32_t& base) {
  CNNumberFormat format;
  if (!m_store.ResolveNumberFormat(formatName, format)) return false;
  base = format.base;
  return true;
}

std::u16string CNFormatStoreTextFormats::GetLocaleName() {
  std::u16string locale = m_store.GetLanguage();
  std::replace(locale.begin(), locale.end(), u'_', u'-');
  return locale;
}
