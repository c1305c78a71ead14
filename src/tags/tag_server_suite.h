#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "support/critical_handle.h"
#include "tags/tag_server.h"
#include "tags/tag_server_alias.h"
#include "tags/tag_server_link.h"
#include "tags/tag_server_memory.h"

// The project's one tag server: routes every request to the link server (panel-server tags),
// the memory server ("$" names) or the alias server ("@" names). Start, Stop and Dispatch hold
// the suite's lock, so a project closing on another thread waits for a dispatch in progress.
class CNPTagServerSuite : public CNPTagServer, public CRCriticalHandle {
 public:
  class Owner;

  explicit CNPTagServerSuite(Owner* owner = nullptr);
  CNPTagServerSuite(const CNPTagServerSuite&) = delete;
  CNPTagServerSuite& operator=(const CNPTagServerSuite&) = delete;
  ~CNPTagServerSuite() override;

  CNPTag* GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) override;
  void ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) override;
  CRPtr<CNValue> GetValue(CNPTag* tag, uint32_t readMode, bool* ok) override;
  bool SetValue(CNPTag* tag, const CNValue& value) override;
  // Split by kind and handed to the memory, link and alias servers in that order; a server is
  // asked only when the ones before it succeeded. A null tag, or a tag without a value to
  // write, makes the result false.
  bool Read(std::span<CNPTag* const> tags, uint32_t readMode) override;
  bool Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) override;
  bool ReadAll(uint32_t readMode) override;
  // Memory, link, alias; nothing before Start.
  void Dispatch() override;
  void SetTimeBase(FileTime startTime, uint32_t startTick) override;
  bool Start(const CNTagServerStartInfo& info) override;
  void Stop() override;
  bool SetAliasTag(std::u16string_view alias, std::u16string_view target) override;
  std::u16string GetAliasTag(std::u16string_view alias) override;
  std::u16string GetErrorText() override;

  Owner* GetOwner() const { return m_pOwner; }
  void SetOwner(Owner* owner) { m_pOwner = owner; }
  // The owner's answer; 0 without an owner.
  uint32_t GetLoginConnectionState() const;
  bool IsStarted() const { return m_bStarted; }

  // The server that keeps the tags of kind.
  CNPTagServerBase& GetServer(TagKind kind);
  // The memory server itself, whose clock can be replaced.
  CNPTagServerMemory& GetMemoryServer() { return m_memory; }

 private:
  CNPTagServerBase& GetServerFor(std::u16string_view name);

  CNPTagServerLink m_link;
  CNPTagServerMemory m_memory;
  CNPTagServerAlias m_alias;
  bool m_bStarted = false;
  Owner* m_pOwner;
};

// The project runtime, as the tag servers see it.
class CNPTagServerSuite::Owner {
 public:
  virtual ~Owner() = default;
  // The login as the "SYS" tags report it: 0 no login wanted (or no login stub), 1 wanted but
  // lost, 2 logged in.
  virtual uint32_t GetLoginConnectionState() = 0;
};
