#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace setup {

inline constexpr char SHELL_FOLDERS_KEY[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char UNINSTALL_KEY[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The registry, kept as a REGEDIT4 text file on the host. Keys are full paths starting
// with the root's name ("HKEY_LOCAL_MACHINE\Software\..."), matched without regard to case;
// values are REG_SZ strings in the disc's code page. Every change is written at once and
// atomically (temporary file, fsync, rename), so a crash leaves the old or the new file; a
// change that cannot be written is not made. Key and value names are compared without regard
// to the case of ASCII letters. A value holding a line break or other control character is
// written in regedit's hex(1) form, so it reads back unchanged.
class RegistryStore {
 public:
  // Loads the store from `host_path`; a missing file gives an empty store that is created
  // on the first change. A file that is not REGEDIT4 fails with InvalidParameter; lines
  // that are neither a key nor a value are ignored.
  static Result<RegistryStore> Open(const std::string& host_path);

  // Whether the key exists; a key named only as the parent of another exists too.
  bool KeyExists(const std::string& key) const;
  // The value's data; nullopt when the key or the value is missing.
  std::optional<std::string> QueryValue(const std::string& key, const std::string& name) const;
  // Creates the key (and its parents); an existing key is left as it is.
  Status CreateKey(const std::string& key);
  // Creates the key when needed and sets the value.
  Status SetValue(const std::string& key, const std::string& name, const std::string& data);

  // The file's text as it would be written.
  std::string Serialize() const;
  const std::string& host_path() const { return host_path_; }

 private:
  struct Key {
    std::string name;  // as first written
    std::vector<std::pair<std::string, std::string>> values;
    // Values of other types, kept as the file had them ("name"=dword:00000001).
    std::vector<std::string> other_values;
  };
  using Keys = std::vector<Key>;

  static Key* FindKey(Keys& keys, const std::string& key);
  static const Key* FindKey(const Keys& keys, const std::string& key);
  static Key& EnsureKey(Keys& keys, const std::string& key);
  static std::string Serialize(const Keys& keys);
  // Writes `keys` to the file and, once that succeeded, makes them the store's.
  Status Save(Keys keys);

  std::string host_path_;
  std::vector<Key> keys_;
};

}  // namespace setup
