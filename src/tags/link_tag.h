#pragma once

#include <cstdint>
#include <string>

#include "support/critical_handle.h"
#include "support/ref_cnt.h"
#include "tags/tag.h"
#include "values/value.h"

// A tag that lives in the panel server. Its value, changed flag, handles and link flags are
// shared by the user-interface thread and the link server's polling thread and change only
// under the tag's own lock; the listener lists and the released flag belong to the
// user-interface thread. Values are never changed in place: a new value replaces the old one,
// so a value handed out with a reference stays as it was.
class CNPLinkTag : public CNPTag, public CRCriticalHandle {
 public:
  // What the link step needs to know of a tag, read in one go under its lock.
  struct LinkState {
    bool released = false;
    bool linkEnabled = false;
    bool linked = false;
    uint32_t adviseRequested = 0;
    uint32_t adviseOnServer = 0;
    uint64_t serverHandle = 0;
  };

  // A new tag holds an empty value of quality UNCERTAIN and is enabled for linking.
  CNPLinkTag(std::u16string fullName, std::u16string shortName, uint32_t advise, uint64_t clientHandle);

  TagKind GetKind() const override { return kTagLink; }
  // Also drops the changed flag and the advise request.
  void MarkReleased() override;
  // Released and no longer linked to the server.
  bool IsRemovable() const override;

  const std::u16string& GetShortName() const { return m_strShortName; }
  uint64_t GetClientHandle() const { return m_ullClientHandle; }

  CRPtr<CNValue> GetValue() const;
  // Takes value in place of the current one; the changed flag is set when the contents or the
  // quality differ (the timestamp does not count).
  void SetValue(CRPtr<CNValue> value);
  // Gives a copy of the current value the quality when it differs, and sets the changed flag.
  void SetQuality(uint8_t quality);

  // A further GetTag: a non-zero advise is requested, and a released tag is taken back. True
  // when either happened, so that the server has to be told.
  bool Reacquire(uint32_t advise);
  LinkState GetLinkState() const;
  // The server's answer to linking the tag with advise: a handle makes it linked, 0 (the
  // server does not know the name) keeps it from being offered again until a disconnect.
  void SetLinked(uint64_t serverHandle, uint32_t advise);
  // The server acknowledged the advise flag.
  void SetAdvised(uint32_t advise);
  // The server released the tag: no handle, and an empty value of quality UNCERTAIN.
  void SetUnlinked();
  // The connection is gone: no handle, enabled for linking again, and the value marked BAD
  // unless it never received data (quality UNCERTAIN).
  void ResetLink();

  // The notification a dispatch owes: when the value changed or a new listener waits for it,
  // and the tag is wanted, advised, known to the server and holds at least one element.
  // Clears the changed flag and returns the value with its own reference.
  bool TakeChange(CRPtr<CNValue>& value, uint32_t& changed);

 private:
  uint32_t m_bLinkEnabled = 1;
  uint32_t m_bLinked = 0;
  uint32_t m_bAdviseRequested;
  uint32_t m_bAdviseOnServer = 0;
  uint64_t m_ullServerHandle = 0;
  const uint64_t m_ullClientHandle;
  const std::u16string m_strShortName;
  CRPtr<CNValue> m_pValue;
};
