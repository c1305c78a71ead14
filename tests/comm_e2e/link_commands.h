#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "comm/client_test_util.h"
#include "comm/da_client.h"
#include "values/value.h"

// The link commands sent through any data-access client as the link tag server sends them,
// through the link protocol.

// "Connect" of a link client: kind 1 (command client) or 2 (update client, with the
// identifier kind 1 returned).
struct ConnectAnswer {
  ClientResult result;
  uint32_t ok = 0;
  uint64_t id = 0;       // kind 1 with ok
  std::u16string error;  // without ok
};
ConnectAnswer LinkConnect(CNDAClient& client, uint32_t kind, uint64_t id = 0);

struct LinkItem {
  uint32_t advise = 1;
  uint64_t clientHandle = 0;
  std::u16string name;
};
struct LinkAnswer {
  ClientResult result;
  std::vector<uint64_t> handles;  // server handles in request order, 0 for unknown tags
};
LinkAnswer Link(CNDAClient& client, const std::vector<LinkItem>& links);

// One item of a "Read", "Write" or "Update" answer.
struct TagItem {
  uint64_t clientHandle = 0;  // "Update" only
  CNValue value;              // empty for an item without a value
};
struct TagAnswer {
  ClientResult result;
  std::vector<TagItem> items;
  std::vector<uint8_t> arguments;  // every argument byte of the answer, as received
  bool parsed = false;             // the items were read to the end of the answer
};
TagAnswer Read(CNDAClient& client, const std::vector<uint64_t>& handles, uint8_t mode = 1);
TagAnswer Write(CNDAClient& client, const std::vector<std::pair<uint64_t, CNValue>>& items);
TagAnswer Update(CNDAClient& client);

CNValue Literal(std::u16string_view text);
std::string LiteralOf(const CNValue& value);
