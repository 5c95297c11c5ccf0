// The widget tests need one QApplication for the whole run; GoogleTest owns this
// environment and tears the application down before the program exits.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

// The offscreen platform tells, every time the game's menu pops up, that it cannot
// raise windows or grab the keyboard; that is the test's platform, not the game.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "hibi-tests";
    static char* argv[] = {name, nullptr};
    // The player's remembered choices (mute, full screen) never touch the real ones.
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    // A wide screen like the players', so full screen has bars beside the game.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
      const QString screen = config_.filePath(QStringLiteral("screen.json"));
      QFile file(screen);
      if (file.open(QIODevice::WriteOnly)) {
        file.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920,)"
                   R"( "height": 1080, "logicalDpi": 96}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.toLocal8Bit());
      }
    }
    qInstallMessageHandler(QuietOffscreenNotices);
    app_ = std::make_unique<QApplication>(argc, argv);
    // The game ends through its own shutdown, as main() arranges it.
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
  QTemporaryDir config_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<QtEnvironment>().release());

}  // namespace
