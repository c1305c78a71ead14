#pragma once

#include <array>
#include <string_view>

#include "controls/form.h"

// A folder of the project tree: it groups forms and further folders.
class CNPFormFolder : public CNObjectClass<CNPFormFolder, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Folder";
  static constexpr auto kProperties =
      JoinProperties(form_properties::PickProperties(common_properties::kBasicEntries, {u"Name", u"Comment"}),
                     common_properties::kLibraryEntries);
  static constexpr std::array<EventInfo, 0> kEvents{};
};
