#include "controls/alignboutons.h"

#include <QChildEvent>
#include <QPainter>
#include <cmath>

#include "base/widgets/couleurs.h"
#include "controls/barregestion.h"

namespace {

int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }
int MulDiv(int a, int b, int c) { return c == 0 ? 0 : Arrondi(double(a) * b / c); }

}  // namespace

TAlignBoutons::TAlignBoutons(QWidget* xParent) : QWidget(xParent) {
  std::fill(std::begin(FPlaces), std::end(FPlaces), -1);
  resize(185, 24);
}

void TAlignBoutons::SetEspacement(int v) {
  v = std::clamp(v, 0, 10);
  if (v == FEspacement) return;
  FEspacement = v;
  Arranger();
  update();
}

void TAlignBoutons::SetHauteur(int v) {
  if (v < 10) v = 10;
  if (v > height()) resize(width(), v);
  if (v == FHauteur) return;
  FHauteur = v;
  Arranger();
  update();
}

void TAlignBoutons::SetQueVisible(bool b) {
  if (b == FQueVisible) return;
  FQueVisible = b;
  Arranger();
  update();
}

void TAlignBoutons::SetCommeCouleurTitre(bool b) {
  FCommeCouleurTitre = b;
  update();
}

void TAlignBoutons::SetColor(TColor c) {
  FCouleur = c;
  update();
}

QList<QWidget*> TAlignBoutons::Ordre() const {
  QList<QWidget*> r;
  for (int i : FPlaces)
    if (i >= 0 && i < FEnfants.size()) r.append(FEnfants[i]);
  return r;
}

// The first eleven children, sorted by their left edge; equal edges keep the list order.
bool TAlignBoutons::Ordonner() {
  int avant[NbPlaces];
  std::copy(std::begin(FPlaces), std::end(FPlaces), std::begin(avant));
  for (int i = 0; i < NbPlaces; ++i) {
    FPlaces[i] = i < FEnfants.size() ? i : -1;
  }
  const int n = std::min<int>(FEnfants.size(), NbPlaces);
  bool echange = true;
  while (echange) {
    echange = false;
    for (int i = 0; i + 1 < n; ++i) {
      if (FEnfants[FPlaces[i + 1]]->x() < FEnfants[FPlaces[i]]->x()) {
        std::swap(FPlaces[i], FPlaces[i + 1]);
        echange = true;
      }
    }
  }
  return !std::equal(std::begin(FPlaces), std::end(FPlaces), std::begin(avant));
}

QList<QWidget*> TAlignBoutons::Participants() const {
  QList<QWidget*> r;
  // Windows owned by the panel (a menu, a dialog) are no part of the row.
  for (QWidget* w : Ordre())
    if (!w->isWindow() && (!FQueVisible || !w->isHidden())) r.append(w);
  return r;
}

bool TAlignBoutons::Placer(QWidget* w, const QRect& r) {
  if (w->geometry() == r) return false;
  w->setGeometry(r);
  return true;
}

bool TAlignBoutons::Arranger() {
  Ordonner();
  return Disposer();
}

bool TAlignBoutons::Disposer() {
  const QList<QWidget*> enfants = Participants();
  const int n = enfants.size();
  if (n == 0) return false;
  auto poids = [](QWidget* w) {
    auto* barre = dynamic_cast<IBarreGestion*>(w);
    return barre ? barre->NbBoutonVisible() : 1;
  };
  int somme = 0;
  for (QWidget* w : enfants) somme += poids(w);
  if (somme <= 0) return false;
  const double unite = (width() - 1 - (n - 1) * FEspacement) / double(somme);
  bool bouge = false;
  int x = 0;
  for (QWidget* w : enfants) {
    const bool barre = dynamic_cast<IBarreGestion*>(w) != nullptr;
    const int largeur = Arrondi(poids(w) * unite);
    bouge |= Placer(w, QRect(x, 0, largeur, barre ? w->height() : FHauteur));
    x += largeur + FEspacement;
  }
  return bouge;
}

void TAlignBoutons::childEvent(QChildEvent* e) {
  QWidget::childEvent(e);
  if (e->added() && e->child()->isWidgetType()) {
    auto* w = static_cast<QWidget*>(e->child());
    if (!FEnfants.contains(w)) {
      FEnfants.append(w);
      w->installEventFilter(this);
      // While the panel is being built (not shown yet) the children are only listed: the
      // positions the program gives them decide the order when the panel is first shown.
      if (isVisible() && Ordonner()) Disposer();
    }
  } else if (e->polished()) {
    // Now fully built: a record bar is known as such and weighs its buttons.
    if (isVisible()) Disposer();
  } else if (e->removed()) {
    // The child may be half destroyed already: compare pointers only.
    const qsizetype i = FEnfants.indexOf(static_cast<QWidget*>(e->child()));
    if (i >= 0) {
      FEnfants.removeAt(i);
      Ordonner();
      if (isVisible()) Disposer();
    }
  }
}

