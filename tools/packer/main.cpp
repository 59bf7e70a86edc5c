// qm_packer pack <output.pak> <folder>...   builds a resource pack from asset folders
// qm_packer embed <output.cpp> <folder>...  the same pack as a C++ source for the executable
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/PackWriter.h"
#include "platform/AtomicFile.h"
#include "tools/packer/AssetTree.h"
#include "tools/packer/EmbedSource.h"

int main(int argc, char** argv) {
  if (argc < 4 || (std::strcmp(argv[1], "pack") != 0 && std::strcmp(argv[1], "embed") != 0)) {
    std::fprintf(stderr, "usage: %s pack|embed <output> <folder>...\n", argv[0]);
    return 2;
  }
  PackWriter pack;
  for (int i = 3; i < argc; ++i) {
    std::string error;
    if (!AddAssetTree(argv[i], &pack, &error)) {
      std::fprintf(stderr, "packer: %s\n", error.c_str());
      return 1;
    }
  }
  const std::vector<uint8_t> bytes = pack.Build();
  if (bytes.empty()) {
    std::fprintf(stderr, "packer: the pack would exceed 4 GB\n");
    return 1;
  }
  AtomicFile out;
  bool ok = out.Open(argv[2]);
  if (ok && std::strcmp(argv[1], "pack") == 0) {
    ok = out.Write(bytes.data(), bytes.size());
  } else if (ok) {
    const std::string source = MakeEmbedSource(bytes);
    ok = out.Write(source.data(), source.size());
  }
  if (!ok || !out.Commit()) {
    std::fprintf(stderr, "packer: cannot write %s\n", argv[2]);
    return 1;
  }
  chmod(argv[2], 0644);  // the temporary file was private; the result is an ordinary build output
  std::printf("packer: %zu resources, %zu bytes -> %s\n", pack.Count(), bytes.size(), argv[2]);
  return 0;
}
