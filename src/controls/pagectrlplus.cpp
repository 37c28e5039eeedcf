#include "controls/pagectrlplus.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

#include "base/widgets/couleurs.h"

TBarreOngletsPlus::TBarreOngletsPlus(TPageCtrlPlus* xPages) : QTabBar(xPages), FPages(xPages) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setDrawBase(true);
  setExpanding(false);
}

QSize TBarreOngletsPlus::tabSizeHint(int index) const {
  QSize s = QTabBar::tabSizeHint(index);
  if (FPages->AutoSize() && count() > 0) s.setWidth((FPages->width() - 4) / count());
  return s;
}

void TBarreOngletsPlus::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && !FPages->ChangementPermis(e->position().toPoint())) {
    e->accept();
    return;
  }
  QTabBar::mousePressEvent(e);
}

void TBarreOngletsPlus::mouseMoveEvent(QMouseEvent* e) {
  const int survole = tabAt(e->position().toPoint());
  if (survole != FSurvole) {
    FSurvole = survole;
    update();
  }
  QTabBar::mouseMoveEvent(e);
}

void TBarreOngletsPlus::leaveEvent(QEvent* e) {
  FSurvole = -1;
  update();
  QTabBar::leaveEvent(e);
}

// The wheel and the keyboard do not change pages.
void TBarreOngletsPlus::wheelEvent(QWheelEvent* e) { e->ignore(); }
void TBarreOngletsPlus::keyPressEvent(QKeyEvent* e) { e->ignore(); }

void TBarreOngletsPlus::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  const QPalette& pal = palette();
  const int courant = currentIndex();
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab opt;
    initStyleOption(&opt, i);
    opt.text.clear();
    opt.icon = QIcon();
    p.drawControl(QStyle::CE_TabBarTabShape, opt);
    QRect r = tabRect(i);
    const bool actif = i == courant;
    if (actif) {
      // The selected tab merges with its page.
      p.fillRect(QRect(r.left() + 2, r.bottom() - 3, r.width() - 4, 4), pal.color(QPalette::Window));
    } else {
      r.translate(0, 2);
    }
    TColor couleur;
    // A disabled page's tab reads like an inactive caption: greyed.
    if (!FPages->PageActive(i))
      couleur = clGrayText;
    else if (actif || i == FSurvole)
      couleur = FPages->CouleurOngletSelect();
    else
      couleur = FPages->CouleurOnglet();
    QFont police = font();
    if (!actif) {
      police.setBold(false);
      police.setItalic(false);
      police.setUnderline(false);
      police.setStrikeOut(false);
    }
    p.setFont(police);
    p.setPen(VersQColor(couleur, pal));
    const QString texte = tabText(i);
    const QFontMetrics fm(police);
    const int x = r.left() + (r.width() - fm.horizontalAdvance(texte)) / 2;
    const int y = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
    p.drawText(x, y, texte);
  }
}

TPageCtrlPlus::TPageCtrlPlus(QWidget* xParent) : QTabWidget(xParent) {
  FBarre = new TBarreOngletsPlus(this);
  setTabBar(FBarre);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QTabWidget::currentChanged, FBarre, [this] { FBarre->update(); });
}

void TPageCtrlPlus::SetCouleurOnglet(TColor c) {
  FCouleurOnglet = c;
  FBarre->update();
}

void TPageCtrlPlus::SetCouleurOngletSelect(TColor c) {
  FCouleurOngletSelect = c;
  FBarre->update();
}

void TPageCtrlPlus::SetAutoSize(bool b) {
  FAutoSize = b;
  FBarre->setExpanding(false);
  // Let the bar ask the tab sizes again.
  FBarre->setIconSize(FBarre->iconSize());
  FBarre->updateGeometry();
  FBarre->adjustSize();
  FBarre->update();
}

void TPageCtrlPlus::SetEnabledOnglets(bool b) {
  for (int i = 0; i < count(); ++i) widget(i)->setEnabled(b);
  setEnabled(b);
  FBarre->update();
}

bool TPageCtrlPlus::PageActive(int index) const {
  QWidget* page = widget(index);
  return page && page->isEnabledTo(const_cast<TPageCtrlPlus*>(this)) && isEnabled();
}

bool TPageCtrlPlus::ChangementPermis(const QPoint& ptBarre) const {
  const int i = FBarre->tabAt(ptBarre);
  return i >= 0 && PageActive(i);
}

// Ctrl+Tab and its kin change the page only with the pointer on the tab of an enabled page,
// and never to a disabled page.
void TPageCtrlPlus::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  const bool suivant = ctrl && ((e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier)) ||
                                e->key() == Qt::Key_PageDown);
  const bool precedent = ctrl && (e->key() == Qt::Key_Backtab || e->key() == Qt::Key_PageUp ||
                                  (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier)));
  if (!suivant && !precedent) {
    QTabWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  if (count() < 2 || !ChangementPermis(FBarre->mapFromGlobal(QCursor::pos()))) return;
  const int pas = suivant ? 1 : -1;
  for (int i = 1; i < count(); ++i) {
    const int index = ((currentIndex() + pas * i) % count() + count()) % count();
    if (PageActive(index)) {
      setCurrentIndex(index);
      return;
    }
  }
}

void TPageCtrlPlus::resizeEvent(QResizeEvent* e) {
  QTabWidget::resizeEvent(e);
  if (FAutoSize && count() > 0) SetAutoSize(true);
}

void TPageCtrlPlus::tabInserted(int index) {
  QTabWidget::tabInserted(index);
  if (FAutoSize) SetAutoSize(true);
}

void TPageCtrlPlus::tabRemoved(int index) {
  QTabWidget::tabRemoved(index);
  if (FAutoSize) SetAutoSize(true);
}
