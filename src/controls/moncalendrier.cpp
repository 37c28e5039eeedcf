#include "controls/moncalendrier.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "base/widgets/couleurs.h"

namespace {

int JoursDuMois(int iAnnee, int iMois) { return QDate(iAnnee, iMois, 1).daysInMonth(); }

}  // namespace

TMonCalendrier::TMonCalendrier(QWidget* xParent) : QWidget(xParent) {
  setFocusPolicy(Qt::StrongFocus);
  FDate = DateHeure::Aujourdhui();
  MettreEnPage();
  resize(148, 106);
}

int TMonCalendrier::Day() const { return DateHeure::VersQDate(FDate).day(); }
int TMonCalendrier::Month() const { return DateHeure::VersQDate(FDate).month(); }
int TMonCalendrier::Year() const { return DateHeure::VersQDate(FDate).year(); }

void TMonCalendrier::ChangerDate(TDateTime dt, bool bExplicite) {
  dt = DateHeure::Int(dt);
  if (bExplicite) FDateCourante = false;
  if (dt == FDate) return;
  FDate = dt;
  MettreEnPage();
  if (OnChange) OnChange(this);
}

void TMonCalendrier::SetCalendarDate(TDateTime dt) {
  if (!DateHeure::VersQDate(dt).isValid()) return;
  ChangerDate(dt, true);
}

void TMonCalendrier::SetDay(int v) {
  if (v < 1 || v == Day() || v > JoursDuMois(Year(), Month())) return;
  ChangerDate(DateHeure::EncodeDate(Year(), Month(), v), true);
}

void TMonCalendrier::SetMonth(int v) {
  if (v < 1 || v > 12 || v == Month()) return;
  ChangerDate(DateHeure::EncodeDate(Year(), v, std::min(Day(), JoursDuMois(Year(), v))), true);
}

void TMonCalendrier::SetYear(int v) {
  if (v < 1 || v > 9999 || v == Year()) return;
  ChangerDate(DateHeure::EncodeDate(v, Month(), std::min(Day(), JoursDuMois(v, Month()))), true);
}

void TMonCalendrier::DecalerMois(int iMois) {
  const int total = Year() * 12 + (Month() - 1) + iMois;
  const int annee = total / 12, mois = total % 12 + 1;
  if (annee < 1 || annee > 9999) return;
  ChangerDate(DateHeure::EncodeDate(annee, mois, std::min(Day(), JoursDuMois(annee, mois))), true);
}

void TMonCalendrier::DecalerAnnees(int iAnnees) { DecalerMois(12 * iAnnees); }

void TMonCalendrier::DecalerJours(int iJours) {
  const QDate d = DateHeure::VersQDate(FDate).addDays(iJours);
  if (d.isValid() && d.year() >= 1 && d.year() <= 9999) ChangerDate(DateHeure::DepuisQDate(d), true);
}

void TMonCalendrier::AllerAujourdhui() { ChangerDate(DateHeure::Aujourdhui(), true); }

void TMonCalendrier::SetStartOfWeek(TJourSemaineNom v) {
  if (v == FDebutSemaine) return;
  FDebutSemaine = v;
  MettreEnPage();
}

void TMonCalendrier::SetWeekends(int iJours) {
  FWeekends = iJours & 0x7F;
  MettreEnPage();
}

void TMonCalendrier::SetWeekendColor(TColor c) {
  FCouleurWeekend = c;
  update();
}

void TMonCalendrier::SetUseCurrentDate(bool b) {
  FDateCourante = b;
  if (b) ChangerDate(DateHeure::Aujourdhui(), false);
}

// Day 1 lands on the grid at the month offset: with d the weekday of the 1st (1 = Sunday)
// and s the first column's weekday (0 = Sunday), a = (d - s + 7) mod 7 and the offset is
// 2 - a, or -5 when a is 0.
void TMonCalendrier::MettreEnPage() {
  const QDate d = DateHeure::VersQDate(FDate);
  const int premier = DateHeure::JourSemaine(DateHeure::EncodeDate(d.year(), d.month(), 1));
  const int a = (premier - static_cast<int>(FDebutSemaine) + 7) % 7;
  FDecalage = a == 0 ? -5 : 2 - a;
  FCellule = CelluleDuJour(d.day());
  update();
}

QPoint TMonCalendrier::CelluleDuJour(int iJour) const {
  const int n = iJour - FDecalage;
  return QPoint(n % 7, n / 7 + 1);
}

