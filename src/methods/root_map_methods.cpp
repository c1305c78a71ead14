// The root object's named maps: values by text key, kept by the root for the project's life and
// shared by every script of the project. A key is the text of element 0 of the key argument;
// a value is stored whole (any shape). Keys list in sorted order.
//
// The text form of a map ("MAPSTR", "MAPSTRTO") is one line per key, "\n" between lines: the
// key as a quoted string literal, "=", the value's literal with escapes:
//
//   "speed"=12.5
//   "names"=c("pump","valve \"B\"")
#include <array>
#include <string>
#include <vector>

#include "methods/method_args.h"
#include "methods/root_data.h"
#include "methods/root_data_parts.h"

namespace {

using Map = CKVRootData::Map;

Map* FindMap(CKVRootData& data, std::u16string_view name) {
  const auto it = data.maps.find(name);
  return it == data.maps.end() ? nullptr : &it->second;
}

// The map of that name, made empty when new; null when no more maps may be made.
Map* MakeMap(CKVRootData& data, std::u16string_view name) {
  if (Map* map = FindMap(data, name)) return map;
  if (data.maps.size() >= CKVRootData::kMaxMaps) return nullptr;
  return &data.maps.emplace(std::u16string(name), Map{}).first->second;
}

bool SetEntry(Map& map, std::u16string_view key, const CNValue& value) {
  if (const auto it = map.find(key); it != map.end()) {
    it->second.Assign(value);
    return true;
  }
  if (map.size() >= CKVRootData::kMaxMapKeys) return false;
  map.emplace(std::u16string(key), value);
  return true;
}

std::u16string MapText(const Map& map) {
  std::u16string text;
  for (const auto& [key, value] : map) {
    if (!text.empty()) text += u'\n';
    CNValue keyValue;
    keyValue.SetString(key);
    text += keyValue.ToLiteral(true) + u"=" + value.ToLiteral(true);
  }
  return text;
}

// Reads one line of the text form; false for a line that is not one.
bool ReadEntry(std::u16string_view line, std::u16string& key, CNValue& value) {
  if (line.empty() || line[0] != u'"') return false;
  size_t close = 1;
  while (close < line.size() && line[close] != u'"') close += line[close] == u'\\' ? 2 : 1;
  if (close >= line.size() || close + 1 >= line.size() || line[close + 1] != u'=') return false;
  CNValue keyValue;
  if (!keyValue.FromLiteral(line.substr(0, close + 1), true) || !keyValue.IsString(0)) return false;
  key = keyValue.GetText(0);
  const std::u16string_view literal = line.substr(close + 2);
  if (!value.FromLiteral(literal, true)) return false;
  // An element literal that reads as nothing is no literal, unless it says so.
  return !(value.GetCount() == 1 && value.IsNA(0) && literal != u"#N/A#");
}

// The map the text form writes; false for a text that is not one or holds too many keys.
bool ReadMapText(std::u16string_view text, Map& map) {
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find(u'\n', from);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::u16string key;
    CNValue value;
    if (!ReadEntry(line, key, value) || !SetEntry(map, key, value)) return false;
  }
  return true;
}

// "MAP"(name): makes the map, or empties it when it exists; F when no more maps may be made.
bool MapMake(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  Map* map = MakeMap(*data, ArgText(call.Arg(0)));
  if (map) map->clear();
  call.result.SetBool(map != nullptr);
  return true;
}

// "MAPSET"(name, key, value): stores the value under the key, making the map when needed; F
// when the limits of the maps are reached.
bool MapSet(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  Map* map = MakeMap(*data, ArgText(call.Arg(0)));
  call.result.SetBool(map && SetEntry(*map, ArgText(call.Arg(1)), call.Arg(2)));
  return true;
}

// "MAPGET"(name, key[, default]): the value stored under the key; the default (else the empty
// value) when the map or the key does not exist.
bool MapGet(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  const Map* map = FindMap(*data, ArgText(call.Arg(0)));
  const auto it = map ? map->find(ArgText(call.Arg(1))) : Map::const_iterator{};
  if (map && it != map->end()) {
    call.result.Assign(it->second);
  } else if (call.Count() > 2) {
    call.result.Assign(call.Arg(2));
  }
  return true;
}

// "MAPKEYS"(name): the keys as a list of strings; the empty value when there are none.
bool MapKeys(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  const Map* map = FindMap(*data, ArgText(call.Arg(0)));
  if (!map || map->empty()) return true;
  const auto count = static_cast<uint32_t>(map->size());
  call.result.SetDimensions(1, &count);
  uint32_t i = 0;
  for (const auto& entry : *map) call.result.SetStringAt(i++, entry.first);
  return true;
}

// "MAPDEL"(name[, key]): removes the key, or without one the whole map; T when it was there.
bool MapDel(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  const std::u16string name = ArgText(call.Arg(0));
  bool removed = false;
  if (call.Count() == 1) {
    removed = data->maps.erase(name) > 0;
  } else if (Map* map = FindMap(*data, name)) {
    removed = map->erase(ArgText(call.Arg(1))) > 0;
  }
  call.result.SetBool(removed);
  return true;
}

// "MAPSTR"(name): the map's text form ("" for an empty map); the empty value when there is no
// such map.
bool MapStr(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  if (const Map* map = FindMap(*data, ArgText(call.Arg(0)))) call.result.SetString(MapText(*map));
  return true;
}

// "MAPSTRTO"(name, text): makes the map hold what the text form writes, in place of what it
// held; F, changing nothing, for a text that is not a map's text form.
bool MapStrTo(CMethodCall& call) {
  if (call.Count() != 2) return false;
  Map read;
  const bool readable = ReadMapText(ArgText(call.Arg(1)), read);
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  Map* map = readable ? MakeMap(*data, ArgText(call.Arg(0))) : nullptr;
  if (map) *map = std::move(read);
  call.result.SetBool(map != nullptr);
  return true;
}

// "MAPMERGE"(target, source[, replace]): copies every key of the source map into the target
// map (made when needed); a key the target has keeps its value when replace is F (default T).
// F when there is no source map or the limits are reached (the keys copied so far stay).
bool MapMerge(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const bool replace = call.Count() < 3 || call.Arg(2).GetBool(0);
  const auto data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  const Map* source = FindMap(*data, ArgText(call.Arg(1)));
  Map* target = source ? MakeMap(*data, ArgText(call.Arg(0))) : nullptr;
  bool done = target != nullptr;
  if (done && target != source) {
    for (const auto& [key, value] : *source) {
      if (!replace && target->contains(key)) continue;
      if (!SetEntry(*target, key, value)) {
        done = false;
        break;
      }
    }
  }
  call.result.SetBool(done);
  return true;
}

constexpr std::array kMapMethods = {
    MethodEntry{u"MAP", "Makes a named map, or empties it", &MapMake},
    MethodEntry{u"MAPKEYS", "The keys of a map", &MapKeys},
    MethodEntry{u"MAPGET", "The value under a key of a map, or a default", &MapGet},
    MethodEntry{u"MAPSET", "Stores a value under a key of a map", &MapSet},
    MethodEntry{u"MAPDEL", "Removes a key, or a whole map", &MapDel},
    MethodEntry{u"MAPSTR", "The text form of a map", &MapStr},
    MethodEntry{u"MAPSTRTO", "Makes a map hold what a text form writes", &MapStrTo},
    MethodEntry{u"MAPMERGE", "Copies every key of one map into another", &MapMerge},
};

}  // namespace

std::span<const MethodEntry> RootMapMethods() {
  return kMapMethods;
}
