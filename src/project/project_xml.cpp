#include "project/project_xml.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "objects/object.h"
#include "project/form_file_reader.h"
#include "project/project_crypt.h"
#include "project/project_location.h"
#include "project/web_file.h"
#include "project/xml_encoding.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kFailDocument = u"Can't open file. Fail at >>if(NULL == m_plDomDocument)<<";
constexpr std::u16string_view kFailWebFile = u"Can't open file. [GetWebFile]";
constexpr std::u16string_view kFailCrypt = u"Can't open file. [CRYPT]";

// The first element named name below top, in document order; iterative, so that no nesting
// depth can exhaust the stack.
pugi::xml_node FirstElementNamed(pugi::xml_node top, const char* name) {
  pugi::xml_node node = top.first_child();
  while (node) {
    if (node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0) return node;
    if (pugi::xml_node child = node.first_child()) {
      node = child;
      continue;
    }
    while (node != top && !node.next_sibling()) node = node.parent();
    if (node == top) break;
    node = node.next_sibling();
  }
  return {};
}

std::u16string CurrentDirectoryText() {
  std::error_code ignored;
  return Utf8ToUtf16(std::filesystem::current_path(ignored).string());
}

// Line and column (from 1) of a byte offset in text.
std::string Position(std::string_view text, ptrdiff_t offset) {
  const size_t at = std::min(static_cast<size_t>(std::max<ptrdiff_t>(offset, 0)), text.size());
  const std::string_view before = text.substr(0, at);
  const size_t line = static_cast<size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  const size_t lineStart = before.rfind('\n');
  const size_t column = at - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

struct CNPXml::ParseFailure {
  int code = 0;  // the parser's status, -1 when the text could not be decoded
  std::string reason;
  ptrdiff_t offset = 0;
};

CNPXml::CNPXml() = default;
CNPXml::~CNPXml() = default;

void CNPXml::ReleaseDocument() {
  m_pDocRoot = {};
  m_pXMLNodeFormRoot = {};
  m_plDomDocument.reset();
  m_text.clear();
  m_lineStarts.clear();
}

bool CNPXml::Fail(std::u16string text) {
  ReleaseDocument();
  CRTrace::Line(text);
  m_strError = std::move(text);
  return false;
}

bool CNPXml::Parse(std::span<const uint8_t> bytes, ParseFailure& failure) {
  ReleaseDocument();
  std::string error;
  if (!DecodeXmlBytes(bytes, m_text, error)) {
    failure = {-1, error, 0};
    m_strErrorDetail = error;
    return false;
  }
  // Parsing in place overwrites some line feeds: where the lines begin is kept before.
  m_lineStarts.clear();
  for (size_t at = m_text.find('\n'); at != std::string::npos; at = m_text.find('\n', at + 1))
    m_lineStarts.push_back(static_cast<uint32_t>(at + 1));
  auto document = std::make_unique<pugi::xml_document>();
  const pugi::xml_parse_result result =
      document->load_buffer_inplace(m_text.data(), m_text.size(), kFormXmlParseOptions, pugi::encoding_utf8);
  if (!result) {
    failure = {static_cast<int>(result.status), result.description(), result.offset};
    m_strErrorDetail = Position(m_text, result.offset) + ": " + result.description();
    m_text.clear();
    return false;
  }
  m_plDomDocument = std::move(document);
  return true;
}

std::pair<int32_t, int32_t> CNPXml::GetTextPosition(const char* place) const {
  if (!m_plDomDocument || place < m_text.data() || place >= m_text.data() + m_text.size()) return {0, 0};
  const auto offset = static_cast<uint32_t>(place - m_text.data());
  const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
  const uint32_t lineStart = next == m_lineStarts.begin() ? 0 : *(next - 1);
  return {static_cast<int32_t>(next - m_lineStarts.begin()) + 1,
          static_cast<int32_t>(offset - lineStart) + 1};
}

bool CNPXml::FindRoots(bool resource) {
  const std::u16string_view prefix = resource ? u"Can't open resource file. " : u"Can't open file. ";
  m_pDocRoot = m_plDomDocument ? m_plDomDocument->document_element() : pugi::xml_node();
  if (!m_pDocRoot) return Fail(std::u16string(prefix) + u"Fail at >>if(NULL == m_pDocRoot)<<");
  m_pXMLNodeFormRoot = FirstElementNamed(*m_plDomDocument, "FORMROOT");
  if (!m_pXMLNodeFormRoot)
    return Fail(std::u16string(prefix) + u"Fail at >>if(m_pXMLNodeFormRoot == NULL)<<");
  return true;
}

bool CNPXml::LoadProjectDocument(std::u16string_view path) {
  m_strError.clear();
  m_strErrorDetail.clear();
  try {
    return LoadProject(path);
  } catch (const std::exception& error) {
    return Fail(u"Can't open file. Fail at >>catch (_com_error exp)<<. Msg:" + Utf8ToUtf16(error.what()));
  }
}

bool CNPXml::LoadProject(std::u16string_view path) {
  const bool encrypted = IsEncryptedProjectPath(path);
  std::vector<uint8_t> bytes;
  std::string error;
  ParseFailure failure;
  if (path.find(u"http://") != std::u16string_view::npos) {
    if (!GetWebFile(Utf16ToUtf8(path), bytes, error, CNWebFileOptions{kMaxProjectFileBytes})) {
      m_strErrorDetail = error;
      return Fail(std::u16string(kFailWebFile) + std::u16string(path));
    }
    if (encrypted && !DecryptProjectBuffer(bytes, error)) {
      m_strErrorDetail = error;
      return Fail(std::u16string(kFailCrypt) + std::u16string(path));
    }
    Parse(bytes, failure);  // an unparsable buffer leaves no document element
  } else if (encrypted) {
    if (!ReadWholeFile(Utf16ToUtf8(path), bytes, kMaxProjectFileBytes, error) ||
        !DecryptProjectBuffer(bytes, error)) {
      m_strErrorDetail = error;
      return Fail(std::u16string(kFailDocument));
    }
    Parse(bytes, failure);
  } else if (!ReadWholeFile(Utf16ToUtf8(path), bytes, kMaxProjectFileBytes, error) ||
             !Parse(bytes, failure)) {
    if (!error.empty()) m_strErrorDetail = error;
    return Fail(u"Can't open file. File:" + std::u16string(path) + u" Directory:" + CurrentDirectoryText());
  }
  return FindRoots(false);
}

bool CNPXml::LoadResourceDocument(std::span<const CNResource> module, uint32_t id, std::u16string_view type) {
  m_strError.clear();
  m_strErrorDetail.clear();
  try {
    const auto found = std::find_if(module.begin(), module.end(), [&](const CNResource& resource) {
      return resource.id == id && EqualsIgnoreCaseAscii(resource.type, type);
    });
    if (found == module.end()) return Fail(u"Can't find resource xml.");
    ParseFailure failure;
    if (!Parse(found->bytes, failure)) {
      char text[64];
      std::snprintf(text, sizeof text, " filepos:%td", failure.offset);
      return Fail(u"Fail to load resource xml. err:" + AsciiToUtf16(std::to_string(failure.code)) +
                  u" reason:" + Utf8ToUtf16(failure.reason) + AsciiToUtf16(text));
    }
    return FindRoots(true);
  } catch (const std::exception& error) {
    const std::u16string message = u"Can't open resource file. Fail at >>catch (_com_error exp)<<.";
    return Fail(*error.what() ? message + u" Msg:" + Utf8ToUtf16(error.what()) : message);
  }
}

std::string ComposeProjectDocument(const CNObject& root, bool omitDefaults) {
  std::string out = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n";
  root.SaveXml(out, u"FORMROOT", omitDefaults);
  out += "</ROOT>\r\n";
  return out;
}
