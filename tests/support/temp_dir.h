#pragma once

#include <string>

namespace setup::testing {

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + relative.
  std::string Join(const std::string& relative) const;
  // Writes a file (creating its parent directories); returns its host path.
  std::string WriteFile(const std::string& relative, const std::string& contents) const;
  // Creates a directory and its parents; returns its host path.
  std::string MakeDir(const std::string& relative) const;
  // The contents of a file, or "<missing>" when it cannot be read.
  std::string ReadFile(const std::string& relative) const;
  // Whether an entry of exactly that name is there (a link counts, whatever it points at).
  bool Exists(const std::string& relative) const;
  // Makes `relative` a symbolic link to `target` (both relative); false where the host makes
  // none (Wine, Windows without the privilege).
  bool Link(const std::string& relative, const std::string& target) const;
  // The target of the symbolic link `relative` as a host path; "" when it is none (a Windows
  // shell link is a file).
  std::string LinkTarget(const std::string& relative) const;
  // Makes `relative` a named pipe; false where the host has none (Windows).
  bool MakePipe(const std::string& relative) const;
  // Sets or clears the owner's write permission (on Windows, the read-only attribute).
  void SetWritable(const std::string& relative, bool writable) const;
  bool Writable(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace setup::testing
