#pragma once
// A gauge that fills with a colour gradient, as one continuous bar or as separate blocks.

#include <QWidget>
#include <functional>

#include "base/tcolor.h"

class TMaJauge : public QWidget {
  Q_OBJECT
 public:
  explicit TMaJauge(QWidget* xParent = nullptr);

  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const { return FPosition; }
  void SetPosition(int v);
  void Incremente(int n) { SetPosition(FPosition + n); }
  TColor CouleurDebut() const { return FCouleurDebut; }
  void SetCouleurDebut(TColor c);
  TColor CouleurFin() const { return FCouleurFin; }
  void SetCouleurFin(TColor c);
  bool Carreau() const { return FCarreau; }
  void SetCarreau(bool b);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool b);
  // Minimum interval between immediate repaints caused by position changes; 0: none.
  int ForceRefreshMS() const { return FForceRefreshMS; }
  void SetForceRefreshMS(int v) { FForceRefreshMS = v; }

  double LargeurPas() const { return FLargeurPas; }
  int PositionDessinee() const { return FPositionDessinee; }

  std::function<void(TMaJauge*)> OnRedraw;

  QSize sizeHint() const override { return QSize(150, 16); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Peindre(QPainter& p);

  int FMax = 10;
  int FPosition = 0;
  int FPositionDessinee = 0;
  TColor FCouleurDebut = 0xFF0000;
  TColor FCouleurFin = 0x0000FF;
  bool FCarreau = false;
  bool FTransparent = false;
  int FForceRefreshMS = 0;
  double FLargeurPas = 0;
};
