#include "script/compiler_error.h"

namespace {

struct ErrorText {
  std::u16string_view text;
  bool detailed;
};

constexpr ErrorText kErrorTexts[] = {
#define VELTRIX_ERROR_TEXT(name, text, detailed) {text, detailed},
    VELTRIX_COMPILER_ERRORS(VELTRIX_ERROR_TEXT)
#undef VELTRIX_ERROR_TEXT
};

}  // namespace

std::u16string_view CCompilerError::GetText(CompilerErrorCode code) {
  return code < CE_CODE_COUNT ? kErrorTexts[code].text : std::u16string_view();
}

std::u16string CCompilerError::FormatMessage(CompilerErrorCode code, std::u16string_view detail) {
  std::u16string message(GetText(code));
  if (code < CE_CODE_COUNT && kErrorTexts[code].detailed) message += detail;
  return message;
}
