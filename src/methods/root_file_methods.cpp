// The root object's file functions: whole text files, CSV files and the configuration store.
// Names may be written with "\" or "/"; a relative name is taken from the current folder (the
// project's folder while a project is open). A function that cannot do its work answers F (or
// the empty value) and leaves a text for "GetLastError"; it never stops the script for a file.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "methods/root_csv.h"
#include "methods/root_data.h"
#include "methods/root_data_parts.h"
#include "methods/root_file_io.h"
#include "methods/runtime_host.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

// The largest text and CSV file the functions read: the longest text a script works with.
constexpr size_t kMaxTextFileBytes = size_t{16} << 20;

// The most fields a CSV file may have, also after short rows are filled up: a file of nothing
// but delimiters must not take gigabytes to read.
constexpr size_t kMaxCsvFields = size_t{1} << 21;

// The configuration file of a project that names none.
constexpr std::u16string_view kDefaultConfigFile = u"config/system.cnf";

// ---- text files

// "LoadTextFile"(file): the file's text; the empty value when it cannot be read, is larger than
// 16 MiB or holds no text.
bool LoadTextFile(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const fs::path file = ArgPath(call.Arg(0));
  std::string bytes;
  std::u16string error;
  std::u16string text;
  if (!ReadWholeFile(file, kMaxTextFileBytes, bytes, error)) {
    SetRootLastError(call, error);
  } else if (!DecodeFileText(bytes, text)) {
    SetRootLastError(call, FileErrorText(u"Not a text file", file));
  } else {
    call.result.SetString(text);
  }
  return true;
}

// "SaveTextFile"(file, text[, append]): writes the text (a list's elements one per line) as
// UTF-8, in place of the file's content or, with append T, after it.
bool SaveTextFile(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const fs::path file = ArgPath(call.Arg(0));
  const std::string bytes = Utf16ToUtf8(ElementLinesText(call.Arg(1)));
  std::u16string error;
  const bool append = call.Count() > 2 && call.Arg(2).GetBool(0);
  const bool done = append ? AppendFileContent(file, bytes, error) : ReplaceFileContent(file, bytes, error);
  if (!done) SetRootLastError(call, error);
  call.result.SetBool(done);
  return true;
}

// ---- CSV files

// The delimiter argument at position i: its first character, "," when absent or empty; false
// for one that cannot separate fields (a quote or a line break).
bool CsvDelimiter(CMethodCall& call, size_t i, char16_t& delimiter) {
  const std::u16string text = i < call.Count() ? ArgText(call.Arg(i)) : std::u16string();
  delimiter = text.empty() ? u',' : text[0];
  if (delimiter != u'"' && delimiter != u'\r' && delimiter != u'\n') return true;
  SetRootLastError(call, u"A CSV delimiter cannot be a quote or a line break");
  return false;
}

// "LoadCsvFile"(file[, delimiter]): the records as a two-dimensional value of strings, rows by
// columns; the empty value for an empty file, one that cannot be read or is not CSV.
bool LoadCsvFile(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  char16_t delimiter = 0;
  if (!CsvDelimiter(call, 1, delimiter)) return true;
  const fs::path file = ArgPath(call.Arg(0));
  std::string bytes;
  std::u16string error;
  std::u16string text;
  std::vector<std::vector<std::u16string>> rows;
  if (!ReadWholeFile(file, kMaxTextFileBytes, bytes, error)) {
    SetRootLastError(call, error);
  } else if (!DecodeFileText(bytes, text)) {
    SetRootLastError(call, FileErrorText(u"Not a text file", file));
  } else if (const CsvStatus status = ParseCsv(text, delimiter, kMaxCsvFields, rows);
             status == CsvStatus::kOpenQuote) {
    SetRootLastError(call, FileErrorText(u"A quoted CSV field is never closed", file));
  } else if (status == CsvStatus::kTooManyFields || !CsvRowsToValue(rows, kMaxCsvFields, call.result)) {
    SetRootLastError(call, FileErrorText(u"The CSV file has too many fields", file));
  }
  return true;
}

// "SaveCsvFile"(file, value[, delimiter]): writes a value of at most two dimensions as CSV
// (UTF-8, CR LF after every record) in place of the file's content.
bool SaveCsvFile(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  call.result.SetBool(false);
  char16_t delimiter = 0;
  if (!CsvDelimiter(call, 2, delimiter)) return true;
  std::u16string text;
  std::u16string error;
  bool done = false;
  if (!ValueToCsv(call.Arg(1), delimiter, text)) {
    SetRootLastError(call, u"Only values of one or two dimensions can be saved as CSV");
  } else if (!(done = ReplaceFileContent(ArgPath(call.Arg(0)), Utf16ToUtf8(text), error))) {
    SetRootLastError(call, error);
  }
  call.result.SetBool(done);
  return true;
}

// ---- the configuration store

