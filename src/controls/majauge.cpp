#include "controls/majauge.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "base/widgets/couleurs.h"

namespace {

int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }
int MulDiv(int a, int b, int c) { return c == 0 ? 0 : Arrondi(double(a) * b / c); }

// Time of the last immediate repaint, shared by every gauge.
QElapsedTimer& HorlogeRafraichissement() {
  static QElapsedTimer t;
  if (!t.isValid()) t.start();
  return t;
}
qint64 DernierRafraichissement = -1;

}  // namespace

TMaJauge::TMaJauge(QWidget* xParent) : QWidget(xParent) {
  resize(150, 16);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  FLargeurPas = (width() - 4) / double(FMax);
}

void TMaJauge::SetMax(int v) {
  if (v <= 0) v = 1;
  FLargeurPas = (width() - 4) / double(v);
  FPosition = 0;
  FPositionDessinee = 0;
  FMax = v;
  if (isVisible()) repaint();
}

void TMaJauge::SetPosition(int v) {
  v = std::clamp(v, 0, FMax);
  if (v == FPosition) return;
  FPosition = v;
  if (FForceRefreshMS > 0) {
    const qint64 maintenant = HorlogeRafraichissement().elapsed();
    if (DernierRafraichissement < 0 || maintenant - DernierRafraichissement >= FForceRefreshMS) {
      DernierRafraichissement = maintenant;
      if (isVisible()) repaint();
    }
  }
  update();
}

void TMaJauge::SetCouleurDebut(TColor c) {
  FCouleurDebut = c;
  update();
}

void TMaJauge::SetCouleurFin(TColor c) {
  FCouleurFin = c;
  update();
}

void TMaJauge::SetCarreau(bool b) {
  FCarreau = b;
  update();
}

void TMaJauge::SetTransparent(bool b) {
  if (b == FTransparent) return;
  FTransparent = b;
  setAttribute(Qt::WA_OpaquePaintEvent, !b);
  repaint();
}

// The step width follows the width: a gauge laid out after Max was set still fills up.
void TMaJauge::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FLargeurPas = (width() - 4) / double(FMax);
}

void TMaJauge::paintEvent(QPaintEvent*) {
  QPixmap image(size());
  {
    QPainter p(&image);
    Peindre(p);
  }
  QPainter(this).drawPixmap(0, 0, image);
  FPositionDessinee = FPosition;
  if (OnRedraw) OnRedraw(this);
}

void TMaJauge::Peindre(QPainter& p) {
  const QPalette& pal = palette();
  const int W = width(), H = height();
  const QColor face = VersQColor(clBtnFace, pal);
  // A sunken border: grey on the left and top, white on the right and bottom.
  p.fillRect(QRect(0, 0, W, H), face);
  p.fillRect(QRect(0, 0, 1, H), QColor(128, 128, 128));
  p.fillRect(QRect(0, 0, W - 1, 1), QColor(128, 128, 128));
  p.fillRect(QRect(W - 1, 0, 1, H), Qt::white);
  p.fillRect(QRect(1, H - 1, W - 1, 1), Qt::white);

  double s;
  int n, d, decalage;
  if (!FCarreau) {
    s = FLargeurPas;
    n = FPosition;
    d = FMax - 1;
    decalage = 2;
  } else {
    const int blocs = std::max(1, H > 0 ? W / H : 1);
    s = (W - 4) / double(blocs);
    FLargeurPas = s;
    n = MulDiv(FPosition, blocs, FMax);
    d = blocs - 1;
    decalage = 0;
  }
  const TColor debut = DepuisQColor(VersQColor(FCouleurDebut, pal));
  const TColor fin = DepuisQColor(VersQColor(FCouleurFin, pal));
  for (int r = 0; r < n; ++r) {
    // With a single step there is no gradient: the start colour.
    auto canal = [&](int a, int b) { return a + MulDiv(b - a, r, d); };
    const QColor c(canal(RougeDe(debut), RougeDe(fin)), canal(VertDe(debut), VertDe(fin)),
                   canal(BleuDe(debut), BleuDe(fin)));
    const int x1 = Arrondi(r * s) + 2, x2 = Arrondi((r + 1) * s) + decalage;
    if (x2 > x1) p.fillRect(QRect(x1, 2, x2 - x1, H - 4), c);
  }
}
