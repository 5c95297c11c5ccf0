// hibi: plays the game whose folders lie beside this executable.
#include <QApplication>
#include <QCoreApplication>
#include <iostream>

#include "fluidsynth/fluidsynth_device.h"
#include "game/system_random.h"
#include "qt/qt_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The window's close ends the program through the game's own shutdown.
  QApplication::setQuitOnLastWindowClosed(false);
  hibi::FluidSynthDevice midi;
  hibi::SystemRandom random;
  return hibi::RunGame(QCoreApplication::applicationDirPath(), midi, random, std::cerr);
}
