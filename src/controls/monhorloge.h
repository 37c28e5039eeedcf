#pragma once
// An analogue clock face whose hands the user drags to set the hours and minutes. Dragging
// a hand across midnight reports the change of day to the owner.

#include <QWidget>
#include <functional>

#include "base/datetime.h"

class TMonHorloge : public QWidget {
  Q_OBJECT
 public:
  enum TAiguille { aiAucune, aiCentre, aiMinutes, aiHeures };

  explicit TMonHorloge(QWidget* xParent = nullptr);

  int Heure() const { return FHeure; }
  void SetHeure(int v);
  int Minute() const { return FMinute; }
  void SetMinute(int v);
  // The time of day of Heure:Minute:00; writing keeps the hours and minutes only.
  TDateTime HorlogeHeure() const;
  void SetHorlogeHeure(TDateTime dt);

  TAiguille AiguilleSaisie() const { return FAiguille; }
  // Tips of the hands, in the control's coordinates.
  QPoint PointeHeures() const;
  QPoint PointeMinutes() const;
  // The point at iDistance pixels from the centre along the given angle (radians, clockwise
  // from 3 o'clock).
  QPoint PointSur(double dAngle, double dDistance) const;

  std::function<void(TMonHorloge*)> OnChange;
  // iSens: +1 when the time crossed midnight forwards, -1 backwards.
  std::function<void(TMonHorloge*, int iSens)> OnChangeJour;

  QSize sizeHint() const override { return QSize(101, 101); }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int w) const override { return w; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  double Rayon() const { return width() / 2; }
  double AngleHeures() const;
  double AngleMinutes() const;
  void Changer(int iHeure, int iMinute);

  int FHeure = 0;
  int FMinute = 0;
  TAiguille FAiguille = aiAucune;
};
