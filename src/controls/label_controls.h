#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/object_text_draw.h"
#include "screen/pobject.h"

// Texts placed on a form: the plain label and the hyperlink, which opens its link when clicked.
namespace label_properties {

using namespace control_properties;

inline constexpr std::array kLabelTextEntries =
    JoinProperties(kTextEntries, kTextAlignEntries, std::array{Prop(kText, u"TextWordBreak", PT_BOOL, u"F")});

inline constexpr std::u16string_view kLink = u"Link";

inline constexpr std::array kLinkEntries = {
    Prop(kLink, u"Link", PT_STRING, u""),  // an address, a file or a form name
    Prop(kLink, u"LinkColor", PT_COLOR, u"#0000FF"),
    Prop(kLink, u"LinkColorHover", PT_COLOR, u"#FF0000"),
    Prop(kLink, u"LinkUnderline", PT_BOOL, u"T"),
};

}  // namespace label_properties

class CNPLabel : public CNObjectClass<CNPLabel, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Label";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      label_properties::kLabelTextEntries, control_properties::BorderEntries(u"F"),
      control_properties::FillEntries(u"F"));
  static constexpr auto kEvents = common_properties::kCommonEvents;

 protected:
  // The background, the flat border and the text (label_draw.cpp).
  void OnDraw(CNDrawContext& context) override;

 private:
  CNTextLayoutCache m_textCache;
};

class CNPHyperLink : public CNObjectClass<CNPHyperLink, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"HyperLink";
  // The link colours take the place of "TextColor".
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::OmitEntries(label_properties::kLabelTextEntries, {u"TextColor"}),
      label_properties::kLinkEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

 protected:
  // The text in the link colour of the mouse state (label_draw.cpp).
  void OnDraw(CNDrawContext& context) override;

 private:
  CNTextLayoutCache m_textCache;
};
