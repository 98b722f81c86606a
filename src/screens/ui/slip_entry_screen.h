// Quillet — what the T4 and T4A entry screens share: their controls made from a table, the
// record shown, each field checked as it is left, the button bar and closing.
#pragma once

#include <QStringList>
#include <functional>
#include <map>
#include <span>

#include "screens/slip_entry_controller.h"
#include "screens/ui/field_screen.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
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
  // The size that shows every box without scrolling.
  QSize wholeSize() const;

 protected:
  SlipEntryScreen(ScreensUi& ui, QWidget* owner) : FieldScreen(ui, owner) {}
  // The controller: the derived screen's member.
  virtual SlipEntry& entry() = 0;

  // One control for each of `defs`; a list takes the items `listOf` gives its Tag.
  void buildControls(std::span<const ControlDef> defs,
                     const std::function<QStringList(int tag)>& listOf);
  // The top of the boxes: the employer's lines on the left; the tax year and `formTitle`
  // on the right, above the boxes of `firstRow`.
  QHBoxLayout* buildHeader(const QString& formTitle, std::initializer_list<int> firstRow);
  // A row of boxes in `grid` from `row`: each caption above its control.
  void boxRow(QWidget* parent, QGridLayout* grid, int row, std::initializer_list<int> tags);
  // The other information: `pairs` code and amount pairs from `firstCodeTag`, `perRow` a row.
  QGroupBox* otherInformation(QWidget* parent, int firstCodeTag, int pairs, int perRow);
  // The area that holds every box, scrolled on a screen too small for them; and `boxes` put
  // in it at the foot of `layout`, the hint under it.
  QScrollArea* newArea();
  void addScrolled(QVBoxLayout* layout, QWidget* boxes);
  // The bar of buttons at the foot of `layout`, after the controls in `tabOrder`.
  void addButtonBar(QVBoxLayout* layout, std::span<const int> tabOrder);
  // Opens the controller and shows the employer (its account number after
  // `accountCaption`) and the first record, sized to the screen, `m_firstTag` to be typed in.
  void showOpened(const QString& accountCaption);
  // The boxes the year's slip has are shown; the others hidden.
  virtual void showBoxesOfYear(int /*year*/) {}
  void setBoxShown(int tag, bool shown);
  // `tag`'s control takes the focus with its text selected: what is typed replaces it.
  void startTyping(int tag);
  void ShowRecord();
  void closeEvent(QCloseEvent* event) override;
  bool leave(int tag) override { return Validate_UpdtFile(tag); }
  void keepRecord() override { entry().keepWorking(); }
  void dropEntry() override { entry().dropEntry(); }

  const ControlDef& defOf(int tag) const { return m_defs[std::size_t(tag - m_defs.front().tag)]; }

  std::map<int, QWidget*> m_controls;  // by Tag
  int m_countryTag = 0;                // the country list that a province fills
  int m_firstTag = 0;                  // the box that takes the focus on a new record

 private:
  bool Validate_UpdtFile(int tag);
  void navigate(SlipEntry::Move move);
  void BitBtnAddNewClick();
  void BitBtnIndexClick();

  QPushButton* BitBtnNext = nullptr;
  std::span<const ControlDef> m_defs;
  std::map<int, QLabel*> m_captions;  // by Tag, but for the check boxes
  std::map<QString, QLabel*> m_header;
  QScrollArea* m_area = nullptr;  // every box, scrolled when the screen is small
};

}  // namespace quillet
