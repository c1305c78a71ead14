// The root object's global functions for maps, configuration, text files, errors, formats and
// themes, and what a script may ask about the runtime itself. The maps and the file functions
// live in root_map_methods.cpp and root_file_methods.cpp.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/blink_format_parser.h"
#include "formats/format_store.h"
#include "formats/number_format_parser.h"
#include "methods/method_args.h"
#include "methods/root_data.h"
#include "methods/root_data_parts.h"
#include "methods/root_methods.h"
#include "methods/runtime_host.h"
#include "objects/property_codec.h"
#include "screen/visual_themes.h"
#include "script/object_handle.h"
#include "support/utf16_text.h"

namespace {

// "GetBrowserType"() answers the position of this runtime in the project setting
// "RunBrowserType" ("PANEL_BROWSER,WEB_BROWSER,USER_APPLICATION"): the panel browser.
constexpr double kBrowserType = 0;

// Hands the call to the runtime under the function's name; false (and the result empty) when
// there is no runtime or it does not answer.
bool AskRuntime(CMethodCall& call, std::u16string_view name) {
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime && runtime->Request(name, call.args, call.result)) return true;
  call.result.Clear();
  return false;
}

void SetTexts(CNValue& result, const std::vector<std::u16string>& texts) {
  if (texts.empty()) return result.Clear();
  const auto count = static_cast<uint32_t>(texts.size());
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.SetStringAt(i, texts[i]);
}

// ---- errors

// "GetLastError"(): the last error a script set with "SetLastError" or a root function left
// (a text); "" when there is none.
bool GetLastError(CMethodCall& call) {
  if (call.Count() != 0) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  if (data->lastError.IsEmpty()) {
    call.result.SetString(u"");
  } else {
    call.result.Assign(data->lastError);
  }
  return true;
}

// "SetLastError"([value]): keeps the value (a text, a number, any value) for "GetLastError";
// without an argument clears it.
bool SetLastError(CMethodCall& call) {
  if (call.Count() > 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  if (call.Count() == 0) {
    data->lastError.Clear();
  } else {
    data->lastError.Assign(call.Arg(0));
  }
  call.result.SetBool(true);
  return true;
}

// ---- formats

// "GetNumberFormatParser"([format string]): a new number format parser object, holding the
// format the string names ("@NUMBER" without one); the empty value when the string names no
// format. The root keeps the last 64 parsers made; an older one's values then name no object.
bool GetNumberFormatParser(CMethodCall& call) {
  if (call.Count() > 1) return false;
  auto parser = CRPtr<CNPNumberFormatParser>::Make();
  const std::u16string format = call.Count() > 0 ? ArgText(call.Arg(0)) : std::u16string();
  if (!format.empty() && !parser->SetFormatName(format)) {
    SetRootLastError(call, u"No number format: " + format);
    return true;
  }
  call.result.SetObject(HandleOf(parser.Get()));
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  data->parsers.push_back(CRPtr<CNObject>(std::move(parser)));
  if (data->parsers.size() > CKVRootData::kMaxParsers) data->parsers.pop_front();
  return true;
}

// "GetBlinks"(): the names of the blink formats as a list of strings.
bool GetBlinks(CMethodCall& call) {
  if (call.Count() != 0) return false;
  SetTexts(call.result, CNFormatStore::Global().GetBlinkFormatNames());
  return true;
}

// "GetLocale"(): the locale the formats follow ("C" when the machine has none).
bool GetLocale(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetString(CNFormatStore::Global().GetLanguage());
  return true;
}

// A function only the runtime can answer, with from Low to High arguments; the empty value
// without a runtime.
template <size_t Low, size_t High, const char16_t* Name>
bool RuntimeQuery(CMethodCall& call) {
  if (!ArgCountIn(call, Low, High)) return false;
  AskRuntime(call, Name);
  return true;
}

// ---- visual themes: the built-in ones and those of the open project's theme file

// "GetVisualThemes"(): the names of the themes as a list of strings.
bool GetVisualThemes(CMethodCall& call) {
  if (call.Count() != 0) return false;
  SetTexts(call.result, CNVisualThemes::Global().GetThemeNames());
  return true;
}

// "GetVisualThemesComment"([theme]): the comment of the theme named (the empty value for an
// unknown one), or of every theme as a list.
bool GetVisualThemesComment(CMethodCall& call) {
  if (call.Count() > 1) return false;
  const CNVisualThemes& themes = CNVisualThemes::Global();
  std::u16string comment;
  if (call.Count() == 1) {
    if (themes.GetComment(ArgText(call.Arg(0)), comment)) call.result.SetString(comment);
    return true;
  }
  std::vector<std::u16string> comments;
  for (const std::u16string& name : themes.GetThemeNames()) {
    comment.clear();
    themes.GetComment(name, comment);
    comments.push_back(comment);
  }
  SetTexts(call.result, comments);
  return true;
}

// "GetVisualThemeAttr"(attribute[, theme]): the value of an "@" attribute in the current theme,
// or in the one named; the empty value when it has none.
bool GetVisualThemeAttr(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  std::u16string value;
  if (CNVisualThemes::Global().GetValue(call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string(),
                                        ArgText(call.Arg(0)), value))
    call.result.SetString(value);
  return true;
}

// "GetRGBColor"(colour) or "GetRGBColor"(red, green, blue): the colour number (red in the low
// byte) of "#RRGGBB", of a colour number, of the three channels (each modulo 256), or of the
// current theme's "@" colour; the empty value for anything else.
bool GetRGBColor(CMethodCall& call) {
  if (call.Count() == 3) {
    uint32_t color = 0;
    for (size_t i = 0; i < 3; ++i) color |= (static_cast<uint32_t>(ArgInt32(call.Arg(i))) & 0xFF) << (8 * i);
    call.result.SetNumber(color);
    return true;
  }
  if (call.Count() != 1) return false;
  const CNValue& arg = call.Arg(0);
  uint32_t color = 0;
  if (arg.IsNumber(0) && arg.GetCount() == 1) {
    call.result.SetNumber(static_cast<uint32_t>(ArgInt32(arg)) & 0xFFFFFF);
  } else if (const std::u16string text = ArgText(arg); ParseColorText(text, color)) {
    call.result.SetNumber(color);
  } else if (!text.empty() && text[0] == u'@' && CNVisualThemes::Global().ResolveColor(text, color)) {
    call.result.SetNumber(color);
  }
  return true;
}

// "GetFontName"(font): the face name a font text stands for: the current theme's font for an
// "@" name (the empty value when the theme has none), the text before the first comma else.
bool GetFontName(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::u16string text = ArgText(call.Arg(0));
  if (!text.empty() && text[0] == u'@' && !CNVisualThemes::Global().GetValue({}, text, text)) return true;
  call.result.SetString(std::u16string_view(text).substr(0, text.find(u',')));
  return true;
}

// ---- the runtime itself

// "GetBrowserType"(): 0, the panel browser.
bool GetBrowserType(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetNumber(kBrowserType);
  return true;
}

// "GetCurrentPath"(): the open project's folder; the current folder when no project is open.
bool GetCurrentPath(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::u16string folder;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (!runtime || !runtime->GetProjectFolder(folder)) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (!error) folder = Utf8ToUtf16(here.string());
  }
  call.result.SetString(folder);
  return true;
}

