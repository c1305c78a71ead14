#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "script/method_table.h"

// A function the project runtime does: the argument count is checked against the entry's range
// (false outside it), then the call goes to the runtime under the entry's name
// (IKVRuntime::Request); without a runtime, or when it declines, the entry's failure answer.
bool ForwardToRuntime(const MethodEntry& entry, CMethodCall& call);

// The method entries of a constexpr table of entries whose work the runtime does: the same
// records, each with a function that forwards it.
template <const auto& kTable, size_t I>
bool ForwardEntry(CMethodCall& call) {
  return ForwardToRuntime(kTable[I], call);
}

template <const auto& kTable, size_t... I>
constexpr auto ForwardedEntriesOf(std::index_sequence<I...>) {
  return std::array{MethodEntry{kTable[I].name, kTable[I].description, &ForwardEntry<kTable, I>,
                                kTable[I].minArgs, kTable[I].maxArgs, kTable[I].failure,
                                kTable[I].family}...};
}

template <const auto& kTable>
constexpr auto ForwardedEntries() {
  return ForwardedEntriesOf<kTable>(std::make_index_sequence<kTable.size()>());
}

// An entry of such a table: the runtime does its work, failing with failure.
constexpr MethodEntry RuntimeFunction(std::u16string_view name, std::string_view description, uint8_t minArgs,
                                      uint8_t maxArgs, MethodFailure failure = MethodFailure::kFalse,
                                      CapabilityFamily family = CapabilityFamily::kNone) {
  return {name, description, nullptr, minArgs, maxArgs, failure, family};
}
