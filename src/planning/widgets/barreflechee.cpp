#include "planning/widgets/barreflechee.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QTimer>
#include <algorithm>

#include "base/widgets/couleurs.h"

namespace CouleursBarre {

TColor EnRGB(TColor c) { return DepuisQColor(VersQColor(c)); }

TColor Eclaircir(TColor c, int iDelta) {
  c = EnRGB(c);
  auto canal = [iDelta](int v) { return std::clamp(v + iDelta, 0, 255); };
  return RGBCouleur(canal(RougeDe(c)), canal(VertDe(c)), canal(BleuDe(c)));
}

TColor Melanger(TColor c1, TColor c2, int iAlpha) {
  c1 = EnRGB(c1);
  c2 = EnRGB(c2);
  const int a = std::clamp(iAlpha, 0, 255);
  auto canal = [a](int v1, int v2) { return (v1 * a + v2 * (255 - a)) / 255; };
  return RGBCouleur(canal(RougeDe(c1), RougeDe(c2)), canal(VertDe(c1), VertDe(c2)),
                    canal(BleuDe(c1), BleuDe(c2)));
}

}  // namespace CouleursBarre

void CadreRect(QPainter& p, const QRect& r, const QColor& c) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

void Cadre3D(QPainter& p, QRect& r, const QColor& cHaut, const QColor& cBas) {
  if (r.width() > 0 && r.height() > 0) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), cHaut);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), cHaut);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), cBas);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), cBas);
  }
  r.adjust(1, 1, -1, -1);
}

TBarreFlechee::TBarreFlechee(QWidget* xParent) : QWidget(xParent) {
  resize(100, 16);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FMotif = new QImage(8, 8, QImage::Format_RGB32);
  FTimer = new QTimer(this);
  connect(FTimer, &QTimer::timeout, this, [this] { TimerTick(); });
  BuildPattern();
}

TBarreFlechee::~TBarreFlechee() { delete FMotif; }

QSize TBarreFlechee::sizeHint() const { return FKind == sbHorizontal ? QSize(100, 16) : QSize(16, 100); }

void TBarreFlechee::SetKind(TScrollBarKind v) {
  if (v == FKind) return;
  FKind = v;
  update();
}

void TBarreFlechee::SetBackgnd(TRBBackgnd v) {
  if (v == FBackgnd) return;
  FBackgnd = v;
  BuildPattern();
  update();
}

void TBarreFlechee::SetFramed(bool v) {
  if (v == FFramed) return;
  FFramed = v;
  update();
}

void TBarreFlechee::SetHandleColor(TColor v) {
  if (v == FHandleColor) return;
  FHandleColor = v;
  update();
}

void TBarreFlechee::SetColor(TColor v) {
  FColor = v;
  BuildPattern();
  update();
}

void TBarreFlechee::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) update();
  // A new palette changes what the system colours of the pattern resolve to.
  if (e->type() == QEvent::PaletteChange) BuildPattern();
  QWidget::changeEvent(e);
}

int TBarreFlechee::Longueur() const { return FKind == sbHorizontal ? width() : height(); }
int TBarreFlechee::Epaisseur() const { return FKind == sbHorizontal ? height() : width(); }

int TBarreFlechee::TailleFleche() const {
  const int l = Longueur();
  return l >= 32 ? 16 : l / 2;
}

QRect TBarreFlechee::RectFleche1() const {
  const int a = TailleFleche();
  return FKind == sbHorizontal ? QRect(0, 0, a, height()) : QRect(0, 0, width(), a);
}

QRect TBarreFlechee::RectFleche2() const {
  const int a = TailleFleche();
  return FKind == sbHorizontal ? QRect(width() - a, 0, a, height())
                               : QRect(0, height() - a, width(), a);
}

QRect TBarreFlechee::RectPiste() const {
  const int a = TailleFleche();
  const int l = std::max(0, Longueur() - 2 * a);
  return FKind == sbHorizontal ? QRect(a, 0, l, height()) : QRect(0, a, width(), l);
}

void TBarreFlechee::Change() {
  if (OnChange) OnChange(this);
  if (FChangementUtilisateur && OnUserChange) OnUserChange(this);
}

bool TBarreFlechee::IsEnabled() const { return isEnabled(); }

int TBarreFlechee::HitTest(int X, int Y) const {
  if (!rect().contains(X, Y)) return ptAucune;
  if (RectFleche1().contains(X, Y)) return ptFleche1;
  if (RectFleche2().contains(X, Y)) return ptFleche2;
  return ptAucune;
}

void TBarreFlechee::BuildPattern() {
  const QColor fond = VersQColor(FColor, palette());
  const QColor face = VersQColor(clBtnFace, palette());
  switch (FBackgnd) {
    case bgSolid:
      FMotif->fill(fond);
      break;
    case bgMix:
      FMotif->fill(VersQColor(CouleursBarre::Melanger(DepuisQColor(face), DepuisQColor(fond), 127)));
      break;
    case bgPattern:
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          FMotif->setPixelColor(x, y, ((x % 2) == (y % 2)) ? fond : face);
      break;
  }
}

