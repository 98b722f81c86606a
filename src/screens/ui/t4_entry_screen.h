// Quillet — the T4 entry screen: one employee at a time, in name order.
#pragma once

#include <map>

#include "screens/t4_entry_controller.h"
#include "screens/ui/slip_entry_screen.h"

class QLabel;
class QScrollArea;

namespace quillet {

class TFormT4Entry : public SlipEntryScreen {
  Q_OBJECT

 public:
  TFormT4Entry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner = nullptr);

  const T4EntryController& controller() const { return m_controller; }
  // The size that shows every box without scrolling.
  QSize wholeSize() const;

 protected:
  SlipEntry& entry() override { return m_controller; }

 private:
  void layOut();
  void fillHeader();

  OpenT4FileState& m_state;
  T4EntryController m_controller;
  std::map<int, QLabel*> m_captions;  // by Tag, but for the check boxes
  QScrollArea* m_area = nullptr;      // every box, scrolled when the screen is small
  std::map<QString, QLabel*> m_header;
};

}  // namespace quillet
