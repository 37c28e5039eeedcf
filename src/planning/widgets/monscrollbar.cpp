#include "planning/widgets/monscrollbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "base/widgets/couleurs.h"

namespace {
// Nearest integer, halves to the even neighbour.
int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

TMonScrollBar::TMonScrollBar(QWidget* xParent) : TBarreFlechee(xParent) {}

void TMonScrollBar::SetMin(int v) {
  if (v >= FMax && !FChargement) v = FMax - 1;
  if (v == FMin) return;
  FMin = v;
  if (FAutoHandle) CalculerTailleAuto();
  SetPosition(FPosition);
  update();
}

void TMonScrollBar::SetMax(int v) {
  if (v <= FMin && !FChargement) v = FMin + 1;
  if (v == FMax) return;
  FMax = v;
  if (FAutoHandle) CalculerTailleAuto();
  SetPosition(FPosition);
  update();
}

void TMonScrollBar::SetPosition(int v) {
  v = std::clamp(v, FMin, std::max(FMin, FMax));
  if (v == FPosition) return;
  FPosition = v;
  update();
  Change();
}

void TMonScrollBar::SetSmallChange(int v) { FSmallChange = v > 0 ? v : 1; }
void TMonScrollBar::SetLargeChange(int v) { FLargeChange = v > 0 ? v : 1; }

void TMonScrollBar::SetHandleSize(int v) {
  if (v < 0) v = 0;
  if (v == FHandleSize) return;
  FHandleSize = v;
  update();
}

void TMonScrollBar::SetAutoHandle(bool v) {
  if (v == FAutoHandle) return;
  FAutoHandle = v;
  if (v) CalculerTailleAuto();
  update();
}

// The thumb follows the bar's length and the range. The length is the height for a
// vertical bar: the width of a vertical bar is only its thickness.
void TMonScrollBar::CalculerTailleAuto() {
  const int etendue = FMax - FMin;
  int taille = etendue > 0 ? Longueur() / etendue : 0;
  SetHandleSize(std::max(taille, 6));
}

void TMonScrollBar::resizeEvent(QResizeEvent* e) {
  if (FAutoHandle) CalculerTailleAuto();
  TBarreFlechee::resizeEvent(e);
}

int TMonScrollBar::LongueurCurseur() const {
  const QRect piste = RectPiste();
  const int L = Kind() == sbHorizontal ? piste.width() : piste.height();
  int h = FHandleSize > 0 ? FHandleSize : Epaisseur();
  if (h >= L) h = L - 1;
  return std::max(h, 0);
}

QRect TMonScrollBar::RectCurseur() const {
  const QRect piste = RectPiste();
  const bool horizontal = Kind() == sbHorizontal;
  const int L = horizontal ? piste.width() : piste.height();
  const int h = LongueurCurseur();
  const int debut = horizontal ? piste.left() : piste.top();
  const int libre = std::max(L - h, 0);
  const int etendue = FMax - FMin;
  const int decalage = etendue > 0 ? Arrondi(double(libre * (FPosition - FMin)) / etendue) : 0;
  return horizontal ? QRect(debut + decalage, 0, h, height())
                    : QRect(0, debut + decalage, width(), h);
}

int TMonScrollBar::PositionToPixel(int p) const {
  const QRect piste = RectPiste();
  const bool horizontal = Kind() == sbHorizontal;
  const int L = horizontal ? piste.width() : piste.height();
  const int debut = horizontal ? piste.left() : piste.top();
  p = std::clamp(p, FMin, std::max(FMin, FMax));
  const int etendue = FMax - FMin;
  if (etendue <= 0) return debut;
  return debut + Arrondi(double(p - FMin) * std::max(L - LongueurCurseur(), 0) / etendue);
}

// A track with no room beside the thumb maps every pixel to Min instead of dividing by
// zero, and the result never leaves [Min, Max].
int TMonScrollBar::PixelToPosition(int x) const {
  const QRect piste = RectPiste();
  const bool horizontal = Kind() == sbHorizontal;
  const int L = horizontal ? piste.width() : piste.height();
  const int debut = horizontal ? piste.left() : piste.top();
  const int libre = L - LongueurCurseur();
  if (libre <= 0) return FMin;
  const int d = std::clamp(x - debut, 0, std::max(L, 0));
  return std::clamp(Arrondi(double(d) * (FMax - FMin) / libre + FMin), FMin, std::max(FMin, FMax));
}

int TMonScrollBar::HitTest(int X, int Y) const {
  if (!rect().contains(X, Y)) return ptAucune;
  const int partie = TBarreFlechee::HitTest(X, Y);
  if (partie != ptAucune) return partie;
  const QRect c = RectCurseur();
  if (c.width() > 0 && c.height() > 0 && c.contains(X, Y)) return ptCurseur;
  if (Kind() == sbHorizontal) {
    if (X > 0 && X < c.left()) return ptAvant;
    if (X >= c.left() + c.width() && X < width() - 1) return ptApres;
  } else {
    if (Y > 0 && Y < c.top()) return ptAvant;
    if (Y >= c.top() + c.height() && Y < height() - 1) return ptApres;
  }
  return ptAucune;
}

void TMonScrollBar::ChangerPositionUtilisateur(int v) {
  const bool avant = FChangementUtilisateur;
  FChangementUtilisateur = true;
  SetPosition(v);
  FChangementUtilisateur = avant;
}

void TMonScrollBar::TimerTick() {
  TBarreFlechee::TimerTick();
  switch (FPartiePressee) {
    case ptFleche1:
      ChangerPositionUtilisateur(FPosition - FSmallChange);
      break;
    case ptFleche2:
      ChangerPositionUtilisateur(FPosition + FSmallChange);
      break;
    case ptAvant:
    case ptApres:
      // Paging stops by itself once the thumb has reached the press point.
      if (HitTest(FPointPression.x(), FPointPression.y()) == FPartiePressee) {
        ChangerPositionUtilisateur(FPartiePressee == ptAvant ? FPosition - FLargeChange
                                                             : FPosition + FLargeChange);
      } else {
        FTimer->stop();
        FPartiePressee = ptAucune;
        update();
      }
      break;
    default:
      break;
  }
}

void TMonScrollBar::mousePressEvent(QMouseEvent* e) {
  TBarreFlechee::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && FPartiePressee == ptCurseur) {
    FTimer->stop();
    FDebutGlisse = static_cast<float>(FPosition);
  }
}

