#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// What a format file says, line by line. The file is made of section lines, a format name in
// square brackets, each followed by lines of a key, "=" and a value; both key and value lose
// their surrounding blanks. Only sections whose name begins with "@" are reported, and only
// their lines with a key that is not empty; lines outside such a section, lines without "=" and
// blank lines are skipped.
class CNFormatFileSink {
 public:
  virtual ~CNFormatFileSink() = default;
  // offset: where the section line starts in the text.
  virtual void Section(std::u16string_view name, size_t offset) = 0;
  virtual void Key(std::u16string_view key, std::u16string_view value) = 0;
};

void ReadFormatFile(std::u16string_view text, CNFormatFileSink& sink);

// The text a family of formats is loaded from: the built-in default, a line feed and the
// project's own text, read as one file (so a project text that opens without a section line
// continues the default's last section). Sections that start at or after ProjectTextStart of
// the joined text come from the project.
std::u16string JoinFormatText(std::string_view defaultText, std::u16string_view projectText);
size_t ProjectTextStart(std::string_view defaultText);

// Loads the named records of one format family from the default text and the project's text:
// a section seen for the first time adds a record with every key at its default (records
// already in `named` are kept and changed), and each key goes to setKey(record, key, value).
// userNames receives the sections the project's text opens, in first-seen order.
template <class Record, class SetKey>
void LoadFormatFile(std::string_view defaultText, std::u16string_view projectText,
                    std::map<std::u16string, Record, std::less<>>& named,
                    std::vector<std::u16string>& userNames, SetKey setKey) {
  class Loader : public CNFormatFileSink {
   public:
    Loader(std::map<std::u16string, Record, std::less<>>& named, std::vector<std::u16string>& userNames,
           size_t projectStart, SetKey& setKey)
        : m_named(named), m_userNames(userNames), m_projectStart(projectStart), m_setKey(setKey) {}
    void Section(std::u16string_view name, size_t offset) override {
      m_current = &m_named.try_emplace(std::u16string(name)).first->second;
      if (offset >= m_projectStart &&
          std::find(m_userNames.begin(), m_userNames.end(), name) == m_userNames.end())
        m_userNames.emplace_back(name);
    }
    void Key(std::u16string_view key, std::u16string_view value) override {
      m_setKey(*m_current, key, value);
    }

   private:
    std::map<std::u16string, Record, std::less<>>& m_named;
    std::vector<std::u16string>& m_userNames;
    size_t m_projectStart;
    SetKey& m_setKey;
    Record* m_current = nullptr;
  };
  Loader loader(named, userNames, ProjectTextStart(defaultText), setKey);
  ReadFormatFile(JoinFormatText(defaultText, projectText), loader);
}
