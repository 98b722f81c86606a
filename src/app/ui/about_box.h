// Quillet — the About box: program name, version and picture.
#pragma once

#include <QDialog>

namespace quillet {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* owner = nullptr);
};

// The program's picture (a JPEG among the program's resources).
QPixmap programPicture();

}  // namespace quillet
