#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "screen/visual_theme.h"
#include "screen/visual_theme_file.h"
#include "support/critical_handle.h"

// The visual themes of the running project and the current one. Every member locks the set, so
// any thread may resolve a colour.
//
// The set always starts from the built-in themes; a project's theme file is read after them,
// adding themes or changing built-in ones value by value (ReadVisualThemeFile). A name a theme
// does not define takes the value of the default theme, so a theme a project adds with only a
// few values still answers every name the objects use.
class CNVisualThemes : public CRCriticalHandle {
 public:
  static constexpr std::u16string_view kDefaultTheme = u"GRAY_3D";
  // The built-in themes and the project's together.
  static constexpr size_t kMaxThemes = 256;

  // The built-in themes, with the default one current.
  CNVisualThemes();

  // The set that drawn objects and the runtime use.
  static CNVisualThemes& Global();

  // ---- loading
  // Goes back to the built-in themes with the default one current, and reads the project's theme
  // file text over them (empty: none). Counts as a change.
  CNVisualThemeFileResult LoadProjectThemes(std::u16string_view projectText);

  // ---- the current theme
  // Makes the named theme (any case) current; false, keeping the current one, for an unknown name.
  bool SetCurrentTheme(std::u16string_view name);
  std::u16string GetCurrentTheme() const;
  // Counts every change of the current theme and every load: an object that remembers the count
  // it last resolved its colours at knows when to resolve them again.
  uint32_t GetChangeCount() const { return m_changeCount.load(std::memory_order_acquire); }

  // ---- queries
  // The names in order: the built-in themes as the built-in file lists them, then the ones the
  // project added.
  std::vector<std::u16string> GetThemeNames() const;
  // False for an unknown theme.
  bool GetComment(std::u16string_view theme, std::u16string& comment) const;
  // A copy of the theme as it is defined (without the default theme's values); false for an
  // unknown theme.
  bool GetTheme(std::u16string_view theme, CNVisualTheme& out) const;
  // The value of an "@" name in the named theme (empty: the current one); false for an unknown
  // theme or a name that neither it nor the default theme defines.
  bool GetValue(std::u16string_view theme, std::u16string_view name, std::u16string& value) const;

  // ---- resolution for drawing
  // formTheme is a form's "VisualTheme": "DEFAULT" (any case), empty, or a name the set does not
  // have mean the current theme.
  bool ResolveValue(std::u16string_view formTheme, std::u16string_view name, std::u16string& value) const;
  // A colour property's text as a colour number (red in the low byte): "#RRGGBB" itself, or the
  // theme's colour for an "@" name. False for an empty text (no colour), an unknown name or a
  // value that is not a colour.
  bool ResolveColor(std::u16string_view colorText, uint32_t& colorRef,
                    std::u16string_view formTheme = {}) const;
  // A border-style property's text as the style's item text: the theme's value for an "@" name,
  // any other text itself. False for an empty text or an unknown name. The caller looks the item
  // up in its own list.
  bool ResolveBorderStyle(std::u16string_view styleText, std::u16string& item,
                          std::u16string_view formTheme = {}) const;

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Call with the set locked. kNone, or null, when the set has no theme of that name.
  size_t IndexOf(std::u16string_view name) const;
  const CNVisualTheme* Find(std::u16string_view name) const;
  // The theme a form with this "VisualTheme" follows.
  const CNVisualTheme& ThemeForForm(std::u16string_view formTheme) const;
  // The theme's value, else the default theme's.
  const std::u16string* Lookup(const CNVisualTheme& theme, std::u16string_view name) const;
  void Changed() { m_changeCount.fetch_add(1, std::memory_order_acq_rel); }

  std::vector<CNVisualTheme> m_themes;
  size_t m_current = 0;
  size_t m_default = 0;  // built-in, so its place never changes
  std::atomic<uint32_t> m_changeCount{0};
};
