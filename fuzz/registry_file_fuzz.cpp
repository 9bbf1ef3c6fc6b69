// Feeds arbitrary bytes to the REGEDIT4 reader, then writes the store back and reads it again:
// whatever was read must survive a round trip unchanged.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/registry_file.h"

namespace {

std::string ScratchFile(const char* name) {
  static const std::string dir = [] {
    // Memory-backed when the host has it: the reader is what is fuzzed, not the disk.
    char pattern[] = "/dev/shm/registry-fuzz-XXXXXX";
    char fallback[] = "/tmp/registry-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) made = mkdtemp(fallback);
    if (made == nullptr) abort();
    static std::string made_dir = made;
    atexit([] {
      unlink((made_dir + "/input.reg").c_str());
      unlink((made_dir + "/copy.reg").c_str());
      rmdir(made_dir.c_str());
    });
    return made_dir;
  }();
  return dir + "/" + name;
}

void WriteAll(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) abort();
  if (size > 0 && fwrite(data, 1, size, file) != size) abort();
  fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = ScratchFile("input.reg");
  WriteAll(input, data, size);
  auto store = setup::RegistryFile::Open(input);
  if (!store.ok()) return 0;
  const std::string text = store->Serialize();
  const std::string copy = ScratchFile("copy.reg");
  WriteAll(copy, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  auto again = setup::RegistryFile::Open(copy);
  if (!again.ok() || again->Serialize() != text) abort();
  return 0;
}
