// Times the expanding copy against libmspack's SZDD decompressor on the same file, compressed
// by mscompress: file to file (the product's path, through PosixFileSystem) and memory to
// memory (the decoders alone). Usage: lz_expand_bench [megabytes, default 50]
#include <mspack.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_support.h"
#include "install/lz_expand.h"
#include "platform/posix_file_system.h"
#include "support/generated_data.h"

namespace {

using setup::bench::Stopwatch;

constexpr int ROUNDS = 3;

// libmspack's files in memory: "in" reads the compressed data, "out" appends to a string.
struct MemoryFile {
  const std::string* input = nullptr;
  std::string* output = nullptr;
  size_t pos = 0;
};

struct MemorySystem {
  mspack_system sys;  // first, so the library's pointer is ours
  const std::string* input;
  std::string* output;
};

MemoryFile* AsMemory(mspack_file* file) { return reinterpret_cast<MemoryFile*>(file); }

mspack_file* MemoryOpen(mspack_system* self, const char* name, int mode) {
  auto* system = reinterpret_cast<MemorySystem*>(self);
  auto* file = new MemoryFile;
  if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, "in") == 0) {
    file->input = system->input;
  } else if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, "out") == 0) {
    file->output = system->output;
  } else {
    delete file;
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(file);
}

void MemoryClose(mspack_file* file) { delete AsMemory(file); }

int MemoryRead(mspack_file* file, void* buffer, int bytes) {
  MemoryFile* f = AsMemory(file);
  if (f->input == nullptr || bytes < 0) return -1;
  const size_t n = std::min(static_cast<size_t>(bytes), f->input->size() - f->pos);
  std::memcpy(buffer, f->input->data() + f->pos, n);
  f->pos += n;
  return static_cast<int>(n);
}

int MemoryWrite(mspack_file* file, void* buffer, int bytes) {
  MemoryFile* f = AsMemory(file);
  if (f->output == nullptr || bytes < 0) return -1;
  f->output->append(static_cast<const char*>(buffer), static_cast<size_t>(bytes));
  return bytes;
}

int MemorySeek(mspack_file* file, off_t offset, int mode) {
  MemoryFile* f = AsMemory(file);
  const size_t size = f->input ? f->input->size() : f->output->size();
  off_t base = mode == MSPACK_SYS_SEEK_START ? 0
               : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(f->pos)
                                             : static_cast<off_t>(size);
  if (base + offset < 0 || base + offset > static_cast<off_t>(size)) return -1;
  f->pos = static_cast<size_t>(base + offset);
  return 0;
}

off_t MemoryTell(mspack_file* file) { return static_cast<off_t>(AsMemory(file)->pos); }
void MemoryMessage(mspack_file*, const char*, ...) {}
void* MemoryAlloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void MemoryFree(void* p) { std::free(p); }
void MemoryCopy(void* src, void* dest, size_t bytes) { std::memcpy(dest, src, bytes); }

// Our decoder's files in memory.
class StringSource : public setup::ReadableFile {
 public:
  explicit StringSource(const std::string& data) : data_(data) {}
  setup::Result<size_t> Read(char* buffer, size_t n) override {
    const size_t count = std::min(n, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, count);
    pos_ += count;
    return count;
  }
  uint64_t Size() const override { return data_.size(); }

 private:
  const std::string& data_;
  size_t pos_ = 0;
};

class StringSink : public setup::WritableFile {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  setup::Status Write(const char* data, size_t n) override {
    out_.append(data, n);
    return setup::Status::Ok();
  }
  setup::Status Commit() override { return setup::Status::Ok(); }

 private:
  std::string& out_;
};

bool Check(const char* what, const std::string& got, const std::string& original) {
  if (got == original) return true;
  const auto diff = std::mismatch(got.begin(), got.end(), original.begin(), original.end());
  std::fprintf(stderr, "%s differs from the original: %zu bytes against %zu, first at %zu\n", what,
               got.size(), original.size(), static_cast<size_t>(diff.first - got.begin()));
  return false;
}

double MegabytesPerSecond(size_t bytes, double seconds) { return bytes / seconds / 1e6; }

