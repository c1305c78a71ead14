#include "support/registry_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "registry.txt";
constexpr const char* kLockName = "registry.lock";
constexpr auto kLockWait = std::chrono::seconds(3);  // a writer that holds the lock longer is stuck

enum class LineKind : uint8_t { kOther, kHeader, kValue };

const char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string ErrnoText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

// A subkey name in a header: "%", "[", "]" and control characters as %XX of their bytes.
void AppendKeyPart(std::string& out, std::u16string_view part) {
  for (const char c : Utf16ToUtf8(part)) {
    const auto b = static_cast<unsigned char>(c);
    if (IsControl(b) || c == '%' || c == '[' || c == ']') {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
}

// A name or text value in quotes: "\" and quote escaped, control characters as \n, \r, \t or
// \xHH.
void AppendQuoted(std::string& out, std::u16string_view text) {
  out += '"';
  for (const char c : Utf16ToUtf8(text)) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (IsControl(b)) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

// A reader over one line that never passes its end.
struct Cursor {
  std::string_view text;
  size_t at = 0;

  bool AtEnd() const { return at >= text.size(); }
  char Peek() const { return AtEnd() ? '\0' : text[at]; }
  void SkipBlanks() {
    while (!AtEnd() && (text[at] == ' ' || text[at] == '\t')) ++at;
  }
  bool Take(char c) {
    if (Peek() != c || AtEnd()) return false;
    ++at;
    return true;
  }
  bool TakeWord(std::string_view word) {
    if (text.substr(at, word.size()) != word) return false;
    at += word.size();
    return true;
  }
  // A quoted text, the inverse of AppendQuoted.
  bool TakeQuoted(std::u16string& out) {
    if (!Take('"')) return false;
    std::string bytes;
    while (!AtEnd()) {
      const char c = text[at++];
      if (c == '"') {
        out = Utf8ToUtf16(bytes);
        return true;
      }
      if (c != '\\') {
        bytes += c;
        continue;
      }
      if (AtEnd()) return false;
      const char e = text[at++];
      switch (e) {
        case '\\':
        case '"':
          bytes += e;
          break;
        case 'n':
          bytes += '\n';
          break;
        case 'r':
          bytes += '\r';
          break;
        case 't':
          bytes += '\t';
          break;
        case 'x': {
          const int high = HexValue(Peek());
          if (high < 0) return false;
          ++at;
          const int low = HexValue(Peek());
          if (low < 0) return false;
          ++at;
          bytes += static_cast<char>(high * 16 + low);
          break;
        }
        default:
          return false;
      }
    }
    return false;  // no closing quote
  }
};

}  // namespace

// The store file as lines, each with what could be read from it.
struct CRRegistryStore::Lines {
  struct Line {
    std::string raw;
    LineKind kind = LineKind::kOther;
    KeyPath key;          // of a header
    std::u16string name;  // of a value
    CRRegistryValue value;
  };
  std::vector<Line> lines;
};

namespace {

bool SameKey(const std::vector<std::u16string>& a, const std::vector<std::u16string>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!EqualsIgnoreCaseAscii(a[i], b[i])) return false;
  return true;
}

bool IsUnderKey(const std::vector<std::u16string>& key, const std::vector<std::u16string>& top) {
  if (key.size() < top.size()) return false;
  for (size_t i = 0; i < top.size(); ++i)
    if (!EqualsIgnoreCaseAscii(key[i], top[i])) return false;
  return true;
}

// Splits a key path at "\" and "/", skipping empty parts; false for a "." or ".." part.
bool SplitKey(std::u16string_view key, std::vector<std::u16string>& path) {
  path.clear();
  size_t from = 0;
  while (from <= key.size()) {
    size_t end = key.find_first_of(u"\\/", from);
    if (end == std::u16string_view::npos) end = key.size();
    const std::u16string_view part = key.substr(from, end - from);
    if (part == u"." || part == u"..") return false;
    if (!part.empty()) path.emplace_back(part);
    from = end + 1;
  }
  return true;
}

std::string HeaderLine(const std::vector<std::u16string>& key) {
  std::string line = "[";
  for (size_t i = 0; i < key.size(); ++i) {
    if (i) line += '\\';
    AppendKeyPart(line, key[i]);
  }
  return line + "]";
}

std::string ValueLine(std::u16string_view name, const CRRegistryValue& value) {
  std::string line;
  if (name.empty()) {
    line = "@";
  } else {
    AppendQuoted(line, name);
  }
  line += '=';
  if (value.kind == CRRegistryValue::kNumber) {
    const auto bits = static_cast<uint32_t>(value.number);
    line += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) line += kHex[(bits >> shift) & 15];
  } else {
    AppendQuoted(line, value.text);
  }
  return line;
}

// "[part\part]" with %XX escapes; false when the line is no readable header.
bool ParseHeader(std::string_view text, std::vector<std::u16string>& key) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
  const std::string_view inside = text.substr(1, text.size() - 2);
  std::string bytes;
  for (size_t i = 0; i < inside.size(); ++i) {
    if (inside[i] != '%') {
      bytes += inside[i];
      continue;
    }
    const int high = i + 1 < inside.size() ? HexValue(inside[i + 1]) : -1;
    const int low = i + 2 < inside.size() ? HexValue(inside[i + 2]) : -1;
    if (high < 0 || low < 0) return false;
    const char c = static_cast<char>(high * 16 + low);
    if (c == '\\' || c == '/') return false;  // would change the path on the next write
    bytes += c;
    i += 2;
  }
  return SplitKey(Utf8ToUtf16(bytes), key);
}

