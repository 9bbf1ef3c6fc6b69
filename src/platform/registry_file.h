#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/status.h"

namespace setup {

// The registry, kept as a REGEDIT4 text file on the host. Keys are full paths starting
// with the root's name ("HKEY_LOCAL_MACHINE\Software\..."), matched without regard to case;
// values are REG_SZ strings in the disc's code page. Every change is written at once and
// atomically (temporary file, fsync, rename), so a crash leaves the old or the new file; a
// change that cannot be written is not made. Key and value names are compared without regard
// to the case of ASCII letters. A value holding a line break or other control character is
// written in regedit's hex(1) form, so it reads back unchanged. Key paths are split at '\' a
// character at a time in the code page, so a name ending in a second byte 0x5C keeps it.
class RegistryFile : public Registry {
 public:
  // Loads the store from `host_path`; a missing file gives an empty store that is created
  // on the first change. A file that is not REGEDIT4 fails with InvalidParameter; lines
  // that are neither a key nor a value are ignored.
  static Result<RegistryFile> Open(const std::string& host_path,
                                   const CodePage& code_page = CodePage());

  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> QueryValue(const std::string& key,
                                        const std::string& name) const override;
  Status CreateKey(const std::string& key) override;
  Status SetValue(const std::string& key, const std::string& name,
                  const std::string& data) override;
  std::vector<std::string> SubKeyNames(const std::string& key) const override;
  Status DeleteKey(const std::string& key) override;

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

  Key* FindKey(Keys& keys, const std::string& key) const;
  const Key* FindKey(const Keys& keys, const std::string& key) const;
  Key& EnsureKey(Keys& keys, const std::string& key) const;
  static std::string Serialize(const Keys& keys);
  // Writes `keys` to the file and, once that succeeded, makes them the store's.
  Status Save(Keys keys);

  std::string host_path_;
  CodePage code_page_;
  std::vector<Key> keys_;
};

}  // namespace setup
