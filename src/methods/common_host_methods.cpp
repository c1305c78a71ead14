// The common functions that reach the operator's desktop through the host (the display, the
// clipboard, a folder chooser) and the per-user settings store.
#include <array>
#include <mutex>
#include <string>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/registry_store.h"

namespace {

// The clipboard of a process whose host has none: one text, shared by every script.
struct ProcessClipboard {
  std::mutex lock;
  std::u16string text;
};

ProcessClipboard& Clipboard() {
  static ProcessClipboard s_clipboard;
  return s_clipboard;
}

// "GetDisplaySize"(): c(width, height) in pixels; no value without a display.
bool GetDisplaySize(CMethodCall& call) {
  if (call.Count() != 0) return false;
  uint32_t width = 0;
  uint32_t height = 0;
  if (!call.host.GetDisplaySize(width, height)) return true;
  constexpr uint32_t kTwo = 2;
  call.result.SetDimensions(1, &kTwo);
  call.result.SetNumberAt(0, width);
  call.result.SetNumberAt(1, height);
  return true;
}

// "SetClipboardData"(text): puts the text (a list's elements one per line) on the clipboard.
bool SetClipboardData(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::u16string text = ElementLinesText(call.Arg(0));
  if (!call.host.SetClipboardText(text)) {
    ProcessClipboard& clipboard = Clipboard();
    std::lock_guard<std::mutex> guard(clipboard.lock);
    clipboard.text = std::move(text);
  }
  call.result.SetBool(true);
  return true;
}

// "GetClipboardData"(): the clipboard's text; "" when it holds none.
bool GetClipboardData(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::u16string text;
  if (!call.host.GetClipboardText(text)) {
    ProcessClipboard& clipboard = Clipboard();
    std::lock_guard<std::mutex> guard(clipboard.lock);
    text = clipboard.text;
  }
  call.result.SetString(text);
  return true;
}

// "BrowseFolder"([title[, start folder]]): the folder the operator chose; no value when the
// choice was cancelled or cannot be offered.
bool BrowseFolder(CMethodCall& call) {
  if (call.Count() > 2) return false;
  const std::u16string title = call.Count() > 0 ? ArgText(call.Arg(0)) : std::u16string();
  const std::u16string start = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  std::u16string folder;
  if (call.host.BrowseFolder(title, start, folder)) call.result.SetString(folder);
  return true;
}

// "GetRegistoryValue"(key, name[, default]): the value stored under the key path ("\" or "/"
// between subkeys), a number or a text; the default (else no value) when there is none.
bool GetRegistoryValue(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  CRRegistryStore store(CRRegistryStore::DefaultRoot());
  CRRegistryValue value;
  if (!store.GetValue(ArgText(call.Arg(0)), ArgText(call.Arg(1)), value)) {
    if (call.Count() > 2) call.result.Assign(call.Arg(2));
  } else if (value.kind == CRRegistryValue::kNumber) {
    call.result.SetNumber(value.number);
  } else {
    call.result.SetString(value.text);
  }
  return true;
}

// "SetRegistoryValue"(key, name, value): stores element 0 of the value, a number or bool as a
// signed 32-bit whole number, anything else as its text ("" for no value); true when it was
// stored.
bool SetRegistoryValue(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const CNValue& value = call.Arg(2);
  const bool number = value.IsNumber(0) || value.IsBool(0);
  CRRegistryStore store(CRRegistryStore::DefaultRoot());
  call.result.SetBool(store.SetValue(
      ArgText(call.Arg(0)), ArgText(call.Arg(1)),
      number ? CRRegistryValue::Number(ArgInt32(value)) : CRRegistryValue::Text(value.GetTextEmptyNA(0))));
  return true;
}

constexpr std::array kHostMethods = {
    MethodEntry{u"BrowseFolder", "Lets the operator choose a folder", &BrowseFolder},
    MethodEntry{u"GetDisplaySize", "The display's width and height in pixels", &GetDisplaySize},
    MethodEntry{u"GetRegistoryValue", "A value of the runtime's settings store, or a default",
                &GetRegistoryValue},
    GuardedMethod(u"SetRegistoryValue", "Stores a number or text in the runtime's settings store",
                  &SetRegistoryValue, CapabilityFamily::kSettings, 3, 3),
    GuardedMethod(u"SetClipboardData", "Puts a text on the clipboard", &SetClipboardData,
                  CapabilityFamily::kClipboard, 1, 1),
    GuardedMethod(u"GetClipboardData", "The clipboard's text", &GetClipboardData,
                  CapabilityFamily::kClipboard, 0, 0, MethodFailure::kNothing),
};

}  // namespace

std::u16string ElementLinesText(const CNValue& value) {
  std::u16string text;
  for (uint32_t i = 0; i < value.GetCount(); ++i) {
    if (i) text += u'\n';
    text += value.GetText(i);
  }
  return text;
}

std::span<const MethodEntry> CommonHostMethods() {
  return kHostMethods;
}
