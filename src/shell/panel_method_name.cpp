#include "shell/panel_method_name.h"

bool SplitPanelMethodName(std::u16string_view name, std::u16string& objectPath, std::u16string& method) {
  std::u16string text;
  text.reserve(name.size() + 8);
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == u':' && i + 1 < name.size() && name[i + 1] == u':') {
      text += u"root.";
      ++i;
    } else {
      text += name[i];
    }
  }
  const size_t dot = text.rfind(u'.');
  if (dot == std::u16string::npos || dot == 0) return false;
  objectPath = text.substr(0, dot);
  method = text.substr(dot + 1);
  return true;
}