// "name"=value or @=value, value being dword:XXXXXXXX or a quoted text.
bool ParseValue(std::string_view text, std::u16string& name, CRRegistryValue& value) {
  Cursor cursor{text};
  name.clear();
  if (!cursor.Take('@') && !cursor.TakeQuoted(name)) return false;
  cursor.SkipBlanks();
  if (!cursor.Take('=')) return false;
  cursor.SkipBlanks();
  if (cursor.TakeWord("dword:")) {
    uint32_t bits = 0;
    for (int i = 0; i < 8; ++i) {
      const int digit = HexValue(cursor.Peek());
      if (digit < 0) return false;
      bits = bits << 4 | static_cast<uint32_t>(digit);
      ++cursor.at;
    }
    value = CRRegistryValue::Number(static_cast<int32_t>(bits));
  } else {
    value.kind = CRRegistryValue::kText;
    value.number = 0;
    if (!cursor.TakeQuoted(value.text)) return false;
  }
  cursor.SkipBlanks();
  return cursor.AtEnd();
}

std::string_view TrimLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  return line;
}

// Holds the store's lock file locked for as long as it lives.
class LockFile {
 public:
  explicit LockFile(const fs::path& path) {
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) return;
    const auto until = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) {
        ::close(m_fd);
        m_fd = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~LockFile() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;
  bool IsHeld() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

}  // namespace

CRRegistryStore::CRRegistryStore(fs::path root) : m_root(std::move(root)) {}

fs::path CRRegistryStore::DefaultRoot() {
  fs::path config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string homeText = home && home[0] == '/' ? home : "";
    if (homeText.empty()) {
      passwd entry{};
      passwd* found = nullptr;
      char buffer[4096];
      if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        homeText = found->pw_dir;
    }
    if (homeText.empty()) return {};
    config = fs::path(homeText) / ".config";
  }
  return config / "Tarnvale" / "Panel Browser control Ver6";
}

fs::path CRRegistryStore::GetFile() const {
  return m_root / kFileName;
}

bool CRRegistryStore::Fail(std::string text) {
  m_lastError = std::move(text);
  return false;
}

bool CRRegistryStore::ParseKey(std::u16string_view key, KeyPath& path) {
  if (!SplitKey(key, path)) return Fail("invalid key name: \".\" and \"..\" are not subkeys");
  for (const std::u16string& part : path)
    if (part.size() > kMaxKeyName) return Fail("subkey name too long");
  return true;
}

bool CRRegistryStore::CheckValueName(std::u16string_view name) {
  return name.size() <= kMaxValueName || Fail("value name too long");
}

bool CRRegistryStore::ReadLines(Lines& lines) {
  lines.lines.clear();
  if (m_root.empty()) return Fail("no folder for the registry store (HOME is not set)");
  const fs::path file = GetFile();
  std::error_code error;
  if (!fs::exists(file, error)) return true;  // an empty store
  const uintmax_t size = fs::file_size(file, error);
  if (error) return Fail("cannot read " + file.string() + ": " + error.message());
  if (size > kMaxFileBytes) return Fail(file.string() + " is larger than the store allows");
  std::ifstream in(file, std::ios::binary);
  if (!in) return Fail(ErrnoText("cannot open " + file.string()));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail(ErrnoText("cannot read " + file.string()));
  KeyPath key;
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    Lines::Line line;
    line.raw.assign(text, from, end - from);
    if (!line.raw.empty() && line.raw.back() == '\r') line.raw.pop_back();
    const std::string_view trimmed = TrimLine(line.raw);
    if (ParseHeader(trimmed, line.key)) {
      line.kind = LineKind::kHeader;
    } else if (ParseValue(trimmed, line.name, line.value)) {
      line.kind = LineKind::kValue;
    }
    lines.lines.push_back(std::move(line));
    from = end + 1;
  }
  return true;
}

bool CRRegistryStore::WriteLines(const Lines& lines) {
  std::string text;
  for (const Lines::Line& line : lines.lines) {
    text += line.raw;
    text += '\n';
  }
  if (text.size() > kMaxFileBytes) return Fail("the change would make the store larger than it allows");
  std::string temp = (m_root / kFileName).string() + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Fail(ErrnoText("cannot write in " + m_root.string()));
  bool written = ::fchmod(fd, 0600) == 0;
  for (size_t at = 0; written && at < text.size();) {
    const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) at += static_cast<size_t>(n);
  }
  written = written && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temp.c_str(), GetFile().c_str()) == 0) return true;
  const std::string failure = ErrnoText("cannot write " + GetFile().string());
  ::unlink(temp.c_str());
  return Fail(failure);
}

