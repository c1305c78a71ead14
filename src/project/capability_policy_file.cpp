#include "project/capability_policy_file.h"

#include <fstream>
#include <iterator>

namespace {

constexpr std::uintmax_t kMaxPolicyBytes = 1u << 20;

CKVCapabilityPolicy Refuse(const std::filesystem::path& file, const std::string& why, std::string& message) {
  message = "The policy " + file.string() + " is refused (" + why +
            "); projects from http:// addresses run with every family denied.";
  return CKVCapabilityPolicy::DenyRemote();
}

}  // namespace

CKVCapabilityPolicy LoadCapabilityPolicy(const std::filesystem::path& file, bool required,
                                         std::string& message) {
  message.clear();
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    if (!required && !error) return CKVCapabilityPolicy();
    return Refuse(file, "no such file", message);
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return Refuse(file, "not a readable file", message);
  if (size > kMaxPolicyBytes) return Refuse(file, "larger than 1 MiB", message);
  std::ifstream in(file, std::ios::binary);
  if (!in) return Refuse(file, "cannot be opened", message);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string why;
  if (std::optional<CKVCapabilityPolicy> policy = CKVCapabilityPolicy::Parse(text, why)) return *policy;
  return Refuse(file, why, message);
}
