#pragma once

#include <cstdint>
#include <memory>
#include <pugixml.hpp>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CNObject;

// A resource built into the program: its id, its type name and its bytes.
struct CNResource {
  uint32_t id = 0;
  std::u16string_view type;
  std::span<const uint8_t> bytes;
};

// A parsed project document: the DOM, its document element ("ROOT") and the first "FORMROOT"
// element anywhere in it, which the settings and forms are read from. A failed load leaves
// every member empty and the error text set to the message the operator is shown.
//
// Documents are decoded as DecodeXmlBytes describes and parsed without any document type
// processing: no entity is declared, nothing outside the document is read.
class CNPXml {
 public:
  CNPXml();
  virtual ~CNPXml();
  CNPXml(const CNPXml&) = delete;
  CNPXml& operator=(const CNPXml&) = delete;

  // Loads the project document at path: fetched with GetWebFile when the path contains
  // "http://", deciphered when it ends in ".brw", else read from the file.
  bool LoadProjectDocument(std::u16string_view path);
  // Loads the document of a built-in resource (the runtime's own dialogs: id 149, type "XML").
  bool LoadResourceDocument(std::span<const CNResource> module, uint32_t id, std::u16string_view type);

  void ReleaseDocument();
  bool HasDocument() const { return m_plDomDocument != nullptr; }
  pugi::xml_node GetDocRoot() const { return m_pDocRoot; }
  pugi::xml_node GetFormRoot() const { return m_pXMLNodeFormRoot; }
  const std::u16string& GetErrorText() const { return m_strError; }
  // What lies behind the last failure, for logs and tools: the parser's reason with its place
  // ("line 3, column 7: ..."), the file, network or cipher error; empty when there is none.
  const std::string& GetErrorDetail() const { return m_strErrorDetail; }
  // Line and column (from 1) of a place in the loaded document, given by a pointer to one of
  // its names (an element's or an attribute's, which the parser leaves where they stood);
  // {0, 0} for a pointer outside it.
  std::pair<int32_t, int32_t> GetTextPosition(const char* place) const;

 private:
  struct ParseFailure;
  // Decodes and parses bytes into m_plDomDocument; false leaves no document.
  bool Parse(std::span<const uint8_t> bytes, ParseFailure& failure);
  bool LoadProject(std::u16string_view path);
  // Takes the document element and the first FORMROOT; false with the message of the first
  // that is missing. resource selects the resource wording.
  bool FindRoots(bool resource);
  bool Fail(std::u16string text);

  std::unique_ptr<pugi::xml_document> m_plDomDocument;
  std::string m_text;                  // the decoded text; the document's strings point into it
  std::vector<uint32_t> m_lineStarts;  // offsets in m_text of every line but the first
  pugi::xml_node m_pDocRoot;
  pugi::xml_node m_pXMLNodeFormRoot;
  std::u16string m_strError;
  std::string m_strErrorDetail;
};

// A whole project file holding root as its FORMROOT element: a UTF-8 byte-order mark, the
// declaration `<?xml version="1.0" encoding="UTF-8"?>`, and root's element inside `<ROOT>`, with
// CR LF line breaks.
std::string ComposeProjectDocument(const CNObject& root, bool omitDefaults);
