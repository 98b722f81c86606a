// Quillet — what the print set-up dialogs ask for.
#pragma once

#include <QString>

namespace quillet {

enum T4FormType {
  DotMatrixForms = 0,       // pin-feed multi-part forms, all copies at once
  RevenueCanadaCopies = 1,  // laser or ink-jet single sheets, three runs
  EmployeeCopies = 2,
  CompanyCopies = 3,
};

// The T4 print set-up dialog's values.
struct T4PrintSetUp {
  static constexpr int MinTop = 25, MaxTop = 100, TopStep = 5;
  static constexpr int MinLeft = 25, MaxLeft = 75;

  int top = 50;  // hundredths of an inch
  int left = 25;
  bool lineUp = true;
  int formType = RevenueCanadaCopies;
  bool preview = false;  // the user asked to see the forms on the screen first

  // The values as the dialog's fields hold them: margins within their ranges.
  T4PrintSetUp clamped() const;
};

// The T4 Summary set-up dialog's values.
struct SummarySetUp {
  QString employerName;        // shown only
  QString businessNumber;      // shown only
  bool youthHires = false;     // box 98
  bool namePreprinted = true;  // name and address are on the form already
  double remittances = 0;      // dollars, box 82
  int top = 100;
  int left = 100;
  bool lineUp = true;
};

// The set-up of the slips or the Summary drawn whole on plain paper: which copy of the
// slips, the Summary's remittances, the margins; nothing about pre-printed stationery or
// line-up samples.
struct PlainPaperSetUp {
  static constexpr int MinMargin = 25, MaxMargin = 100;  // hundredths of an inch

  bool summary = false;           // the Summary, or the slips
  int formType = EmployeeCopies;  // the slips' copy: Employee, Company or RevenueCanada
  double remittances = 0;         // the Summary's, dollars
  int top = 50;
  int left = 25;
};

}  // namespace quillet