// The project's configuration file: the root's "ConfigFile" setting (default
// "config/system.cnf") taken from the project's folder.
fs::path DefaultConfigFile(CMethodCall& call) {
  CNValue setting;
  std::u16string name;
  if (call.target.GetRoot()->GetProperty(u"ConfigFile", setting) > 0) name = ArgText(setting);
  if (name.empty()) name = kDefaultConfigFile;
  std::replace(name.begin(), name.end(), u'\\', u'/');
  const fs::path file(Utf16ToUtf8(name));
  std::u16string folder;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (file.is_absolute() || !runtime || !runtime->GetProjectFolder(folder) || folder.empty()) return file;
  return fs::path(Utf16ToUtf8(folder)) / file;
}

// The configuration file a function names with argument i, else the project's.
fs::path ConfigFileArg(CMethodCall& call, size_t i) {
  return i < call.Count() && !ArgText(call.Arg(i)).empty() ? ArgPath(call.Arg(i)) : DefaultConfigFile(call);
}

// The store, read from the project's configuration file on first use when that file exists.
CKVConfigStore& Config(CMethodCall& call, CKVRootData& data) {
  if (!data.configLoaded) {
    data.configLoaded = true;
    const fs::path file = DefaultConfigFile(call);
    std::error_code ignored;
    std::u16string error;
    if (fs::exists(file, ignored) && !data.config.Load(file, error)) SetRootLastError(call, error);
  }
  return data.config;
}

// "GetConfig"(section, key[, default]): the value stored under the key of the section; the
// default (else the empty value) when there is none. The keys outside every section are those
// of the section "".
bool GetConfig(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  if (!Config(call, *data).Get(ArgText(call.Arg(0)), ArgText(call.Arg(1)), call.result) && call.Count() > 2)
    call.result.Assign(call.Arg(2));
  return true;
}

// "SetConfig"(section, key, value): stores the value (kept until "SaveConfig" writes it); F for
// a section or key name that cannot stand in the file or when the store is full.
bool SetConfig(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  const bool done = Config(call, *data).Set(ArgText(call.Arg(0)), ArgText(call.Arg(1)), call.Arg(2));
  if (!done) SetRootLastError(call, u"The configuration cannot store that section and key");
  call.result.SetBool(done);
  return true;
}

// "ClearConfig"([section[, key]]): removes every value, or the section, or one key; T when
// something was removed (always T without arguments).
bool ClearConfig(CMethodCall& call) {
  if (call.Count() > 2) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  CKVConfigStore& config = Config(call, *data);
  bool removed = true;
  if (call.Count() == 0) {
    config.Clear();
  } else if (call.Count() == 1) {
    removed = config.RemoveSection(ArgText(call.Arg(0)));
  } else {
    removed = config.Remove(ArgText(call.Arg(0)), ArgText(call.Arg(1)));
  }
  call.result.SetBool(removed);
  return true;
}

// "SaveConfig"([file]): writes the store to the file, or to the project's configuration file,
// making its folder; the old file stays whole when writing fails.
bool SaveConfig(CMethodCall& call) {
  if (call.Count() > 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  std::u16string error;
  const bool done = Config(call, *data).Save(ConfigFileArg(call, 0), error);
  if (!done) SetRootLastError(call, error);
  call.result.SetBool(done);
  return true;
}

// "LoadConfig"([file]): replaces the store with what the file holds; F, changing nothing, when
// it cannot be read, is larger than 4 MiB or is not a configuration file.
bool LoadConfig(CMethodCall& call) {
  if (call.Count() > 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  data->configLoaded = true;
  std::u16string error;
  const bool done = data->config.Load(ConfigFileArg(call, 0), error);
  if (!done) SetRootLastError(call, error);
  call.result.SetBool(done);
  return true;
}

constexpr std::array kFileMethods = {
    MethodEntry{u"LoadTextFile", "The text of a file", &LoadTextFile},
    GuardedMethod(u"SaveTextFile", "Writes a text to a file as UTF-8, replacing it or appending",
                  &SaveTextFile, CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"SaveCsvFile", "Writes a value of up to two dimensions as a CSV file", &SaveCsvFile,
                  CapabilityFamily::kFiles, 2, 3),
    MethodEntry{u"LoadCsvFile", "The records of a CSV file as a table of strings", &LoadCsvFile},
    MethodEntry{u"GetConfig", "A value of the configuration store, or a default", &GetConfig},
    MethodEntry{u"SetConfig", "Stores a value in the configuration store", &SetConfig},
    MethodEntry{u"ClearConfig", "Removes every value, a section or a key of the configuration store",
                &ClearConfig},
    GuardedMethod(u"SaveConfig", "Writes the configuration store to a file", &SaveConfig,
                  CapabilityFamily::kFiles, 0, 1),
    MethodEntry{u"LoadConfig", "Replaces the configuration store with a file's content", &LoadConfig},
};

}  // namespace

std::span<const MethodEntry> RootFileMethods() {
  return kFileMethods;
}
