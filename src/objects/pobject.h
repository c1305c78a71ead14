#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "objects/common_properties.h"
#include "objects/object.h"

// Bits of the interaction state word.
inline constexpr int32_t kStateFocus = 1;
inline constexpr int32_t kStateMouseIn = 2;
inline constexpr int32_t kStateLeftButton = 4;
inline constexpr int32_t kStateMiddleButton = 8;
inline constexpr int32_t kStateRightButton = 16;
inline constexpr int32_t kStateHold = 512;  // while set, leaving the object is ignored

// An object's rectangle in its parent's coordinates.
struct CNRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  friend bool operator==(const CNRect&, const CNRect&) = default;
};

// The base of every object that lives in a form: common properties, common events and their
// dispatch to the object's event script, interaction states, timers, animations and the link
// to bind scripts.
class CNPObject : public CNObject {
 public:
  static constexpr auto kProperties =
      JoinProperties(common_properties::kBasicEntries, common_properties::kPositionEntries,
                     common_properties::kStateEntries, common_properties::kTooltipEntries,
                     common_properties::kLibraryEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

  const CNClassProperties& GetClassProperties() const override;

  // Runs the handler of that name in the object's event script with the arguments in
  // parameter order; false when there is no handler (or no script engine).
  bool FireEvent(std::u16string_view name, CNValue* args = nullptr, uint32_t count = 0);
  bool HasEventHandler(std::u16string_view name) const;

  // After every change of a property, also of the state properties.
  virtual void PropertyChanged(std::u16string_view name);
  const std::set<std::u16string, std::less<>>& GetChangedProperties() const { return m_changed; }
  void ClearChangedProperties() { m_changed.clear(); }

  int SetProperty(std::u16string_view name, const CNValue& value) override;

  CNRect GetRect() const;
  void SetRect(const CNRect& rect);

 protected:
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  int GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const override;

 private:
  std::set<std::u16string, std::less<>> m_changed;
};

// The base of the interactive and drawn objects.
class CNPControl : public CNPObject {};
