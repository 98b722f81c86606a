// Quillet — the T4 entry screen: one employee at a time, in name order.
#pragma once

#include <map>

#include "screens/t4_entry_controller.h"
#include "screens/ui/field_screen.h"

class QComboBox;
class QLabel;
class QPushButton;

class QScrollArea;

namespace quillet {

class TFormT4Entry : public FieldScreen {
  Q_OBJECT

 public:
  TFormT4Entry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner = nullptr);

  const T4EntryController& controller() const { return m_controller; }
  QWidget* control(int tag) const { return m_controls.at(tag); }

  void reject() override;  // Esc closes as the close box does
  // The size that shows every box without scrolling.
  QSize wholeSize() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool leave(int tag) override { return Validate_UpdtFile(tag); }
  void keepRecord() override { m_controller.keepWorking(); }
  void dropEntry() override { m_controller.dropEntry(); }

 private:
  void buildControls();
  void layOut();
  void fillHeader();
  void ShowRecord();
  bool Validate_UpdtFile(int tag);
  void navigate(T4EntryController::Move move);
  void BitBtnAddNewClick();
  void startTyping();
  void BitBtnIndexClick();

  OpenT4FileState& m_state;
  T4EntryController m_controller;
  std::map<int, QWidget*> m_controls;  // by Tag
  std::map<int, QLabel*> m_captions;   // by Tag, but for the check boxes
  QScrollArea* m_area = nullptr;       // every box, scrolled when the screen is small
  std::map<QString, QLabel*> m_header;
  QPushButton* BitBtnNext = nullptr;
};

}  // namespace quillet
