// The floor of our stack: a Qt window of the game's size and place (seven tenths
// of the screen's width, 8:6, centred) with a label and eight buttons, no game.
//
// usage: hibi_bench_bare_window [--timer] [--count-ticks SECONDS] [--picture FILE]
//                               [--size WxH]
//   --timer        adds one 1 ms precise timer with an empty slot, as the game's
//                  music watchdog has
//   --count-ticks  with --timer: prints "ticks_per_second <n>" after SECONDS and quits
//   --picture      decodes FILE and stretch-draws it over the window in place of the
//                  label, as the game draws its title
//   --size         the window's inside, so the picture is stretched to the very
//                  size the game stretches its title to; without it the inside is
//                  seven tenths of the screen's width, 8:6
#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

class PictureView : public QWidget {
 public:
  explicit PictureView(const QString& path) : picture_(path) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
  }

 private:
  QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString picture;
  bool withTimer = false;
  double countSeconds = 0;
  QSize size;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--timer") == 0) withTimer = true;
    if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc) picture = argv[++i];
    if (std::strcmp(argv[i], "--count-ticks") == 0 && i + 1 < argc) countSeconds = atof(argv[++i]);
    if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
      const QStringList wh = QString::fromLatin1(argv[++i]).split(QLatin1Char('x'));
      if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
    }
  }

  PictureView view(picture);
  QWidget plain;
  QWidget& window = picture.isEmpty() ? plain : view;
  window.setWindowTitle(QStringLiteral("bare"));
  if (picture.isEmpty()) {
    auto* column = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("hibi bench"), &window);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("background: #f0e0c0; color: #202040; font-size: 48px;"));
    column->addWidget(label, 1);
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 8; ++i) row->addWidget(new QPushButton(QString::number(i + 1), &window));
    column->addLayout(row);
  }

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int width = size.isValid() ? size.width() : screen.width() * 7 / 10;
  const int height = size.isValid() ? size.height() : width * 6 / 8;
  window.setGeometry(screen.x() + (screen.width() - width) / 2,
                     screen.y() + (screen.height() - height) / 2, width, height);
  window.show();

  long ticks = 0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(1);
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  if (withTimer) timer.start();

  QElapsedTimer clock;
  if (withTimer && countSeconds > 0) {
    QTimer::singleShot(static_cast<int>(countSeconds * 1000), [&] {
      std::printf("ticks_per_second %.1f\n", ticks * 1000.0 / clock.elapsed());
      app.quit();
    });
    clock.start();
  }
  return app.exec();
}