void TMonScrollBar::mouseMoveEvent(QMouseEvent* e) {
  TBarreFlechee::mouseMoveEvent(e);
  if (FPartiePressee != ptCurseur) return;
  const QRect piste = RectPiste();
  const bool horizontal = Kind() == sbHorizontal;
  const int L = horizontal ? piste.width() : piste.height();
  const int libre = L - LongueurCurseur();
  if (libre <= 0) return;  // no room to move the thumb in
  const QPoint pt = e->position().toPoint();
  const int ecart = horizontal ? pt.x() - FPointPression.x() : pt.y() - FPointPression.y();
  const float delta = static_cast<float>(FMax - FMin) * ecart / libre;
  ChangerPositionUtilisateur(Arrondi(FDebutGlisse + delta));
}

void TMonScrollBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PeindreBarre(p);
  QRect c = RectCurseur();
  if (!IsEnabled() || c.width() <= 0 || c.height() <= 0) return;
  const QPalette& pal = palette();
  CadreRect(p, c, VersQColor(clWindowFrame, pal));
  c.adjust(1, 1, -1, -1);
  Cadre3D(p, c, VersQColor(CouleursBarre::Eclaircir(HandleColor(), 48)),
          VersQColor(CouleursBarre::Eclaircir(HandleColor(), -64)));
  if (c.width() > 0 && c.height() > 0)
    p.fillRect(c, FPartiePressee == ptCurseur ? QColor(128, 128, 128) : VersQColor(HandleColor(), pal));
}