// "GetBrowserFileName"(): the open project's file name as it was opened; "" when none is open.
bool GetBrowserFileName(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::u16string name;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime) runtime->GetProjectFileName(name);
  call.result.SetString(name);
  return true;
}

// "Test"(anything): T; tells a script (or a container) that the runtime answers.
bool Test(CMethodCall& call) {
  call.result.SetBool(true);
  return true;
}

// "TranslateRoot"(text[, group]): the text in the project's current language; the text itself
// when there is no translation for it (or no runtime to translate).
bool TranslateRoot(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  if (!AskRuntime(call, u"TranslateRoot")) call.result.Assign(call.Arg(0));
  return true;
}

// "GetActionNames"(): the names of the host program's commands.
// "GetMenuCandidate"([menu[, text]]): the entries a menu offers.
// "GetSystemResource"(name): a built-in resource of the program ("sys:" names).
constexpr char16_t kGetActionNames[] = u"GetActionNames";
constexpr char16_t kGetMenuCandidate[] = u"GetMenuCandidate";
constexpr char16_t kGetSystemResource[] = u"GetSystemResource";

constexpr std::array kDataMethods = {
    MethodEntry{u"GetLastError", "The last error a script set or a root function left", &GetLastError},
    MethodEntry{u"SetLastError", "Keeps a value for GetLastError; clears it without one", &SetLastError},
    MethodEntry{u"GetBrowserType", "The kind of runtime: 0, the panel browser", &GetBrowserType},
    MethodEntry{u"GetBrowserFileName", "The open project's file name", &GetBrowserFileName},
    MethodEntry{u"GetCurrentPath", "The open project's folder", &GetCurrentPath},
    MethodEntry{u"GetActionNames", "The names of the host program's commands",
                &RuntimeQuery<0, 0, kGetActionNames>},
    MethodEntry{u"Test", "T: tells that the runtime answers", &Test},
    MethodEntry{u"GetVisualThemes", "The names of the visual themes", &GetVisualThemes},
    MethodEntry{u"GetVisualThemesComment", "The comment of a theme, or of every theme",
                &GetVisualThemesComment},
    MethodEntry{u"GetRGBColor", "The colour number of a colour text, number, theme colour or three channels",
                &GetRGBColor},
    MethodEntry{u"GetFontName", "The face name a font text stands for", &GetFontName},
    MethodEntry{u"GetVisualThemeAttr", "An @ attribute of the current or a named theme", &GetVisualThemeAttr},
    MethodEntry{u"GetNumberFormatParser", "A new number format object holding a format",
                &GetNumberFormatParser},
    MethodEntry{u"GetBlinks", "The names of the blink formats", &GetBlinks},
    MethodEntry{u"GetLocale", "The locale the formats follow", &GetLocale},
    MethodEntry{u"TranslateRoot", "A text in the project's current language", &TranslateRoot},
    MethodEntry{u"GetMenuCandidate", "The entries a menu offers", &RuntimeQuery<0, 2, kGetMenuCandidate>},
    MethodEntry{u"GetSystemResource", "A built-in resource of the program",
                &RuntimeQuery<1, 1, kGetSystemResource>},
};

}  // namespace

std::span<const MethodEntry> RootDataMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries(kDataMethods.begin(), kDataMethods.end());
    for (std::span<const MethodEntry> part : {RootMapMethods(), RootFileMethods()})
      entries.insert(entries.end(), part.begin(), part.end());
    return entries;
  }();
  return s_entries;
}
