// The widget tests need one QApplication for the whole run; GoogleTest owns this
// environment and tears the application down before the program exits.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "hibi-tests", *argv[] = {name, nullptr};
    // The player's remembered choices and lines read never touch the real ones.
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", config_.path().toLocal8Bit());
    // A wide screen like the players', so full screen has bars beside the game.
    QFile screen(config_.filePath(QStringLiteral("screen.json")));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screen.open(QIODevice::WriteOnly)) {
      screen.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920,)"
                   R"( "height": 1080, "logicalDpi": 96}]})");
      screen.close();
      qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    app_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // the game ends through its own shutdown
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
  QTemporaryDir config_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<QtEnvironment>().release());

}  // namespace
