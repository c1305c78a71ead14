#include "methods/root_data.h"

#include <unordered_map>
#include <vector>

#include "objects/object_handles.h"
#include "script/object_handle.h"

namespace {

// The data of every live root, by the root's handle. Handles count up and are not given again
// while their object lives, so an entry whose handle names no object belongs to a root that is
// gone. A root without a handle (no screen object) shares the entry of handle 0.
struct RootDataTable {
  std::mutex lock;
  std::unordered_map<uint32_t, std::shared_ptr<CKVRootData>> byRoot;
};

RootDataTable& Table() {
  static RootDataTable* s_table = new RootDataTable;  // never destroyed: roots may die late
  return *s_table;
}

}  // namespace

std::shared_ptr<CKVRootData> RootDataOf(CMethodCall& call) {
  const uint32_t handle = HandleOf(call.target.GetRoot());
  std::vector<std::shared_ptr<CKVRootData>> gone;  // let go outside the lock
  RootDataTable& table = Table();
  std::lock_guard guard(table.lock);
  for (auto it = table.byRoot.begin(); it != table.byRoot.end();) {
    if (it->first != 0 && it->first != handle && !CNObjectHandles::Find(it->first)) {
      gone.push_back(std::move(it->second));
      it = table.byRoot.erase(it);
    } else {
      ++it;
    }
  }
  std::shared_ptr<CKVRootData>& data = table.byRoot[handle];
  if (!data) data = std::make_shared<CKVRootData>();
  return data;
}

void SetRootLastError(CMethodCall& call, std::u16string_view text) {
  const std::shared_ptr<CKVRootData> data = RootDataOf(call);
  std::lock_guard guard(data->lock);
  data->lastError.SetString(text);
}
