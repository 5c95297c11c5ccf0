// Resize redraw: the real game window, laid out anew and redrawn at a new size,
// with the title and then the opening's event picture at 1920 x 1080 source size
// (the "big" folder made by hibi_bench_games). Run on any Qt platform; the
// benchmark uses offscreen so only our own work and Qt's painting are timed.
//
// usage: hibi_bench_resize <game folder> [resizes]
//   prints "resize_ms_title <median> <min> <max>" and "resize_ms_event ..."
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "game/system_random.h"
#include "null_ports.h"
#include "qt/qt_app.h"

namespace {

void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void Report(const char* name, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%s %.2f %.2f %.2f\n", name, ms[ms.size() / 2], ms.front(), ms.back());
}

std::vector<double> TimeResizes(QWidget& window, int count) {
  const QSize sizes[] = {{1344, 1008}, {1024, 768}, {1600, 1200}, {1152, 864}};
  std::vector<double> ms;
  for (int i = 0; i < count; ++i) {
    QElapsedTimer clock;
    clock.start();
    window.resize(sizes[i % 4]);
    QCoreApplication::processEvents();
    window.repaint();
    ms.push_back(clock.nsecsElapsed() / 1e6);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: hibi_bench_resize <game folder> [resizes]\n");
    return 2;
  }
  const int count = argc > 2 ? std::max(4, atoi(argv[2])) : 40;
  hibi::bench::NullMidi midi;
  hibi::SystemRandom random;
  hibi::QtGame game(QString::fromLocal8Bit(argv[1]) + "/", midi, random);
  game.Start();
  RunEventsFor(300);
  Report("resize_ms_title", TimeResizes(game.window(), count));

  game.fom().PicStt_Click();
  game.window().Render();
  RunEventsFor(300);
  Report("resize_ms_event", TimeResizes(game.window(), count));
  return 0;
}
