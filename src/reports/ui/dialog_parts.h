// Quillet — small pieces that the print dialogs share.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace quillet {

// The screens' and dialogs' bold 8-point interface font.
void useBoldInterfaceFont(QWidget* widget);

// The room a window has on the screen it is on: the screen less its panels, less the
// frame and title bar that the window manager puts around it.
QSize roomOnScreen(const QWidget& window);
// A window that wants `wanted`: all of it where `room` allows, else as much as it has.
inline QSize sizeWithinRoom(QSize wanted, QSize room) { return wanted.boundedTo(room); }

QLabel* namedLabel(QWidget* parent, const char* objectName, const char* text);
QLabel* maroon(QLabel* label);
QSpinBox* namedSpinBox(QWidget* parent, const QString& objectName, int minimum, int maximum,
                       int step);
// One radio button per item, ids 0, 1, 2, … in `group`; none checked.
QButtonGroup* radioItems(QGroupBox* group, const QStringList& items);
// OK (the default button, accepting) and Cancel (rejecting), named as given.
QDialogButtonBox* okCancelButtons(QDialog* dialog, QPushButton** ok, QPushButton** cancel,
                                  const char* okName = "BitBtnOK",
                                  const char* cancelName = "BitBtnCancel");

}  // namespace quillet
