// Quillet — what the T4 and T4A entry screens share: their controls made from a table, the
// record shown, each field checked as it is left, the button bar and closing.
#pragma once

#include <QStringList>
#include <functional>
#include <map>
#include <span>

#include "screens/slip_entry_controller.h"
#include "screens/ui/field_screen.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace quillet {

class SlipEntryScreen : public FieldScreen {
  Q_OBJECT

 public:
  // A control's kind: a signed amount takes any key (a minus sign among them).
  enum class Kind { Check, Amount, Number, Text, List, Signed };
  // One control: its Tag, objectName, kind, caption and the most characters it takes.
  struct ControlDef {
    int tag;
    const char* name;
    Kind kind;
    const char* caption;
    int maxLength = 0;  // 0: none
  };

  QWidget* control(int tag) const { return m_controls.at(tag); }
  void reject() override;  // Esc closes as the close box does

 protected:
  SlipEntryScreen(ScreensUi& ui, QWidget* owner) : FieldScreen(ui, owner) {}
  // The controller: the derived screen's member.
  virtual SlipEntry& entry() = 0;

  // One control for each of `defs`; a list takes the items `listOf` gives its Tag.
  void buildControls(std::span<const ControlDef> defs,
                     const std::function<QStringList(int tag)>& listOf);
  // The bar of buttons at the foot of `layout`, after the controls in `tabOrder`.
  void addButtonBar(QVBoxLayout* layout, std::span<const int> tabOrder);
  // `tag`'s control takes the focus with its text selected: what is typed replaces it.
  void startTyping(int tag);
  void ShowRecord();
  void closeEvent(QCloseEvent* event) override;
  bool leave(int tag) override { return Validate_UpdtFile(tag); }
  void keepRecord() override { entry().keepWorking(); }
  void dropEntry() override { entry().dropEntry(); }

  std::map<int, QWidget*> m_controls;  // by Tag
  int m_countryTag = 0;                // the country list that a province fills
  int m_firstTag = 0;                  // the box that takes the focus on a new record

 private:
  bool Validate_UpdtFile(int tag);
  void navigate(SlipEntry::Move move);
  void BitBtnAddNewClick();
  void BitBtnIndexClick();

  QPushButton* BitBtnNext = nullptr;
};

}  // namespace quillet
