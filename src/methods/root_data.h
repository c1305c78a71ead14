#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "methods/root_config.h"
#include "objects/object.h"
#include "script/method_table.h"
#include "values/value.h"

// What the root object's global functions keep for the life of the project: the named maps of
// "MAP" and its family, the configuration store, the last error, and the format parser objects
// handed to scripts. Each root object has its own, made on the first call that needs it and
// dropped once that root is gone, so a new project (or another test world) starts empty.
struct CKVRootData {
  using Map = std::map<std::u16string, CNValue, std::less<>>;

  // Limits of the maps: how many there may be and how many keys one may hold.
  static constexpr size_t kMaxMaps = 4096;
  static constexpr size_t kMaxMapKeys = 1u << 20;
  // Parser objects kept alive for the scripts that hold them; older ones are let go (and their
  // object values then name no object).
  static constexpr size_t kMaxParsers = 64;

  std::recursive_mutex lock;  // held while a function works on the data
  std::map<std::u16string, Map, std::less<>> maps;
  CKVConfigStore config;
  bool configLoaded = false;  // the default configuration file was read (or the store was set)
  CNValue lastError;
  std::deque<CRPtr<CNObject>> parsers;
};

// The data of the root the call runs under.
std::shared_ptr<CKVRootData> RootDataOf(CMethodCall& call);

// Leaves a text for the script's "GetLastError".
void SetRootLastError(CMethodCall& call, std::u16string_view text);
