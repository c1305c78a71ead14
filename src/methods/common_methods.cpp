// The common functions: the tables of each concern put together into one.
#include "methods/common_methods.h"

#include <vector>

#include "methods/builtin_methods.h"

const CKVMethodTable& CommonMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries;
    for (std::span<const MethodEntry> part :
         {CommonConversionMethods(), CommonTextMethods(), CommonTimeMethods(), CommonValueMethods(),
          CommonTableMethods(), CommonFileMethods(), CommonSystemMethods(), CommonLocaleMethods(),
          CommonHostMethods(), CommonFileDataMethods(), CommonNetworkMethods()})
      entries.insert(entries.end(), part.begin(), part.end());
    return entries;
  }();
  static const CKVMethodTable s_table(s_entries);
  return s_table;
}
