#include "check_tags.h"

#include <algorithm>

#include "panel_server_sim/panel_server.h"
#include "server_tag_directory.h"

namespace {

// The tags of a tag file.
class FileTagDirectory : public CNTagDirectory {
 public:
  explicit FileTagDirectory(std::string path) : m_path(std::move(path)) {}

  bool Lookup(const std::vector<std::u16string>& names, std::vector<bool>& known,
              std::string& error) override {
    std::vector<panel_sim::TagDefinition> tags;
    if (!panel_sim::LoadTags(m_path, tags, error)) return false;
    known.clear();
    for (const std::u16string& name : names) {
      const auto same = [&](const panel_sim::TagDefinition& tag) { return tag.name == name; };
      known.push_back(std::any_of(tags.begin(), tags.end(), same));
    }
    return true;
  }

 private:
  std::string m_path;
};

}  // namespace

std::unique_ptr<CNTagDirectory> MakeTagDirectory(const CNTagSource& source) {
  if (source.argument.empty()) return nullptr;
  if (source.server) return MakeServerTagDirectory(source.argument);
  return std::make_unique<FileTagDirectory>(source.argument);
}
