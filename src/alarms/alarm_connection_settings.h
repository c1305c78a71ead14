#pragma once

#include <map>
#include <string>
#include <string_view>

#include "comm/server_settings.h"
#include "values/value.h"

// The server settings one alarm client object sets for itself, under the names of the project's
// settings: "PSCommunicationType" ("DEFAULT,TCP,HTTP"), "PSTimeOut", "PSTimeOutConnect",
// "PSPing", "PSNode", "PSNode2", "PSPanelPort" (also "PSPort"), "PSPanelPort2" (also "PSPort2"),
// "PSNodeRedundancy", "PSHTTPServer", "PSHTTPServer2", "PSHTTPRedundancy", "PSHTTPUser" and
// "PSHTTPPwd". They override the project's settings for this object's connection only.
class CNAlarmConnectionSettings {
 public:
  // False for a name that is not one of the list (or a communication type that is not one of
  // its items); nothing changes then.
  bool Set(std::u16string_view name, const CNValue& value);
  // settings with every setting given here applied over it.
  CNServerSettings Apply(CNServerSettings settings) const;

 private:
  std::map<std::u16string, CNValue, std::less<>> m_values;  // by the setting's own name
};
