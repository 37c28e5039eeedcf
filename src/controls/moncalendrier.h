#pragma once
// A month grid: a header row of day names and one cell per day, seven columns of weekdays.

#include <QWidget>
#include <functional>

#include "base/datetime.h"
#include "base/tcolor.h"

enum TJourSemaineNom { Sun = 0, Mon, Tue, Wed, Thu, Fri, Sat };

class TMonCalendrier : public QWidget {
  Q_OBJECT
 public:
  explicit TMonCalendrier(QWidget* xParent = nullptr);

  TDateTime CalendarDate() const { return FDate; }
  void SetCalendarDate(TDateTime dt);
  int Day() const;
  int Month() const;
  int Year() const;
  void SetDay(int v);
  void SetMonth(int v);
  void SetYear(int v);

  TJourSemaineNom StartOfWeek() const { return FDebutSemaine; }
  void SetStartOfWeek(TJourSemaineNom v);
  // Weekend days as a set of bits, bit n for weekday n (0 = Sunday).
  int Weekends() const { return FWeekends; }
  void SetWeekends(int iJours);
  static constexpr int Jour(TJourSemaineNom j) { return 1 << j; }
  TColor WeekendColor() const { return FCouleurWeekend; }
  void SetWeekendColor(TColor c);
  bool UseCurrentDate() const { return FDateCourante; }
  void SetUseCurrentDate(bool b);
  bool ReadOnly() const { return FLectureSeule; }
  void SetReadOnly(bool b) { FLectureSeule = b; }

  // Moves by whole months or years, keeping the day number when the target month has it and
  // taking its last day otherwise; and by days across month ends.
  void DecalerMois(int iMois);
  void DecalerAnnees(int iAnnees);
  void DecalerJours(int iJours);
  void AllerAujourdhui();

  // Grid layout: the grid position of day 1, and the cell of a day.
  int DecalageMois() const { return FDecalage; }
  QPoint CelluleDuJour(int iJour) const;  // x = column, y = row (row 0 is the header)
  int JourDeCellule(int iColonne, int iLigne) const;  // 0 when the cell is empty
  QPoint CelluleCourante() const { return FCellule; }
  QRect RectCellule(int iColonne, int iLigne) const;

  std::function<void(TMonCalendrier*)> OnChange;
  std::function<void(TMonCalendrier*)> OnDblClick;
  // Offered every key first; returns true when the key was handled.
  std::function<bool(TMonCalendrier*, QKeyEvent*)> OnKeyDown;

  QSize sizeHint() const override { return QSize(148, 106); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void ChangerDate(TDateTime dt, bool bExplicite);
  void MettreEnPage();
  int LargeurColonne() const;
  int HauteurLigne() const;

  TDateTime FDate;
  TJourSemaineNom FDebutSemaine = Mon;
  int FWeekends = 1 << Sun;
  TColor FCouleurWeekend = 255;
  bool FDateCourante = true;
  bool FLectureSeule = false;
  int FDecalage = 0;
  QPoint FCellule;
};
