#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a built-in function can do outside the panel beyond reading: each function belongs to at
// most one family, named in its table entry.
enum class CapabilityFamily : uint8_t {
  kNone,       // nothing a site would want to refuse
  kProcesses,  // starts or ends programs
  kFiles,      // writes, moves or deletes files and folders (reading stays free)
  kNetwork,    // reaches other computers: HTTP, SOAP, mail, wake-on-LAN
  kSettings,   // changes the settings store
  kClipboard,  // the desktop's clipboard
  kOs,         // the operating system: shutdown, the clock
};

inline constexpr size_t kCapabilityFamilies = 6;  // the families after kNone

// Where the project that runs came from.
enum class ProjectSource : uint8_t {
  kLocal,  // a file on this computer
  kHttp,   // fetched from an "http://" address
  kBrw,    // an encrypted ".brw" file
};

inline constexpr size_t kProjectSources = 3;

// The names the policy file and the reports use: "processes", "files", ..., "os"; "local",
// "http", "brw". kNone has no name.
std::string_view CapabilityFamilyName(CapabilityFamily family);
std::string_view ProjectSourceName(ProjectSource source);
// The source of a project opened from path: "http://" (any case) first, else a ".brw" name, else
// a local file.
ProjectSource ProjectSourceOf(std::u16string_view path);

// Which families the projects of each source may use. The site writes it as text, one rule a
// line: "SOURCE FAMILY allow|deny", SOURCE one of local, http, brw or *, FAMILY one of the
// family names or *; a later rule overrides an earlier one; "#" starts a comment. Without rules
// everything is allowed.
class CKVCapabilityPolicy {
 public:
  // Everything allowed.
  CKVCapabilityPolicy() { m_allowed.fill(kAllFamilies); }

  // The policy of text; nullopt with error set to "line N: ..." when a line is malformed.
  static std::optional<CKVCapabilityPolicy> Parse(std::string_view text, std::string& error);
  // What a site gets when its policy file cannot be used: every family denied to projects from
  // http:// addresses, the others as without a policy.
  static CKVCapabilityPolicy DenyRemote();

  bool Allows(ProjectSource source, CapabilityFamily family) const;

 private:
  static constexpr uint8_t kAllFamilies = (1u << kCapabilityFamilies) - 1;
  std::array<uint8_t, kProjectSources> m_allowed{};  // by source: one bit per family
};
