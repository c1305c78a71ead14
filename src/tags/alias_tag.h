#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tags/tag.h"
#include "tags/tag_server.h"

// An indirection ("@" names): the alias server binds it to a target tag, named in its alias
// table, and the alias tag listens to that target and passes every change on to its own
// listeners under its own name.
class CNPAliasTag : public CNPTag, public CNPTagServer::ServerConnectionPoint {
 public:
  CNPAliasTag(std::u16string name, uint32_t advise) : CNPTag(std::move(name)), m_ulAdvise(advise) {}

  TagKind GetKind() const override { return kTagAlias; }

  uint32_t GetAdvise() const { return m_ulAdvise; }
  void SetAdvise() { m_ulAdvise = 1; }

  // The bound target: the tag (with the reference GetTag gave it, none when that failed) and
  // the name it was got with. The server gets and releases targets; the alias only keeps them.
  CNPTag* GetTarget() const { return m_target.Get(); }
  const std::u16string& GetTargetName() const { return m_strTargetName; }
  void SetTarget(CRPtr<CNPTag> target, std::u16string_view name);
  // Gives up the target and its reference, for the server to release.
  CNPTag* DetachTarget();

  // Makes the next forwarded notification a change for every listener: the alias now shows
  // another tag's value.
  void MarkChanged() { m_bChanged = 1; }

  // From the target: told to the alias's own listeners, as a change when the target changed,
  // the alias was rebound or a listener of the alias waits for its first value.
  void TagChanged(CNPTag* tag, std::u16string_view name, const CNValue& value, uint32_t changed) override;
  uint32_t IsListening() override { return 1; }

 private:
  uint32_t m_ulAdvise;
  CRPtr<CNPTag> m_target;
  std::u16string m_strTargetName;
};
