#include "project/project_location.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "project/web_file.h"
#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kHttp = u"http://";
constexpr std::u16string_view kLogin = u"login://";
constexpr std::u16string_view kDeleteMark = u"[del]";
constexpr std::u16string_view kTemporaryProject = u"OperationRunTempXML.xml";
constexpr std::u16string_view kBuiltin = u"sys:";

std::u16string WithSlashes(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c == u'\\') c = u'/';
  return out;
}

std::u16string WithTrailingSlash(std::u16string text) {
  if (text.empty() || text.back() != u'/') text += u'/';
  return text;
}

std::u16string CurrentDirectory() {
  std::error_code ignored;
  return Utf8ToUtf16(std::filesystem::current_path(ignored).string());
}

// "http://" and the text after it up to the last "/"; the whole path and "/" when that text has
// no "/".
std::u16string WebBase(std::u16string_view path, size_t at) {
  const std::u16string_view rest = path.substr(at + kHttp.size());
  const size_t slash = rest.rfind(u'/');
  if (slash == std::u16string_view::npos) return std::u16string(path) + u'/';
  return std::u16string(kHttp) + std::u16string(rest.substr(0, slash));
}

}  // namespace

CNProjectLocation LocateProject(std::u16string_view path) {
  CNProjectLocation location;
  location.path = path;
  if (const size_t at = path.find(kHttp); at != std::u16string_view::npos) {
    location.kind = CNProjectPathKind::kWeb;
    location.folder = WithTrailingSlash(WebBase(path, at));
  } else if (const size_t login = path.find(kLogin); login != std::u16string_view::npos) {
    location.kind = CNProjectPathKind::kLogin;
    std::u16string_view file = path.substr(login + kLogin.size());
    location.deleteLoginFile = file.starts_with(kDeleteMark);
    if (location.deleteLoginFile) file.remove_prefix(kDeleteMark.size());
    location.loginFile = WithSlashes(file);
  } else if (path.find(kTemporaryProject) != std::u16string_view::npos) {
    location.kind = CNProjectPathKind::kTemporary;
    location.folder = WithTrailingSlash(CurrentDirectory());
  } else {
    const std::filesystem::path given(Utf16ToUtf8(WithSlashes(path)));
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(given, ignored).lexically_normal();
    location.path = Utf8ToUtf16(absolute.string());
    location.folder = WithTrailingSlash(Utf8ToUtf16(absolute.parent_path().string()));
  }
  return location;
}

bool IsEncryptedProjectPath(std::u16string_view path) {
  return path.size() >= 4 && EqualsIgnoreCaseAscii(path.substr(path.size() - 4), u".brw");
}

CNProjectFile ResolveProjectFile(const CNProjectLocation& location, std::u16string_view name) {
  if (name.starts_with(kBuiltin))
    return {CNProjectFile::kBuiltin, std::u16string(name.substr(kBuiltin.size()))};
  const std::u16string file = WithSlashes(name);
  if (file.find(kHttp) != std::u16string::npos) return {CNProjectFile::kWeb, file};
  const CNProjectFile::Kind kind =
      location.kind == CNProjectPathKind::kWeb ? CNProjectFile::kWeb : CNProjectFile::kLocal;
  if (kind == CNProjectFile::kLocal && file.starts_with(u'/')) return {kind, file};
  return {kind, location.folder + file};
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes,
                   std::string& error) {
  bytes.clear();
  const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  uint8_t chunk[65536];
  while (size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    if (got > maxBytes - bytes.size()) {
      error = path + ": larger than " + std::to_string(maxBytes) + " bytes";
      bytes.clear();
      return false;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) {
    error = path + ": read error";
    bytes.clear();
    return false;
  }
  return true;
}

bool ReadProjectFile(const CNProjectFile& file, std::vector<uint8_t>& bytes, std::string& error) {
  switch (file.kind) {
    case CNProjectFile::kBuiltin:
      error = "sys:" + Utf16ToUtf8(file.name) + ": a built-in resource";
      return false;
    case CNProjectFile::kWeb:
      return GetWebFile(Utf16ToUtf8(file.name), bytes, error, CNWebFileOptions{kMaxProjectFileBytes});
    case CNProjectFile::kLocal:
      break;
  }
  return ReadWholeFile(Utf16ToUtf8(file.name), bytes, kMaxProjectFileBytes, error);
}