void TBarreFlechee::TimerTick() {
  if (FPremierTick) {
    FTimer->setInterval(100);
    FPremierTick = false;
  }
}

void TBarreFlechee::DrawArrow(QPainter& p, const QRect& r, bool bPressed, bool bEnabled,
                              TDirectionFleche direction) {
  if (r.width() <= 0 || r.height() <= 0) return;
  const QPalette& pal = palette();
  p.fillRect(r, VersQColor(clBtnFace, pal));
  QRect interieur = r;
  if (bPressed) {
    // Pushed and flat: a single shadow line and the glyph moved by one pixel.
    CadreRect(p, interieur, VersQColor(clBtnShadow, pal));
    interieur.adjust(1, 1, -1, -1);
  } else {
    Cadre3D(p, interieur, VersQColor(cl3DLight, pal), VersQColor(cl3DDkShadow, pal));
    Cadre3D(p, interieur, VersQColor(clBtnHighlight, pal), VersQColor(clBtnShadow, pal));
  }
  // The glyph: a filled triangle about a third of the button's smaller side.
  const int cote = std::max(2, std::min(r.width(), r.height()) / 3);
  QPoint c = r.center();
  if (bPressed) c += QPoint(1, 1);
  QPolygon tri;
  const int d = cote / 2;
  switch (direction) {
    case dfGauche: tri << QPoint(c.x() - d, c.y()) << QPoint(c.x() + d, c.y() - cote) << QPoint(c.x() + d, c.y() + cote); break;
    case dfDroite: tri << QPoint(c.x() + d, c.y()) << QPoint(c.x() - d, c.y() - cote) << QPoint(c.x() - d, c.y() + cote); break;
    case dfHaut: tri << QPoint(c.x(), c.y() - d) << QPoint(c.x() - cote, c.y() + d) << QPoint(c.x() + cote, c.y() + d); break;
    case dfBas: tri << QPoint(c.x(), c.y() + d) << QPoint(c.x() - cote, c.y() - d) << QPoint(c.x() + cote, c.y() - d); break;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  if (!bEnabled) {
    // Inactive: an etched grey glyph.
    p.setBrush(VersQColor(clBtnHighlight, pal));
    p.drawPolygon(tri.translated(1, 1));
    p.setBrush(VersQColor(clBtnShadow, pal));
  } else {
    p.setBrush(VersQColor(clBtnText, pal));
  }
  p.drawPolygon(tri);
  p.restore();
}

void TBarreFlechee::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PeindreBarre(p);
}

void TBarreFlechee::PeindreBarre(QPainter& p) {
  const QPalette& pal = palette();
  const QRect R = rect();
  const bool enabled = IsEnabled();
  const QColor cadre = VersQColor(enabled ? clWindowFrame : clBtnShadow, pal);
  const bool horizontal = FKind == sbHorizontal;

  if (FFramed) CadreRect(p, R, cadre);

  const QRect f1 = RectFleche1(), f2 = RectFleche2();
  DrawArrow(p, f1, FPartiePressee == ptFleche1, enabled, horizontal ? dfGauche : dfHaut);
  if (FFramed) CadreRect(p, f1, cadre);
  DrawArrow(p, f2, FPartiePressee == ptFleche2, enabled, horizontal ? dfDroite : dfBas);
  if (FFramed) CadreRect(p, f2, cadre);

  QRect T = RectPiste();
  if (FFramed) {
    // The track's outline shares a pixel with each arrow's.
    T = horizontal ? T.adjusted(-1, 0, 1, 0) : T.adjusted(0, -1, 0, 1);
    CadreRect(p, T, cadre);
    T.adjust(1, 1, -1, -1);
    if (enabled) {
      const TColor c = FBackgnd == bgSolid ? CouleursBarre::EnRGB(FColor)
                                           : CouleursBarre::Melanger(FColor, clBtnFace, 127);
      Cadre3D(p, T, VersQColor(CouleursBarre::Eclaircir(c, -32)),
              VersQColor(CouleursBarre::Eclaircir(c, 32)));
    }
  }
  if (T.width() > 0 && T.height() > 0) {
    if (enabled)
      p.fillRect(T, QBrush(*FMotif));
    else
      p.fillRect(T, VersQColor(clBtnFace, pal));
  }
}

void TBarreFlechee::mousePressEvent(QMouseEvent* e) {
  if (OnMouseDown) OnMouseDown(this, e);
  if (e->button() != Qt::LeftButton) return;
  const QPoint pt = e->position().toPoint();
  FPartiePressee = HitTest(pt.x(), pt.y());
  update();
  FPointPression = pt;
  FTimer->setInterval(600);
  FPremierTick = false;
  TimerTick();
  FPremierTick = true;
  FTimer->start();
}

// A quick second click is a second press, not a double click.
void TBarreFlechee::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TBarreFlechee::mouseMoveEvent(QMouseEvent* e) {
  if (OnMouseMove) OnMouseMove(this, e);
}

void TBarreFlechee::mouseReleaseEvent(QMouseEvent* e) {
  if (OnMouseUp) OnMouseUp(this, e);
  FPartiePressee = ptAucune;
  update();
  FTimer->stop();
}
