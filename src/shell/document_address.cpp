#include "shell/document_address.h"

namespace {

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// A file address's path as a Windows path: "/" as "\" and the two escapes undone, in the order
// that keeps "%2520" a literal "%20".
std::u16string FileFolder(std::u16string path) {
  ReplaceAll(path, u"/", u"\\");
  ReplaceAll(path, u"%20", u" ");
  ReplaceAll(path, u"%25", u"%");
  const size_t last = path.rfind(u'\\');
  return last == std::u16string::npos ? std::u16string() : path.substr(0, last + 1);
}

bool HasDrive(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' && ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

}  // namespace

std::u16string ResolveAgainstDocument(std::u16string_view name, std::u16string_view documentAddress) {
  std::u16string resolved(name);
  if (name.find(u':') != std::u16string_view::npos) return resolved;
  constexpr std::u16string_view kHttp = u"http://";
  constexpr std::u16string_view kFileRooted = u"file:///";
  constexpr std::u16string_view kFile = u"file://";
  if (documentAddress.find(kHttp) != std::u16string_view::npos) {
    const size_t last = documentAddress.rfind(u'/');
    return std::u16string(documentAddress.substr(0, last + 1)) + resolved;
  }
  if (const size_t at = documentAddress.find(kFileRooted); at != std::u16string_view::npos) {
    // "file:///C:/dir/" names a drive; "file:///srv/dir/" the root of this system's one tree,
    // whose "/" stays.
    std::u16string_view path = documentAddress.substr(at + kFileRooted.size());
    if (!HasDrive(path)) path = documentAddress.substr(at + kFileRooted.size() - 1);
    return FileFolder(std::u16string(path)) + resolved;
  }
  if (const size_t at = documentAddress.find(kFile); at != std::u16string_view::npos) {
    std::u16string path(documentAddress.substr(at + kFile.size()));
    if (!path.starts_with(u'\\') && path.find(u':') == std::u16string::npos) path.insert(0, u"//");
    return FileFolder(std::move(path)) + resolved;
  }
  return resolved;
}
