// Quillet — the T4 entry screen: one employee at a time, in name order.
#pragma once

#include "screens/t4_entry_controller.h"
#include "screens/ui/slip_entry_screen.h"

namespace quillet {

class TFormT4Entry : public SlipEntryScreen {
  Q_OBJECT

 public:
  TFormT4Entry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner = nullptr);

  const T4EntryController& controller() const { return m_controller; }

 protected:
  SlipEntry& entry() override { return m_controller; }
  void showBoxesOfYear(int year) override;

 private:
  void layOut();

  OpenT4FileState& m_state;
  T4EntryController m_controller;
};

}  // namespace quillet
