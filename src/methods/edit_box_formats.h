#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editing/text_format_environment.h"
#include "formats/format_store.h"

// Edit boxes' view of a format store: the base of its number formats and its regional setting.
// The runtime installs one (CNTextFormatEnvironment::SetCurrent) while a project is open.
class CNFormatStoreTextFormats : public CNTextFormatEnvironment {
 public:
  explicit CNFormatStoreTextFormats(CNFormatStore& store) : m_store(store) {}
  bool GetNumberBase(std::u16string_view formatName, int32_t& base) override;
  // The store's locale with "_" written "-" ("ja_JP" gives "ja-JP").
  std::u16string GetLocaleName() override;

 private:
  CNFormatStore& m_store;
};
