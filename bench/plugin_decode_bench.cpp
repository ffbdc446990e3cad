// Times one decode of a small WebP picture through the plug-in helper
// process, as opening or dropping a picture does: the helper started, the
// plug-in loaded and asked, the picture handed back and checked.
//
//   build/release/bin/plugin_decode
#include <webp/encode.h>

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "pictures/susie_plugin.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<std::uint8_t> rgba(64 * 64 * 4, 0x80);
  std::uint8_t* encoded = nullptr;
  const std::size_t size = WebPEncodeRGBA(rgba.data(), 64, 64, 64 * 4, 80, &encoded);
  const std::vector<char> webp(encoded, encoded + size);
  WebPFree(encoded);

  using Clock = std::chrono::steady_clock;
  const QString mask = tintara::TSusiePlugIn::OwnPlugInFolder() + "*.SPI";
  std::vector<double> loads;
  std::vector<double> decodes;
  for (int i = 0; i < 50; ++i) {
    tintara::TSusiePlugIn host;
    auto start = Clock::now();
    host.LoadPlugIns(mask);
    loads.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    QImage picture;
    start = Clock::now();
    if (!host.DecodeMemory(webp.data(), static_cast<std::int64_t>(webp.size()), &picture)) {
      std::fprintf(stderr, "the WebP plug-in did not decode the picture\n");
      return 1;
    }
    decodes.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(loads.begin(), loads.end());
  std::sort(decodes.begin(), decodes.end());
  std::printf("%-28s %10s %10s\n", "step", "median ms", "p99 ms");
  std::printf("%-28s %10.2f %10.2f\n", "load plug-ins (describe)", loads[loads.size() / 2],
              loads[loads.size() * 99 / 100]);
  std::printf("%-28s %10.2f %10.2f\n", "decode 64x64 WebP", decodes[decodes.size() / 2],
              decodes[decodes.size() * 99 / 100]);
  return 0;
}