int TMonCalendrier::JourDeCellule(int iColonne, int iLigne) const {
  if (iLigne < 1 || iColonne < 0 || iColonne > 6 || iLigne > 6) return 0;
  const int n = iColonne + FDecalage + 7 * (iLigne - 1);
  return (n >= 1 && n <= JoursDuMois(Year(), Month())) ? n : 0;
}

// Six one-pixel grid lines between the seven columns and the seven rows.
int TMonCalendrier::LargeurColonne() const { return std::max(1, (width() - 6) / 7); }
int TMonCalendrier::HauteurLigne() const { return std::max(1, (height() - 6) / 7); }

QRect TMonCalendrier::RectCellule(int iColonne, int iLigne) const {
  const int l = LargeurColonne(), h = HauteurLigne();
  return QRect(iColonne * (l + 1), iLigne * (h + 1), l, h);
}

void TMonCalendrier::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), VersQColor(clBtnShadow, pal));  // the grid lines show through
  const int s = static_cast<int>(FDebutSemaine);
  // The day names get a font small enough for the narrowest of them to fit its cell.
  QFont entete = font();
  const int largeurUtile = LargeurColonne() - 2;
  for (int essai = 0; essai < 8; ++essai) {
    const QFontMetrics fm(entete);
    int plusLarge = 0;
    for (int j = 1; j <= 7; ++j) plusLarge = std::max(plusLarge, fm.horizontalAdvance(DateHeure::NomJourCourt(j)));
    if (plusLarge <= largeurUtile || entete.pointSizeF() <= 5) break;
    entete.setPointSizeF(entete.pointSizeF() - 0.5);
  }
  p.setFont(entete);
  for (int c = 0; c < 7; ++c) {
    const QRect r = RectCellule(c, 0);
    p.fillRect(r, VersQColor(clBtnFace, pal));
    p.setPen(VersQColor(clBtnText, pal));
    p.drawText(r, Qt::AlignCenter, DateHeure::NomJourCourt((c + s) % 7 + 1));
  }
  p.setFont(font());
  for (int l = 1; l < 7; ++l) {
    for (int c = 0; c < 7; ++c) {
      const QRect r = RectCellule(c, l);
      const int jour = JourDeCellule(c, l);
      const bool selection = jour != 0 && QPoint(c, l) == FCellule;
      p.fillRect(r, VersQColor(selection ? clHighlight : clWindow, pal));
      if (jour == 0) continue;
      QColor texte = VersQColor(selection ? clHighlightText : clWindowText, pal);
      if (!selection && (FWeekends & (1 << ((c + s) % 7)))) texte = VersQColor(FCouleurWeekend, pal);
      p.setPen(texte);
      p.drawText(r, Qt::AlignCenter, QString::number(jour));
    }
  }
  if (hasFocus() && !FCellule.isNull()) {
    QRect r = RectCellule(FCellule.x(), FCellule.y());
    p.setPen(QPen(VersQColor(clHighlightText, pal), 1, Qt::DotLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
}

void TMonCalendrier::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton || FLectureSeule) return;
  const QPoint pt = e->position().toPoint();
  const int l = LargeurColonne() + 1, h = HauteurLigne() + 1;
  const int jour = JourDeCellule(pt.x() / l, pt.y() / h);
  if (jour != 0) SetDay(jour);
}

void TMonCalendrier::mouseDoubleClickEvent(QMouseEvent* e) {
  mousePressEvent(e);
  if (e->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
}

void TMonCalendrier::keyPressEvent(QKeyEvent* e) {
  if (OnKeyDown && OnKeyDown(this, e)) return;
  const bool modifie = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool pave = e->modifiers() & Qt::KeypadModifier;
  if (!modifie) {
    if (e->key() == Qt::Key_Left || (pave && e->key() == Qt::Key_Minus)) {
      if (!FLectureSeule) DecalerJours(-1);
      return;
    }
    if (e->key() == Qt::Key_Right || (pave && e->key() == Qt::Key_Plus)) {
      if (!FLectureSeule) DecalerJours(1);
      return;
    }
    if (e->key() == Qt::Key_T) {
      if (!FLectureSeule) AllerAujourdhui();
      return;
    }
  }
  // The ordinary moves of a grid: within the month's cells only.
  int ecart = 0;
  switch (e->key()) {
    case Qt::Key_Left: ecart = -1; break;
    case Qt::Key_Right: ecart = 1; break;
    case Qt::Key_Up: ecart = -7; break;
    case Qt::Key_Down: ecart = 7; break;
    default: QWidget::keyPressEvent(e); return;
  }
  if (!FLectureSeule) SetDay(Day() + ecart);
}
