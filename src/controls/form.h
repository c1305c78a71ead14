#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "controls/collection_base.h"
#include "controls/control_properties.h"
#include "screen/scrollable_object.h"

// A screen of the project: the objects of one form file part, drawn over the form's background.
namespace form_properties {

// The named entries of `from`, in the order named, for a class that has only some entries of a
// shared piece. Naming an entry that `from` lacks does not compile (the search runs off its end).
template <size_t N, size_t M>
constexpr std::array<PropertyEntry, M> PickProperties(const std::array<PropertyEntry, N>& from,
                                                      const std::u16string_view (&names)[M]) {
  std::array<PropertyEntry, M> picked{};
  for (size_t k = 0; k < M; ++k) {
    size_t i = 0;
    while (from.at(i).info.name != names[k]) ++i;
    picked[k] = from[i];
  }
  return picked;
}

inline constexpr std::u16string_view kForm = u"Form";
inline constexpr std::u16string_view kView = u"View";
inline constexpr std::u16string_view kMenu = u"Menu";

inline constexpr std::array kFormBasicEntries = JoinProperties(
    PickProperties(common_properties::kBasicEntries,
                   {u"Name", u"Comment", u"Enabled", u"EnabledInput", u"Focusable"}),
    common_properties::kFocusFrameEntries,
    std::array{
        Prop(common_properties::kBasic, u"Title", PT_STRING, u"", {}, 1, 0),  // window or tab title
        Prop(common_properties::kBasic, u"TabMode", PT_ENUM, u"INDEX", u"NONE,INDEX,DOWN,RIGHT,TABINDEX"),
    },
    PickProperties(common_properties::kBasicEntries, {u"TranslationProp"}));

inline constexpr std::array kFormSizeEntries =
    PickProperties(common_properties::kPositionEntries, {u"Height", u"Width"});

// "DEFAULT" theme and an empty locale follow the project; a form is not scaled unless it says so.
inline constexpr std::array kFormEntries = {
    Prop(kForm, u"VisualTheme", PT_VISUAL_THEME, u"DEFAULT", u"DEFAULT", 1, 0),
    Prop(kForm, u"LocaleLanguage", PT_LOCALE, u"", {}, 1, 0),
    Prop(kForm, u"HiddenForm", PT_BOOL, u"F"),
    Prop(kForm, u"DrawMode", PT_ENUM, u"NORMAL", u"NORMAL,ACCELERATE"),
    Prop(kForm, u"FillColor", PT_COLOR, u"@FormColor", {}, 1, 1, kPropertyColor),
    Prop(kForm, u"Stretch", PT_ENUM, u"NONE",
         u"CURRENT,ROOT,NONE,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE", 1, 0),
    Prop(kForm, u"AllowZoom", PT_ENUM, u"DEFAULT", u"DEFAULT,TRUE,FALSE"),
};

// The background image, kept that far from the form's edges.
inline constexpr std::array kFormImageEntries =
    JoinProperties(control_properties::kImageFileEntries,
                   std::array{
                       Prop(control_properties::kImage, u"ImageSpaceLeft", PT_INTEGER, u"0"),
                       Prop(control_properties::kImage, u"ImageSpaceRight", PT_INTEGER, u"0"),
                       Prop(control_properties::kImage, u"ImageSpaceBottom", PT_INTEGER, u"0"),
                       Prop(control_properties::kImage, u"ImageSpaceTop", PT_INTEGER, u"0"),
                   });

// The view around the form; an empty colour leaves the view's own.
inline constexpr std::array kViewEntries =
    JoinProperties(std::array{Prop(kView, u"ViewFillColor", PT_COLOR, u"", {}, 1, 1, kPropertyColor)},
                   CNPScrollableObject::kScrollPositionEntries);

inline constexpr std::array kMenuEntries = {
    Prop(kMenu, u"MenuCandidate", PT_BOOL, u"F", {}, 1, 0),
    Prop(kMenu, u"MenuFilter", PT_STRING, u"", {}, 1, 0),
    Prop(kMenu, u"MenuParam", PT_TEXT, u"", {}, 1, 0),
};

// "OnDialogClose": a handler may keep a dialog open by setting bClose false.
inline constexpr std::array kFormEvents = {
    EventInfo{kForm, u"OnBeforeInitialize", u""},
    EventInfo{kForm, u"OnDialogClose", u"&bClose"},
};

}  // namespace form_properties

class CNPForm : public CNObjectClass<CNPForm, CNPCollectionBase> {
 public:
  static constexpr std::u16string_view kClassId = u"Form";
  static constexpr auto kProperties = JoinProperties(
      form_properties::kFormBasicEntries, form_properties::kFormSizeEntries, form_properties::kFormEntries,
      form_properties::kFormImageEntries, form_properties::kViewEntries, common_properties::kStateEntries,
      form_properties::kMenuEntries, common_properties::kLibraryEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(form_properties::kFormEvents);

 protected:
  // The background (fill colour, then the image), then the children.
  void OnDraw(CNDrawContext& context) override;
};
