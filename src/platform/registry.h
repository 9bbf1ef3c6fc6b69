#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace setup {

inline constexpr char SHELL_FOLDERS_KEY[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char UNINSTALL_KEY[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The system's registry as the program uses it: keys named by their full path from the
// root ("HKEY_LOCAL_MACHINE\Software\..."), REG_SZ values in the disc's code page. Key and
// value names are compared without regard to the case of ASCII letters.
class Registry {
 public:
  virtual ~Registry() = default;

  // Whether the key exists; a key named only as the parent of another exists too.
  virtual bool KeyExists(const std::string& key) const = 0;
  // The value's data; nullopt when the key or the value is missing.
  virtual std::optional<std::string> QueryValue(const std::string& key,
                                                const std::string& name) const = 0;
  // Creates the key (and its parents); an existing key is left as it is. A change that
  // fails is not made, and the status tells why (InvalidParameter for a name the registry
  // cannot hold).
  virtual Status CreateKey(const std::string& key) = 0;
  // Creates the key when needed and sets the value; fails as CreateKey does.
  virtual Status SetValue(const std::string& key, const std::string& name,
                          const std::string& data) = 0;
  // The names of the key's direct subkeys, each once, spelt as first written; empty when
  // the key is missing.
  virtual std::vector<std::string> SubKeyNames(const std::string& key) const = 0;
  // Deletes the key with its values and everything below it; a missing key is no error.
  // Fails as CreateKey does, leaving the key as it was.
  virtual Status DeleteKey(const std::string& key) = 0;
};

}  // namespace setup
