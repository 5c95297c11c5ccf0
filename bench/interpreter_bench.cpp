// Interpreter throughput, core only: StepScript over a 100,000-line scene with
// ports that do nothing, so only the game's own work is timed.
//
// usage: hibi_bench_interpreter [runs]   prints "lines_per_second <median> <min> <max>"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_script.h"
#include "game/fom.h"
#include "game/music.h"
#include "null_ports.h"
#include "storage/text_file.h"

namespace {

constexpr int kLines = 100000;

bool MakeGame(const QString& folder) {
  QDir dir(folder);
  for (const char* sub : {"sys", "txt", "img", "face"}) dir.mkpath(sub);
  return hibi::WriteLinesAtomically(folder + "/sys/sys.dat", {".txt", ".png", "", ""}) &&
         hibi::WriteLinesAtomically(folder + "/txt/bench.txt", hibi::bench::BenchScene(kLines));
}

// Seconds to run the whole scene through StepScript; negative when it did not run
// to its end as a scene should.
double RunOnce(const QString& folder) {
  hibi::bench::NullPictures pictures;
  hibi::bench::NullDialogs dialogs;
  hibi::bench::FixedRandom random;
  hibi::bench::NullShell shell(folder + "/");
  hibi::bench::NullMidi midi;
  hibi::Music music(midi);
  hibi::Fom fom({pictures, dialogs, random, shell, music});
  fom.Form_Load();
  fom.controls.PicStt.visible = false;

  const auto start = std::chrono::steady_clock::now();
  fom.OpenScene(QStringLiteral("bench"));
  long steps = 0;
  while (!fom.controls.PicCom.visible && steps < 10L * kLines) {
    fom.StepScript();
    ++steps;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  // Every page shows at least one line, so a real run takes thousands of steps.
  if (dialogs.boxes != 0 || !fom.controls.PicCom.visible || steps < kLines / 10) return -1;
  return took.count();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  QTemporaryDir dir;
  if (!dir.isValid() || !MakeGame(dir.path())) {
    std::fprintf(stderr, "cannot write the benchmark game\n");
    return 1;
  }
  std::vector<double> rates;
  for (int i = 0; i < runs; ++i) {
    const double seconds = RunOnce(dir.path());
    if (seconds <= 0) {
      std::fprintf(stderr, "the benchmark scene did not play through\n");
      return 1;
    }
    rates.push_back(kLines / seconds);
  }
  std::sort(rates.begin(), rates.end());
  std::printf("lines_per_second %.0f %.0f %.0f\n", rates[rates.size() / 2], rates.front(),
              rates.back());
  return 0;
}
