#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/utf16_text.h"
#include "values/value.h"

inline std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

inline CNValue Text(std::u16string_view text) {
  CNValue value;
  value.SetString(text);
  return value;
}

// A folder of its own under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrix_projectXXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    m_path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(std::string_view name) const { return (m_path / name).string(); }

  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path path = m_path / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  std::string Write(std::string_view name, const std::vector<uint8_t>& bytes) const {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

 private:
  std::filesystem::path m_path;
};

// A project document: the declaration, ROOT, and a FORMROOT with these attributes and children.
inline std::string ProjectText(std::string_view rootAttributes, std::string_view children = {}) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n<FORMROOT clid=\"Client\" " +
         std::string(rootAttributes) + ">\r\n" + std::string(children) + "</FORMROOT>\r\n</ROOT>\r\n";
}

inline std::string Cwd() {
  return std::filesystem::current_path().string();
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An attribute value with the XML escapes a script needs.
inline std::string Attr(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

// The root's attribute of an event script.
inline std::string RootEvents(std::string_view script) {
  return "Event=\"" + Attr(script) + "\"";
}

// A form element with an event script and children.
inline std::string Form(std::string_view name, std::string_view script = {}, std::string_view children = {},
                        std::string_view attributes = {}) {
  return "<OBJ clid=\"Form\" Name=\"" + std::string(name) + "\" Width=\"400\" Height=\"300\" " +
         std::string(attributes) + " Event=\"" + Attr(script) + "\">\r\n" + std::string(children) +
         "</OBJ>\r\n";
}

// A project's text (the demo's) with a server port in place of its own 6001.
inline std::string WithPanelPort(std::string project, uint16_t port) {
  const std::string own = "PSPanelPort=\"6001\"";
  if (const size_t at = project.find(own); at != std::string::npos)
    project.replace(at, own.size(), "PSPanelPort=\"" + std::to_string(port) + "\"");
  return project;
}
