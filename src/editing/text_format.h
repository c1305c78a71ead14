#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What an edit box accepts, built from its "TextType" and "TextFormat".
//
// "TEXT" boxes keep a maximum length; "NUMBER" boxes a number format of version 1 or 2:
//   version 1 := ["v1:"] digits "," minimum "," maximum "," base "," allow-empty "," check-time
//                "," message "," flag
//   digits    := integer-part ["." fraction-part]    (a part containing "#" is free)
//   version 2 := "v2:" decimal-places "," minimum "," maximum "," number-format "," extra
// Missing fields read as empty; an empty "TextFormat" is a version 2 format with every field empty.

enum CNTextType : int32_t {
  TEXT_TYPE_TEXT = 0,
  TEXT_TYPE_NUMBER = 1,
  TEXT_TYPE_PASSWORD = 2,
};

enum CNCheckTime : int32_t {
  CHECK_TYPING = 0,
  CHECK_ENTER = 1,
};

enum CNFormatMessage : int32_t {
  MESSAGE_NONE = 0,
  MESSAGE_AUTO = 1,  // Japanese under a Japanese locale, English otherwise
  MESSAGE_ENGLISH = 2,
  MESSAGE_JAPANESE = 3,
};

inline constexpr int32_t kFreeDigits = -1;

struct CNNumberEntryFormat {
  int32_t version = 2;
  std::optional<double> minimum;
  std::optional<double> maximum;
  // ---- version 1
  int32_t integerDigits = 0;   // kFreeDigits, or a count
  int32_t fractionDigits = 0;  // kFreeDigits, or a count
  int32_t base = 10;           // 2, 8, 10 or 16
  bool smallLetters = false;   // base 16 written with a to f
  bool allowEmpty = false;
  int32_t checkTime = CHECK_TYPING;
  int32_t message = MESSAGE_NONE;
  bool flag = false;  // the eighth field, kept for formats that carry it
  // ---- version 2
  int32_t decimalPlaces = -1;  // -1: the text keeps the digits typed
  std::u16string numberFormat = u"@NUMBER";
  std::u16string extra;  // the fifth field, kept for formats that carry it

  // Whether committing runs the numeric check.
  bool ChecksOnCommit() const { return version == 2 || checkTime == CHECK_ENTER; }
  // Whether the in-place editor checks each keystroke.
  bool ChecksWhileTyping() const { return version == 1 && checkTime == CHECK_TYPING; }
};

struct CNTextFormat {
  int32_t type = TEXT_TYPE_TEXT;
  uint32_t maxLength = 0;  // "TEXT": 0 for no limit
  CNNumberEntryFormat number;  // "NUMBER"
};

// type is a CNTextType; any other reads as "TEXT".
CNTextFormat ParseTextFormat(int32_t type, std::u16string_view text);

// A boolean field: "TRUE"/"T"/"Y" and "FALSE"/"F"/"N" ignoring case, otherwise a number that is
// not 0.
bool ParseFormatBool(std::u16string_view text);