namespace {

// Keeps the lines for which keep(line), called on each in order, is true; true when any went.
template <class Line, class Keep>
bool KeepLines(std::vector<Line>& lines, Keep&& keep) {
  std::vector<Line> kept;
  kept.reserve(lines.size());
  for (Line& line : lines)
    if (keep(line)) kept.push_back(std::move(line));
  const bool removed = kept.size() != lines.size();
  lines = std::move(kept);
  return removed;
}

}  // namespace

template <class Edit>
bool CRRegistryStore::Change(Edit&& edit) {
  if (m_root.empty()) return Fail("no folder for the registry store (HOME is not set)");
  std::error_code error;
  fs::create_directories(m_root, error);
  if (error) return Fail("cannot make " + m_root.string() + ": " + error.message());
  LockFile lock(m_root / kLockName);
  if (!lock.IsHeld()) return Fail("the registry store is locked by another program");
  Lines lines;
  if (!ReadLines(lines)) return false;
  if (!edit(lines.lines)) return true;  // nothing to change
  return WriteLines(lines);
}

bool CRRegistryStore::GetValue(std::u16string_view key, std::u16string_view name, CRRegistryValue& value) {
  KeyPath path;
  if (!ParseKey(key, path) || !CheckValueName(name)) return false;
  Lines lines;
  if (!ReadLines(lines)) return false;
  bool inKey = path.empty();  // values above every header belong to the root key
  bool found = false;
  for (const Lines::Line& line : lines.lines) {
    if (line.kind == LineKind::kHeader) {
      inKey = SameKey(line.key, path);
    } else if (inKey && line.kind == LineKind::kValue && EqualsIgnoreCaseAscii(line.name, name)) {
      value = line.value;  // a later definition wins
      found = true;
    }
  }
  return found || Fail("no value of that name in the key");
}

bool CRRegistryStore::SetValue(std::u16string_view key, std::u16string_view name,
                               const CRRegistryValue& value) {
  KeyPath path;
  if (!ParseKey(key, path) || !CheckValueName(name)) return false;
  if (value.kind == CRRegistryValue::kText && value.text.size() > kMaxText)
    return Fail("text value too long");
  const std::string newLine = ValueLine(name, value);
  return Change([&](std::vector<Lines::Line>& lines) {
    Lines::Line made;
    made.raw = newLine;
    made.kind = LineKind::kValue;
    made.name = name;
    made.value = value;
    // The last definition of the value, else the end of the key's last section.
    size_t replace = SIZE_MAX;
    size_t insert = SIZE_MAX;
    bool inKey = path.empty();
    if (inKey) insert = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      const Lines::Line& line = lines[i];
      if (line.kind == LineKind::kHeader) {
        inKey = SameKey(line.key, path);
        if (inKey) insert = i + 1;
      } else if (inKey) {
        if (line.kind == LineKind::kValue && EqualsIgnoreCaseAscii(line.name, name)) replace = i;
        if (!TrimLine(line.raw).empty()) insert = i + 1;
      }
    }
    if (replace != SIZE_MAX) {
      made.name = lines[replace].name;  // the name keeps the case it was first written with
      made.raw = ValueLine(made.name, value);
      if (lines[replace].raw == made.raw) return false;
      lines[replace] = std::move(made);
    } else if (insert != SIZE_MAX) {
      lines.insert(lines.begin() + static_cast<ptrdiff_t>(insert), std::move(made));
    } else {
      if (!lines.empty() && !TrimLine(lines.back().raw).empty()) lines.emplace_back();
      Lines::Line header;
      header.raw = HeaderLine(path);
      header.kind = LineKind::kHeader;
      header.key = path;
      lines.push_back(std::move(header));
      lines.push_back(std::move(made));
    }
    return true;
  });
}

bool CRRegistryStore::DeleteValue(std::u16string_view key, std::u16string_view name) {
  KeyPath path;
  if (!ParseKey(key, path) || !CheckValueName(name)) return false;
  return Change([&](std::vector<Lines::Line>& lines) {
    return KeepLines(lines, [&, inKey = path.empty()](const Lines::Line& line) mutable {
      if (line.kind == LineKind::kHeader) inKey = SameKey(line.key, path);
      return !(inKey && line.kind == LineKind::kValue && EqualsIgnoreCaseAscii(line.name, name));
    });
  });
}

bool CRRegistryStore::DeleteKey(std::u16string_view key) {
  KeyPath path;
  if (!ParseKey(key, path)) return false;
  if (path.empty()) return Fail("the root key cannot be deleted");
  return Change([&](std::vector<Lines::Line>& lines) {
    return KeepLines(lines, [&, inKey = false](const Lines::Line& line) mutable {
      if (line.kind == LineKind::kHeader) inKey = IsUnderKey(line.key, path);
      return !inKey;
    });
  });
}
