// Opening a scene in a script folder of 5,000 files: by its exact name, by a name in
// another case once the folder's listing is held, and by such a name right after the
// folder changed (the listing read again).
//
// usage: hibi_bench_names [runs]   prints "<case> <median us> <min> <max>" per case
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "storage/game_names.h"
#include "storage/text_file.h"

namespace {

constexpr int kFiles = 5000;

// Microseconds for one open and first line of the scene, median of `runs` rounds.
void Measure(
    const char* label, int runs, const std::function<bool()>& open,
    const std::function<void()>& before = [] {}) {
  std::vector<double> us;
  for (int i = 0; i < runs; ++i) {
    before();
    const auto start = std::chrono::steady_clock::now();
    if (!open()) {
      std::printf("%s failed\n", label);
      return;
    }
    us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(us.begin(), us.end());
  std::printf("%s %.1f %.1f %.1f\n", label, us[us.size() / 2], us.front(), us.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) * 20 : 100;
  QTemporaryDir dir;
  const QString game = dir.path() + "/";
  QDir(game).mkpath("TXT");
  for (int i = 0; i < kFiles; ++i) {
    hibi::WriteLinesAtomically(game + QString("TXT/S%1.TXT").arg(i, 4, 10, QChar('0')), {"tugi"});
  }
  const auto open = [&](const QString& relative) {
    return [&game, relative] {
      auto script = hibi::TextReader::Open(game, game + relative);
      return script && script->ReadLine();
    };
  };
  Measure("exact", runs, open("TXT/S2500.TXT"));
  Measure("folded", runs, open("txt/s2500.txt"));
  // A file added changes the folder, so the next lookup lists it again.
  int added = 0;
  Measure("relisted", runs, open("txt/s2500.txt"),
          [&] { hibi::WriteLinesAtomically(game + QString("TXT/new%1").arg(added++), {}); });
  return 0;
}
