#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

#include "support/utf16_text.h"
#include "values/value.h"

// Builds a value from its literal text (escapes on).
inline CNValue Lit(std::u16string_view text) {
  CNValue v;
  v.FromLiteral(text, true);
  return v;
}

inline CNValue Num(double n) {
  CNValue v;
  v.SetNumber(n);
  return v;
}

inline CNValue Str(std::u16string_view s) {
  CNValue v;
  v.SetString(s);
  return v;
}

// The literal text of a value as UTF-8, for readable assertions.
inline std::string LitText(const CNValue& v) { return Utf16ToUtf8(v.ToLiteral(true)); }

inline CNValue Op(int op, const CNValue& l, const CNValue& r) {
  CNValue result;
  CNValue::Operate(op, result, l, r);
  return result;
}

// Pins the process time zone for the lifetime of the guard.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_hadOld = true;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (m_hadOld) {
      setenv("TZ", m_old.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::string m_old;
  bool m_hadOld = false;
};