void Report(const char* what, size_t bytes, double ours, double mspack) {
  std::printf("%-18s ours %8.1f MB/s   libmspack %8.1f MB/s   ratio %.2fx\n", what,
              MegabytesPerSecond(bytes, ours), MegabytesPerSecond(bytes, mspack), mspack / ours);
}

}  // namespace

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
  setup::bench::ScratchDir dir("lz-bench");
  const std::string original = setup::testing::CompressibleData(megabytes * 1000000, 1);
  const std::string plain = dir.path() + "/data.bin";
  if (!setup::bench::WriteHostFile(plain, original)) return 1;
  std::printf("compressing %zu bytes with mscompress...\n", original.size());
  std::fflush(stdout);
  if (std::system(("mscompress '" + plain + "'").c_str()) != 0) {
    std::fprintf(stderr, "mscompress failed\n");
    return 1;
  }
  const std::string compressed_path = plain + "_";
  const std::string compressed = setup::bench::ReadHostFile(compressed_path);
  std::printf("compressed to %zu bytes (%.1f%%)\n", compressed.size(),
              100.0 * compressed.size() / original.size());

  setup::DriveMap drives;
  drives.Map('C', dir.path(), setup::DriveType::Fixed);
  setup::PosixFileSystem fs(drives, setup::CodePage(), "C:\\");
  msszdd_decompressor* files = mspack_create_szdd_decompressor(nullptr);
  MemorySystem memory{{MemoryOpen, MemoryClose, MemoryRead, MemoryWrite, MemorySeek, MemoryTell,
                       MemoryMessage, MemoryAlloc, MemoryFree, MemoryCopy, nullptr},
                      &compressed,
                      nullptr};
  msszdd_decompressor* in_memory = mspack_create_szdd_decompressor(&memory.sys);

  double ours_file = 1e9, mspack_file = 1e9, ours_memory = 1e9, mspack_memory = 1e9;
  bool same = true;
  for (int round = 0; round < ROUNDS; ++round) {
    const std::string ours_path = dir.path() + "/ours.bin";
    const std::string mspack_path = dir.path() + "/mspack.bin";
    std::remove(ours_path.c_str());
    std::remove(mspack_path.c_str());

    Stopwatch ours_watch;
    setup::Status status = setup::ExpandFile(fs, "C:\\data.bin_", "C:\\ours.bin");
    ours_file = std::min(ours_file, ours_watch.Seconds());
    Stopwatch mspack_watch;
    const int error = files->decompress(files, compressed_path.c_str(), mspack_path.c_str());
    mspack_file = std::min(mspack_file, mspack_watch.Seconds());
    if (!status.ok() || error != MSPACK_ERR_OK) {
      std::fprintf(stderr, "expansion failed: %s / libmspack error %d\n", status.ToString().c_str(),
                   error);
      return 1;
    }
    same = Check("our file", setup::bench::ReadHostFile(ours_path), original) &&
           Check("libmspack's file", setup::bench::ReadHostFile(mspack_path), original) && same;

    std::string ours_out;
    ours_out.reserve(original.size());
    StringSource source(compressed);
    StringSink sink(ours_out);
    Stopwatch ours_memory_watch;
    status = setup::ExpandStream(source, sink, "data.bin_");
    ours_memory = std::min(ours_memory, ours_memory_watch.Seconds());
    std::string mspack_out;
    mspack_out.reserve(original.size());
    memory.output = &mspack_out;
    Stopwatch mspack_memory_watch;
    const int memory_error = in_memory->decompress(in_memory, "in", "out");
    mspack_memory = std::min(mspack_memory, mspack_memory_watch.Seconds());
    same = status.ok() && memory_error == MSPACK_ERR_OK &&
           Check("our memory", ours_out, original) &&
           Check("libmspack's memory", mspack_out, original) && same;
  }
  mspack_destroy_szdd_decompressor(files);
  mspack_destroy_szdd_decompressor(in_memory);
  if (!same) {
    std::fprintf(stderr, "an expansion differs from the original\n");
    return 1;
  }
  std::printf(
      "best of %d rounds, %zu MB expanded (MB = 10^6 bytes); ratio = our speed over "
      "libmspack's\n",
      ROUNDS, original.size() / 1000000);
  Report("file to file", original.size(), ours_file, mspack_file);
  Report("memory to memory", original.size(), ours_memory, mspack_memory);
  return 0;
}
