// Quillet — draws the picture of the About box and the main window (a maple leaf on the
// red and white bars) and writes it as a JPEG. Its output is kept in resources/.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "leaf.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillet-make-picture OUT.jpg\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QImage image(240, 120, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor red(0xD5, 0x2B, 0x1E);
  painter.fillRect(0, 0, 60, 120, red);
  painter.fillRect(180, 0, 60, 120, red);

  drawLeaf(painter, QPointF(120, 58), 46, red);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[1]), "JPEG", 90) ? 0 : 1;
}
