#include "panel_server_sim/tag_file.h"

#include <set>

#include "panel_server_sim/config_text.h"
#include "support/utf16_text.h"

namespace panel_sim {

namespace {

constexpr std::string_view kDemoTags =
    "# A small plant: two tanks with set points, two pumps and two valves between them, a boiler\n"
    "# and a batch. Demo.Tour lets the demo project walk through its screens by itself.\n"
    "Tank1.Level       number 50     sine 30000 5 95\n"
    "Tank1.SetPoint    number 80\n"
    "Tank2.Level       number 30     sine 45000 20 70\n"
    "Tank2.SetPoint    number 60\n"
    "Boiler.Temp       number 72.5   sine 60000 60 85\n"
    "Boiler.SetPoint   number 75\n"
    "Pump1.Running     bool   T\n"
    "Pump2.Running     bool   F\n"
    "Valve1.Open       bool   T\n"
    "Valve2.Open       bool   F\n"
    "Pump1.Hours       number 1200   ramp 1 5000\n"
    "Line.Counter      number 0      ramp 1 1000\n"
    "Batch.Name        string \"Batch A-17\"\n"
    "Batch.StartTime   time   #now#\n"
    "Plant.Message     string \"All systems normal\"\n"
    "Demo.Tour         bool   T\n";

bool ParseLine(const ConfigLine& line, TagDefinition& tag, std::string& error) {
  ConfigTokenizer tokens(line.text);
  tag.name = Utf8ToUtf16(tokens.Next());
  const std::string_view typeText = tokens.Next();
  if (typeText.empty()) {
    error = "expected NAME TYPE VALUE";
    return false;
  }
  if (!ParseTagType(typeText, tag.type)) {
    error = "unknown type \"" + std::string(typeText) + "\" (number, bool, string or time)";
    return false;
  }
  bool unclosed = false;
  const std::string_view valueText = tokens.NextLiteral(unclosed);
  if (valueText.empty() || unclosed) {
    error = valueText.empty() ? "missing VALUE" : "unclosed literal " + std::string(valueText);
    return false;
  }
  if (!tag.value.FromLiteral(Utf8ToUtf16(valueText), true) || tag.value.GetCount() != 1 ||
      tag.value.GetKind(0) != TagTypeKind(tag.type)) {
    error = "\"" + std::string(valueText) + "\" is not a " + std::string(TagTypeName(tag.type)) + " literal";
    return false;
  }
  const std::string_view generator = tokens.Next();
  if (!generator.empty() && !tag.generator.Parse(generator, tokens, tag.type, error)) return false;
  if (!tokens.AtEnd()) {
    error = "unexpected \"" + std::string(tokens.Next()) + "\"";
    return false;
  }
  return true;
}

}  // namespace

bool ParseTagFile(std::string_view text, std::vector<TagDefinition>& tags, std::string& error) {
  tags.clear();
  std::set<std::u16string> names;
  for (const ConfigLine& line : SplitConfigLines(text)) {
    if (ConfigTokenizer(line.text).AtEnd()) continue;
    TagDefinition tag;
    std::string message;
    if (!ParseLine(line, tag, message)) {
      error = LineError(line.number, message);
      return false;
    }
    if (!names.insert(tag.name).second) {
      error = LineError(line.number, "tag " + Utf16ToUtf8(tag.name) + " is defined twice");
      return false;
    }
    tags.push_back(std::move(tag));
  }
  return true;
}

std::string_view DemoTagText() { return kDemoTags; }

}  // namespace panel_sim
