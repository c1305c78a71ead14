#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tags/alias_tag.h"
#include "tags/tag_server_base.h"

// The alias tags ("@" names) and the alias table that scripts fill with SetAliasTag. An alias
// tag is bound to the tag its table entry names, got through the suite like any other listener
// would; changing the entry rebinds the live alias tag. Used on the user-interface thread only.
class CNPTagServerAlias : public CNPTagServerBase {
 public:
  using CNPTagServerBase::CNPTagServerBase;

  CNPTag* GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) override;
  void ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) override;
  // A bound alias gives its target's value, an unbound one the empty string.
  CRPtr<CNValue> GetValue(CNPTag* tag, uint32_t readMode, bool* ok) override;
  bool SetValue(CNPTag* tag, const CNValue& value) override;
  // Read and Write reach the memory and link targets; a target that is itself an alias is not
  // followed.
  bool Read(std::span<CNPTag* const> tags, uint32_t readMode) override;
  bool Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) override;
  bool ReadAll(uint32_t readMode) override;
  void Dispatch() override;
  bool Start(const CNTagServerStartInfo& info) override { return StartLocal(info); }
  // Lets every target go and drops the tags; the alias table stays.
  void Stop() override;
  bool SetAliasTag(std::u16string_view alias, std::u16string_view target) override;
  std::u16string GetAliasTag(std::u16string_view alias) override;

  void CollectUnused() override;
  // Also queues the alias tag for a first notification of its memory or link target.
  void AddPendingListener(CNPTag* tag, ServerConnectionPoint* listener) override;

  // The alias server keeps nothing of the settings.
  bool StartLocal(const CNTagServerStartInfo&) { return true; }

 private:
  // Binds tag to the tag named target unless it is bound to that name already (in any case);
  // an empty name, or one whose chain of aliases would lead back to tag, leaves it unbound.
  void Bind(CNPAliasTag& tag, std::u16string_view target);
  void Unbind(CNPAliasTag& tag);
  // True when following the alias table from target comes back to alias or goes round in a
  // loop of its own.
  bool LeadsBack(std::u16string_view alias, std::u16string_view target) const;
  void QueueOnTarget(CNPAliasTag& tag);
  // The memory or link tag that tag is bound to; null when unbound or bound to another alias.
  static CNPTag* ForwardTarget(CNPTag* tag);

  CNTagMap<CNPAliasTag> m_tags;
  std::map<std::u16string, std::u16string, std::less<>> m_table;
};
