// Quillet — the T4A entry screen: one recipient at a time, in name order.
#pragma once

#include "screens/t4a_entry_controller.h"
#include "screens/ui/slip_entry_screen.h"

namespace quillet {

class TFormT4AEntry : public SlipEntryScreen {
  Q_OBJECT

 public:
  TFormT4AEntry(OpenT4FileState& state, ScreensUi& ui, QWidget* owner = nullptr);

  const T4AEntryController& controller() const { return m_controller; }

 protected:
  SlipEntry& entry() override { return m_controller; }
  void showBoxesOfYear(int year) override;

 private:
  void layOut();

  T4AEntryController m_controller;
};

}  // namespace quillet
