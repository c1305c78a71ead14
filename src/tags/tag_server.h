#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "comm/connection_settings.h"
#include "support/file_time.h"
#include "support/ref_cnt.h"
#include "tags/tag.h"
#include "values/tag_listener.h"
#include "values/value.h"

// What Start tells a tag server.
struct CNTagServerStartInfo {
  uint32_t clientId = 0;
  bool offline = false;          // run without a panel server: link tags stay local
  std::u16string accessPath;     // put before every link tag name
  char16_t directPathMark = 0;   // a link tag name starting with it takes no access path; 0: none
  uint32_t updateRateMs = 0;     // the link server's polling period (never below 50 ms)
  CRPtr<CNConnectionSettings> connection;
};

// A source of tags. Every operation runs on the user-interface thread.
class CNPTagServer {
 public:
  using ServerConnectionPoint = CNPTagServerConnectionPoint;

  virtual ~CNPTagServer() = default;

  // The tag with one new reference and listener added; created when it does not exist. Null
  // when the name is not valid for the server.
  virtual CNPTag* GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) = 0;
  // Takes back one listener entry and one reference of a tag from GetTag.
  virtual void ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) = 0;
  // The current value with a reference of its own. A non-zero readMode first reads a link tag
  // from the server; ok (when given) tells whether that read succeeded.
  virtual CRPtr<CNValue> GetValue(CNPTag* tag, uint32_t readMode, bool* ok) = 0;
  virtual bool SetValue(CNPTag* tag, const CNValue& value) = 0;
  // Refreshes the tags from their source; true when every tag was read.
  virtual bool Read(std::span<CNPTag* const> tags, uint32_t readMode) = 0;
  // Writes values[i] to tags[i]; true when every tag was written.
  virtual bool Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) = 0;
  virtual bool ReadAll(uint32_t readMode) = 0;
  // Delivers pending notifications (and lets the server do its periodic work).
  virtual void Dispatch() = 0;
  // The project's start: its time and the millisecond tick taken then.
  virtual void SetTimeBase(FileTime /*startTime*/, uint32_t /*startTick*/) {}
  // Once; a second call does nothing.
  virtual bool Start(const CNTagServerStartInfo& info) = 0;
  // Stops polling, disconnects and drops every tag.
  virtual void Stop() = 0;
  virtual bool SetAliasTag(std::u16string_view /*alias*/, std::u16string_view /*target*/) { return false; }
  // The target name of an alias, "" when it is not defined.
  virtual std::u16string GetAliasTag(std::u16string_view /*alias*/) { return {}; }
  virtual std::u16string GetErrorText() { return {}; }
};