// A child shown or hidden changes the row when only visible children take part.
bool TAlignBoutons::eventFilter(QObject* o, QEvent* e) {
  if ((e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent) && FQueVisible)
    Disposer();
  return QWidget::eventFilter(o, e);
}

void TAlignBoutons::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Arranger();
  update();
}

void TAlignBoutons::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  Arranger();
}

void TAlignBoutons::paintEvent(QPaintEvent*) {
  if (FPremierePeinture) {
    FPremierePeinture = false;
    Ordonner();
  }
  if (Disposer()) update();  // a moved child: one more repaint
  QPainter p(this);
  const QPalette& pal = palette();
  if (!FCommeCouleurTitre) {
    p.fillRect(rect(), VersQColor(FCouleur, pal));
    return;
  }
  // A gradient in the caption bar's colours, one pixel column at a time.
  const QColor c0 = VersQColor(clActiveCaption, pal), c1 = VersQColor(clGradientActiveCaption, pal);
  const int W = width();
  for (int x = 0; x <= W; ++x) {
    const QColor c(c0.red() + MulDiv(x, c1.red() - c0.red(), W),
                   c0.green() + MulDiv(x, c1.green() - c0.green(), W),
                   c0.blue() + MulDiv(x, c1.blue() - c0.blue(), W));
    p.fillRect(QRect(x, 0, 1, height()), c);
  }
}

// ---------------------------------------------------------------- equal buttons

TAlignBoutonsDlg::TAlignBoutonsDlg(QWidget* xParent) : TAlignBoutons(xParent) {}

void TAlignBoutonsDlg::Rearranger() {
  if (Arranger()) update();
}

void TAlignBoutonsDlg::SetLargeurBouton(int v) {
  FLargeurBouton = std::max(v, 20);
  Rearranger();
}

void TAlignBoutonsDlg::SetMargeGaucheDroite(int v) {
  FMargeGaucheDroite = std::max(v, 0);
  Rearranger();
}

void TAlignBoutonsDlg::SetMargeHautBas(int v) {
  FMargeHautBas = std::max(v, 0);
  Rearranger();
}

void TAlignBoutonsDlg::SetMargeMini(int v) {
  FMargeMini = v;
  Rearranger();
}

void TAlignBoutonsDlg::SetTypeAlignement(TTypeAlignement t) {
  FTypeAlignement = t;
  Arranger();
  update();
}

bool TAlignBoutonsDlg::Disposer() {
  const QList<QWidget*> enfants = Participants();
  const int n = enfants.size();
  if (n == 0) return false;
  const int W = width(), w = FLargeurBouton, M = FMargeGaucheDroite, m = FMargeMini;
  int x0 = 0, bw = w;
  double p = 0;
  if (n == 1) {
    x0 = (W - w) / 2;
    if (x0 < 0) {
      x0 = 0;
      bw = std::max(W, 5);
    }
  } else if (FTypeAlignement == taDroite) {
    // The last button ends M pixels before the right edge.
    x0 = W - M - n * (w + m) + m;
    p = w + m;
    if (x0 < m) {
      const double g = (W - (n + 1) * m) / double(n);
      const int b = g > 5 ? Arrondi(g) : 5;
      const double ecart = (W - n * b) / double(n + 1);
      bw = std::min(w, b);
      p = bw + ecart;
      x0 = Arrondi(W - n * p);
    }
  } else {
    // Justified: M pixels from both edges.
    p = (W - 2 * M - w) / double(n - 1);
    x0 = M;
    if (p - w < M) {
      double ecart = (W - n * w) / double(n + 1);
      if (m > ecart) {
        const double g = (W - (n + 1) * m) / double(n);
        bw = g > 5 ? Arrondi(g) : 5;
        ecart = (W - n * bw) / double(n + 1);
      }
      x0 = Arrondi(ecart);
      p = ecart + bw;
    }
  }
  bool bouge = false;
  for (int k = 0; k < n; ++k)
    bouge |= Placer(enfants[k], QRect(x0 + Arrondi(k * p), FMargeHautBas, bw, height() - 2 * FMargeHautBas));
  return bouge;
}
