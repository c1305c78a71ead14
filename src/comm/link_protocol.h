#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "comm/da_client.h"
#include "comm/packet_holder.h"
#include "support/ref_cnt.h"
#include "values/value.h"

// The commands of a link tag server's two clients, with bare arguments (CNDAPacketCreatorSimple):
//   "Connect" u32 kind (1 command client; 2 update client, followed by the u64 identifier that
//             kind 1 returned)        -> ok; kind 1 with ok: u64 identifier; without ok: text
//   "Link"    three lists (below)    -> ok; with ok: one u64 server handle per link item
//   "Update"  nothing                -> ok; with ok: u32 count, count x (u64 client handle, item)
//   "Read"    u8 mode, u32 n, n x u64 server handle          -> ok; with ok: n items
//   "Write"   u32 n, n x (u64 server handle, value)          -> ok; with ok: n items
// An item is a kind byte: 0 a value follows, 1 a quality byte follows, 2 nothing, 3 the tag
// failed. Every Send builds the request in packet, sends it on the command channel, receives
// and checks the answer, and reads it as far as described; answers are never read past their
// end, and no count from the peer sizes an allocation.

enum CNLinkConnectKind : uint32_t { kLinkConnectCommand = 1, kLinkConnectUpdate = 2 };

enum CNTagItemKind : uint8_t {
  kTagItemValue = 0,
  kTagItemQuality = 1,
  kTagItemNothing = 2,
  kTagItemFailed = 3
};

// A tag to link: the advise flag, the handle by which the server is to name it in "Update"
// answers, and its full name.
struct CNLinkRequest {
  uint32_t advise = 0;
  uint64_t clientHandle = 0;
  std::u16string_view name;
};

// A linked tag whose advise flag is to change.
struct CNAdviseRequest {
  uint64_t serverHandle = 0;
  uint32_t advise = 0;
};

struct CNWriteRequest {
  uint64_t serverHandle = 0;
  const CNValue* value = nullptr;
};

// The u32 ok flag that starts every answer, and without ok the server's message ("" when the
// answer carries none).
struct CNLinkConfirmation {
  bool ok = false;
  std::u16string message;
};

// One item of an "Update", "Read" or "Write" answer. value is a new value of its own for kind 0.
struct CNTagItem {
  uint64_t clientHandle = 0;  // "Update" only
  uint8_t kind = kTagItemNothing;
  uint8_t quality = 0;  // kind 1
  CRPtr<CNValue> value;
};

// The failure of an answer that does not hold what its command promises.
ClientResult InvalidAnswer();

// "Connect"; connectionId is sent for kind 2 only. For kind 1 with ok, newId receives the
// identifier the update client then names.
ClientResult SendLinkConnect(CNDAClient& client, CNPacketHolder& packet, uint32_t kind, uint64_t connectionId,
                             CNLinkConfirmation& confirmation, uint64_t& newId);

// "Link": links, then the server handles to release, then the advise changes. With ok, handles
// receives one server handle per link request in request order (0: the server does not know
// the tag).
ClientResult SendLink(CNDAClient& client, CNPacketHolder& packet, std::span<const CNLinkRequest> links,
                      std::span<const uint64_t> releases, std::span<const CNAdviseRequest> advises,
                      CNLinkConfirmation& confirmation, std::vector<uint64_t>& handles);

// "Update": the answer is left unread, positioned on its first argument (read it with
// ReadUpdateHeader and ReadUpdateItem).
ClientResult SendUpdate(CNDAClient& client, CNPacketHolder& packet);

// "Read" and "Write": with ok the packet stands on the first of one item per handle sent (read
// each with ReadTagItem).
ClientResult SendRead(CNDAClient& client, CNPacketHolder& packet, uint8_t readMode,
                      std::span<const uint64_t> serverHandles, CNLinkConfirmation& confirmation);
ClientResult SendWrite(CNDAClient& client, CNPacketHolder& packet, std::span<const CNWriteRequest> writes,
                       CNLinkConfirmation& confirmation);

// Readers of answer arguments, each false when the packet ends too early or holds a malformed
// value: ReadConfirmation reads the ok flag and without ok the message; ReadUpdateHeader the ok
// flag and with ok the item count, refusing a count that the remaining bytes cannot hold (ok 0
// carries nothing more: count 0); ReadTagItem a kind and its payload (kinds above 3 carry
// nothing); ReadUpdateItem the u64 client handle, then as ReadTagItem.
bool ReadConfirmation(CNPacketHolder& packet, CNLinkConfirmation& confirmation);
bool ReadUpdateHeader(CNPacketHolder& packet, CNLinkConfirmation& confirmation, uint32_t& count);
bool ReadTagItem(CNPacketHolder& packet, CNTagItem& item);
bool ReadUpdateItem(CNPacketHolder& packet, CNTagItem& item);
