#include "objects/object_handles.h"

#include <mutex>
#include <unordered_map>

namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<uint32_t, CNObject*> objects;
  std::unordered_map<const CNObject*, uint32_t> handles;
  uint32_t last = 0;
};

// Never destroyed, so that objects that die during static destruction can still leave it.
HandleTable& Table() {
  static HandleTable* s_table = new HandleTable;
  return *s_table;
}

}  // namespace

uint32_t CNObjectHandles::Acquire(CNObject* object) {
  if (!object) return 0;
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  if (const auto it = table.handles.find(object); it != table.handles.end()) return it->second;
  // Handles count up and wrap; 0 and handles still in use are skipped.
  do {
    ++table.last;
  } while (table.last == 0 || table.objects.contains(table.last));
  table.objects.emplace(table.last, object);
  table.handles.emplace(object, table.last);
  return table.last;
}

CNObject* CNObjectHandles::Find(uint32_t handle) {
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  const auto it = table.objects.find(handle);
  return it == table.objects.end() ? nullptr : it->second;
}

void CNObjectHandles::Forget(CNObject* object) {
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  const auto it = table.handles.find(object);
  if (it == table.handles.end()) return;
  table.objects.erase(it->second);
  table.handles.erase(it);
}
