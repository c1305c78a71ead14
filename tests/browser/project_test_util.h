#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

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

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
