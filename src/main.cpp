// Placeholder so the tree links; replaced by the real wiring.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}
