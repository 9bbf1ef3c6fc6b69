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
  bool Exists(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace setup::testing
