#include "comm/client_result.h"

#include <cerrno>
#include <string>

namespace {

constexpr std::u16string_view kTexts[] = {
#define VELTRIX_CLIENT_STATUS_TEXT(name, text) text,
    VELTRIX_CLIENT_STATUSES(VELTRIX_CLIENT_STATUS_TEXT)
#undef VELTRIX_CLIENT_STATUS_TEXT
};
static_assert(std::size(kTexts) == CS_STATUS_COUNT);

// The status's text with its one mark ("%u" or "%s") replaced by filling.
std::u16string Fill(ClientStatus status, std::u16string_view mark, std::u16string_view filling) {
  const std::u16string_view text = ClientResult::GetText(status);
  const size_t at = text.find(mark);
  if (at == std::u16string_view::npos) return std::u16string(text);
  std::u16string out(text.substr(0, at));
  out += filling;
  out += text.substr(at + mark.size());
  return out;
}

}  // namespace

std::u16string_view ClientResult::GetText(ClientStatus status) {
  return status < CS_STATUS_COUNT ? kTexts[status] : std::u16string_view();
}

ClientResult ClientResult::Fail(ClientStatus status, uint32_t number) {
  const std::string digits = std::to_string(number);
  const std::u16string filling(digits.begin(), digits.end());
  return {kClientFailure, Fill(status, u"%u", filling), status, number};
}

ClientResult ClientResult::Fail(ClientStatus status, std::u16string_view detail) {
  return {kClientFailure, Fill(status, u"%s", detail), status, 0};
}

bool ClientResult::IsConnectionLost() const {
  if (status == CS_RECEIVE_FAILED) return number == 0 || number == ECONNRESET;
  if (status == CS_SEND_FAILED) return number == EPIPE || number == ECONNRESET;
  return false;
}
