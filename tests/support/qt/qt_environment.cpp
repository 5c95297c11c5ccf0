// The widget tests need one QApplication for the whole run; GoogleTest owns this
// environment and tears the application down before the program exits.
#include <gtest/gtest.h>
#include <QApplication>
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
    qInstallMessageHandler(QuietOffscreenNotices);
    app_ = std::make_unique<QApplication>(argc, argv);
    // The game ends through its own shutdown, as main() arranges it.
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<QtEnvironment>().release());

}  // namespace
