// Edit box texts read from and written to files.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editing/edit_box.h"
#include "support/utf16_text.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::filesystem::path ToPath(std::u16string_view path) {
  std::string name = Utf16ToUtf8(path);
  std::replace(name.begin(), name.end(), '\\', '/');
  return std::filesystem::path(name);
}

}  // namespace

bool CNPEditBox::LoadTextFile(std::u16string_view path) {
  if (path.empty()) return false;
  const std::filesystem::path file = ToPath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return false;
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return false;
  std::string_view content(bytes);
  if (content.starts_with(kUtf8Mark)) content.remove_prefix(kUtf8Mark.size());
  CNValue text;
  text.SetString(Utf8ToUtf16(content));
  return SetProperty(u"Text", text) != 0;
}

bool CNPEditBox::SaveTextFile(std::u16string_view path) const {
  if (path.empty()) return false;
  std::ofstream out(ToPath(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string bytes = Utf16ToUtf8(GetText());
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}
