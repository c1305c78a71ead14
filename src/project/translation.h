#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

class CNObject;

// The project's translation: a table of texts and what they read as in the operator's
// language, applied to the properties that each object names in its "TranslationProp".
//
// The table is the file "<TranslationGroup>.txt" (or "translation.txt" when the group is
// empty) in the folder "TranslationFolder" of the project: UTF-8 lines of the original text,
// "=" and the translated text; "\n" in either stands for a line break, "\=" for an equals
// sign, "\\" for a backslash; lines that start with "#" or ";" are comments. "TranslationProp"
// lists property names separated by commas, blanks or line breaks.
class CNPTranslation {
 public:
  // Reads the table from text; a malformed line is skipped. Returns how many entries it holds.
  size_t Load(std::u16string_view text);
  bool IsEmpty() const { return m_table.empty(); }
  // The translation of text; text itself when the table has none.
  std::u16string_view Translate(std::u16string_view text) const;
  // Translates the listed properties of every object of the tree; returns how many changed.
  size_t Apply(CNObject& root) const;

 private:
  std::unordered_map<std::u16string, std::u16string> m_table;
};
