#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the numeric check of edit boxes needs from the project's regional setup: the number
// formats live with the scripts, so they install an implementation here. Without one, every
// number format counts in base 10 and the locale comes from the environment.
class CNTextFormatEnvironment {
 public:
  virtual ~CNTextFormatEnvironment() = default;
  // The base (2, 8, 10 or 16) of the named number format; false when there is no such format.
  virtual bool GetNumberBase(std::u16string_view formatName, int32_t& base) = 0;
  // The current locale name, such as "ja-JP" or "en".
  virtual std::u16string GetLocaleName() = 0;

  // The installed environment, or null.
  static CNTextFormatEnvironment* GetCurrent();
  // Installs environment (nullptr for none) and returns the previous one; the caller keeps it
  // alive for as long as it is current.
  static CNTextFormatEnvironment* SetCurrent(CNTextFormatEnvironment* environment);
};

// The base of the named number format through the installed environment; 10 without one or
// for an unknown name.
int32_t NumberFormatBase(std::u16string_view formatName);
// The locale through the installed environment; without one the first of LC_ALL, LC_MESSAGES
// and LANG that is set, without encoding, "_" written "-" ("ja_JP.UTF-8" gives "ja-JP").
std::u16string CurrentLocaleName();
