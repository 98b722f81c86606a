// Quillet — draws the program's icon (the maple leaf of its picture on a white tile with a
// red border) as a PNG of each size given, for the desktop's icon theme.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "leaf.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: quillet-make-icon FOLDER SIZE...\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int arg = 2; arg < argc; ++arg) {
    const int size = QByteArray(argv[arg]).toInt();
    if (size < 8) return 2;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);  // drawn on a 64-unit tile
    const QColor red(0xD5, 0x2B, 0x1E);
    painter.setPen(QPen(red, 4));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    drawLeaf(painter, QPointF(32, 30), 22, red);
    painter.end();
    const QString path = QStringLiteral("%1/%2x%2/apps/quillet.png").arg(folder).arg(size);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) return 1;
  }
  return 0;
}
