#pragma once
// The scroll bar of the chart and of the waiting list: the arrow bar with a range, a
// position, a thumb, paging that stops at the press point, thumb dragging and the
// conversions between positions and pixels.

#include "planning/widgets/barreflechee.h"

class TMonScrollBar : public TBarreFlechee {
  Q_OBJECT
 public:
  explicit TMonScrollBar(QWidget* xParent = nullptr);

  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const { return FPosition; }
  void SetPosition(int v);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int v);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int v);
  int HandleSize() const { return FHandleSize; }
  void SetHandleSize(int v);
  bool AutoHandle() const { return FAutoHandle; }
  void SetAutoHandle(bool v);

  // While loading, Min and Max take any value without correcting each other.
  void SetChargement(bool b) { FChargement = b; }

  int PositionPixel() const { return PositionToPixel(FPosition); }
  int PositionToPixel(int p) const;
  int PixelToPosition(int x) const;

  // Thumb geometry: its length along the axis and its rectangle.
  int LongueurCurseur() const;
  QRect RectCurseur() const;

 protected:
  int HitTest(int X, int Y) const override;
  void TimerTick() override;
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void CalculerTailleAuto();
  void ChangerPositionUtilisateur(int v);

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  int FHandleSize = 0;
  bool FAutoHandle = false;
  bool FChargement = false;
  float FDebutGlisse = 0;
};
