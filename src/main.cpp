// hibi [GAME_FOLDER]: plays the game in that folder, else the one beside this
// executable, else (installed) the sample game from the player's own copy.
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "fluidsynth/fluidsynth_device.h"
#include "game/system_random.h"
#include "qt/game_folder.h"
#include "qt/qt_app.h"

namespace {

constexpr char kUsage[] =
    "Usage: hibi [GAME_FOLDER]\n"
    "Plays the story game in GAME_FOLDER (the folder holding img, face, txt and sys).\n"
    "Without it, plays the game beside the program, or else the sample game.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

constexpr char kNoDisplay[] =
    "hibi: no display to open the window on; start hibi from a desktop session "
    "(or set DISPLAY or WAYLAND_DISPLAY to a running one)\n";

// While the window system is opened: Qt's plugins explain at length why none of them
// could reach a display and then abort the program; a player is told in one line and
// the program ends with status 1. What the plugins said on the way is kept back and
// passed on only if a display was reached after all.
std::vector<std::pair<QtMsgType, QString>> heldBack;
QtMessageHandler qtHandler = nullptr;

void WhileOpeningTheDisplay(QtMsgType type, const QMessageLogContext& context,
                            const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) {
    heldBack.emplace_back(type, text);
  } else {
    qtHandler(type, context, text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Read before the window system is reached, so --help works without a display.
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(arg, "-v") == 0 || std::strcmp(arg, "--version") == 0) {
      std::cout << "hibi " HIBI_VERSION "\n";
      return 0;
    }
    if ((arg[0] == '-' && arg[1] != '\0' && std::strcmp(arg, "--") != 0) || folder) {
      std::cerr << "hibi: unexpected argument " << arg << "\n" << kUsage;
      return 2;
    }
    if (std::strcmp(arg, "--") != 0) folder = arg;
  }

  qtHandler = qInstallMessageHandler(WhileOpeningTheDisplay);
  QApplication app(argc, argv);
  qInstallMessageHandler(qtHandler);
  for (const auto& [type, text] : heldBack) qtHandler(type, QMessageLogContext(), text);
  // The desktop matches the window to its entry, and so to the software centre's.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.hibi"));
  // The window's close ends the program through the game's own shutdown.
  QApplication::setQuitOnLastWindowClosed(false);
  const QString game = folder ? QFileInfo(QString::fromLocal8Bit(folder)).absoluteFilePath()
                              : hibi::DefaultGameFolder(QCoreApplication::applicationDirPath());
  hibi::FluidSynthDevice midi;
  hibi::SystemRandom random;
  return hibi::RunGame(game, midi, random, std::cerr);
}
