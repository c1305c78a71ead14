#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where a project comes from, and where the files it names are found.

// The largest file a project load reads, from disk or from a web server: 256 MiB.
inline constexpr size_t kMaxProjectFileBytes = size_t{256} << 20;

enum class CNProjectPathKind {
  kLocal,      // a file path
  kWeb,        // contains "http://"
  kLogin,      // contains "login://": a login request, not a project file
  kTemporary,  // contains "OperationRunTempXML.xml": written next to the current directory
};

struct CNProjectLocation {
  CNProjectPathKind kind = CNProjectPathKind::kLocal;
  // The path as given; for a local project the absolute path.
  std::u16string path;
  // The folder relative names resolve against, ending in "/": the project's own folder, the
  // current directory for a temporary project, or the base address of a web project.
  std::u16string folder;
  // A login request: the login file, and whether it is a temporary file that the request owns
  // (written "login://[del]...").
  std::u16string loginFile;
  bool deleteLoginFile = false;
};

// Classifies path and computes its folder. Local paths are made absolute against the current
// directory; "\" separators are taken as "/".
CNProjectLocation LocateProject(std::u16string_view path);

// True when the path's last four characters are ".brw", ignoring case: the file is encrypted.
bool IsEncryptedProjectPath(std::u16string_view path);

// A file named by a project setting or property.
struct CNProjectFile {
  enum Kind {
    kBuiltin,  // "sys:" names one of the program's built-in resources; name is the rest
    kLocal,    // name is a file path
    kWeb,      // name is an http:// address
  };
  Kind kind = kLocal;
  std::u16string name;
};

// Resolves a name as the project gives it: "sys:" names stay built-in, addresses with "http://"
// and absolute paths stand as they are, any other name is taken relative to the project's
// folder or base address. "\" separators are taken as "/".
CNProjectFile ResolveProjectFile(const CNProjectLocation& location, std::u16string_view name);

// Reads a local file whole, or fetches an address with GetWebFile. False, with error set, when
// the file cannot be had, is larger than the project size limit, or is built-in (built-in
// resources are read where they are used).
bool ReadProjectFile(const CNProjectFile& file, std::vector<uint8_t>& bytes, std::string& error);

// Reads a local file whole, up to maxBytes; false with error set otherwise.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes, std::string& error);
