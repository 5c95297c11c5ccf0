// Writes the sample game's tune, "natsu no hibi": a gentle summer-days loop in C
// major at 84 beats a minute, 32 bars (about 91 s). Marimba and flute carry the
// tune over a broken-chord piano, a slow string pad, a walking bass and a light
// shaker. The last bar comes home to C and every note has ended by the final bar
// line, so the watchdog's restart joins the end to the start without a seam.
//
// usage: make_tune <output.mid>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "score.h"
#include "smf.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_tune <output.mid>\n";
    return 2;
  }
  try {
    const std::vector<std::uint8_t> bytes = make_tune::ComposeTune();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "make_tune: cannot write " << argv[1] << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "make_tune: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
