// The lookup of the screen classes' property tables by UTF-8 bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shapes/shapes.h"
#include "support/utf16_text.h"

namespace {

// The loader looks property names up by their UTF-8 bytes; that lookup must agree with the
// UTF-16 one, also for names that differ only in the middle, in length or outside ASCII.
TEST(ClassProperties, NamesFoundByTheirUtf8BytesAsByTheirUtf16Text) {
  const CNClassProperties& table = CNPRect().GetClassProperties();
  std::vector<std::string> names;
  for (uint32_t i = 0; i < table.GetCount(); ++i) {
    const std::string name = Utf16ToUtf8(table.GetInfo(i).name);
    names.push_back(name);
    std::string middle = name;
    middle[middle.size() / 2] ^= 0x20;
    names.insert(names.end(), {middle, name + "x", name.substr(0, name.size() - 1), name + "\xC3\xA9"});
  }
  names.insert(names.end(), {"", "FillColorPushX", "BorderColour", "L\xC3\xA9" "ft", "\xFF\xFE"});
  for (const std::string& name : names)
    EXPECT_EQ(table.Find(std::string_view(name)), table.Find(Utf8ToUtf16(name))) << name;
}

}  // namespace
