#pragma once

#include <filesystem>
#include <string>

#include "script/capability_policy.h"

// The name of the site's policy file in the configuration folder, beside the settings store.
inline constexpr const char* kPolicyFileName = "policy";

// The policy in file. A file that is missing gives everything allowed when required is false;
// one that cannot be read (or is missing when required) or is malformed is refused: message
// says why, and the policy answered denies every family to projects from http:// addresses.
CKVCapabilityPolicy LoadCapabilityPolicy(const std::filesystem::path& file, bool required,
                                         std::string& message);
