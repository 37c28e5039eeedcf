#include "controls/dateheure.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <cmath>

#include "base/messages.h"
#include "controls/icones.h"
#include "controls/traduction.h"

// ---------------------------------------------------------------- panel

TCustomDateHeure::TCustomDateHeure(QWidget* xParent) : QFrame(xParent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setFixedSize(2 * W + 2, H + 2 * B + 2);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);

  auto label = [this](int x) {
    auto* l = new QLabel(this);
    l->setGeometry(x, 1, W - 4 * B, B);
    l->setAlignment(Qt::AlignCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->installEventFilter(this);
    return l;
  };

  // Left half: year and month steps around the date label, the calendar below.
  CreerBoutonPas(TexteRessource("Année précédante"), "FLECHE2", 1, &TCustomDateHeure::AnneePrecedente);
  CreerBoutonPas(TexteRessource("Mois précédant"), "FLECHE1", B + 1, &TCustomDateHeure::MoisPrecedent);
  FLabelDate = label(2 * B + 1);
  CreerBoutonPas(TexteRessource("Mois suivant"), "FLECHE4", W - 2 * B + 1, &TCustomDateHeure::MoisSuivant);
  CreerBoutonPas(TexteRessource("Année suivante"), "FLECHE3", W - B + 1, &TCustomDateHeure::AnneeSuivante);
  FCalendrier = new TMonCalendrier(this);
  FCalendrier->setGeometry(1, B + 1, W, H);

  // Right half: hour and minute steps around the time label, the clock below.
  CreerBoutonPas(TexteRessource("Heure précédante"), "FLECHE2", W + 1, &TCustomDateHeure::HeurePrecedente);
  CreerBoutonPas(TexteRessource("Minute précédante"), "FLECHE1", W + B + 1, &TCustomDateHeure::MinutePrecedente);
  FLabelHeure = label(W + 2 * B + 1);
  CreerBoutonPas(TexteRessource("Minute suivante"), "FLECHE4", 2 * W - 2 * B + 1, &TCustomDateHeure::MinuteSuivante);
  CreerBoutonPas(TexteRessource("Heure suivante"), "FLECHE3", 2 * W - B + 1, &TCustomDateHeure::HeureSuivante);
  FHorloge = new TMonHorloge(this);
  const int cote = H - 5;
  FHorloge->setGeometry(W + 1 + (W - cote) / 2, B + 1, cote, cote);

  auto bouton = [this](const QString& caption, int x, int largeur) {
    auto* b = new QPushButton(caption, this);
    b->setGeometry(x, B + H + 1, largeur, B);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  FMaintenant = bouton(TexteRessource("Maintenant"), 1, 98);
  FValider = bouton(TexteRessource("Valider"), 99, 98);
  FAnnuler = bouton(TexteRessource("Annuler"), 197, 2 * W - 196);
  connect(FMaintenant, &QPushButton::clicked, this, [this] {
    FCalendrier->setFocus();
    Maintenant();
  });
  connect(FValider, &QPushButton::clicked, this, [this] { Fermer(true); });
  connect(FAnnuler, &QPushButton::clicked, this, [this] { Fermer(false); });

  FCalendrier->OnChange = [this](TMonCalendrier*) { AfficherDate(); };
  FCalendrier->OnDblClick = [this](TMonCalendrier*) { Fermer(true); };
  FCalendrier->OnKeyDown = [this](TMonCalendrier*, QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      Fermer(true);
      return true;
    }
    if (e->key() == Qt::Key_Escape) {
      Fermer(false);
      return true;
    }
    return false;
  };
  FHorloge->OnChange = [this](TMonHorloge*) { AfficherHeure(); };
  FHorloge->OnChangeJour = [this](TMonHorloge*, int iSens) { FCalendrier->DecalerJours(iSens); };
  AfficherDate();
  AfficherHeure();
}

QToolButton* TCustomDateHeure::CreerBoutonPas(const QString& chCaption, const char* chImage, int x,
                                              void (TCustomDateHeure::*action)()) {
  auto* b = new QToolButton(this);
  b->setGeometry(x, 1, B, B);
  b->setIcon(IconeControle(QString::fromLatin1(chImage)));
  b->setIconSize(QSize(B - 2, B - 2));
  b->setToolTip(chCaption);
  b->setAccessibleName(chCaption);
  b->setAutoRaise(true);
  b->setAutoRepeat(true);
  b->setAutoRepeatInterval(50);
  b->setFocusPolicy(Qt::NoFocus);
  connect(b, &QToolButton::clicked, this, [this, action] { (this->*action)(); });
  FBoutonsPas.append(b);
  return b;
}

QToolButton* TCustomDateHeure::BoutonPas(const QString& chCaption) const {
  for (QToolButton* b : FBoutonsPas)
    if (b->accessibleName() == chCaption) return b;
  return nullptr;
}

TDateTime TCustomDateHeure::Date() const {
  return FCalendrier->CalendarDate() + FHorloge->HorlogeHeure();
}

void TCustomDateHeure::SetDate(TDateTime dt) {
  if (dt == 0) dt = DateHeure::Aujourdhui();
  if (!std::isfinite(dt)) return;
  const QDate jour = DateHeure::VersQDate(dt);
  if (!jour.isValid() || jour.year() < 1 || jour.year() > 9999) return;
  FCalendrier->SetCalendarDate(dt);
  FHorloge->SetHorlogeHeure(dt);
}

void TCustomDateHeure::HeurePrecedente() {
  FHorloge->SetHeure(FHorloge->Heure() - 1);
  if (FHorloge->Heure() == 23) FCalendrier->DecalerJours(-1);
}

void TCustomDateHeure::HeureSuivante() {
  FHorloge->SetHeure(FHorloge->Heure() + 1);
  if (FHorloge->Heure() == 0) FCalendrier->DecalerJours(1);
}

void TCustomDateHeure::MinutePrecedente() {
  const int total = FHorloge->Heure() * 60 + FHorloge->Minute() - 1;
  FHorloge->SetHeure((total + 1440) % 1440 / 60);
  FHorloge->SetMinute((total + 1440) % 60);
  if (FHorloge->Heure() == 23 && FHorloge->Minute() == 59) FCalendrier->DecalerJours(-1);
}

void TCustomDateHeure::MinuteSuivante() {
  const int total = (FHorloge->Heure() * 60 + FHorloge->Minute() + 1) % 1440;
  FHorloge->SetHeure(total / 60);
  FHorloge->SetMinute(total % 60);
  if (FHorloge->Heure() == 0 && FHorloge->Minute() == 0) FCalendrier->DecalerJours(1);
}

void TCustomDateHeure::Maintenant() {
  const TDateTime maintenant = DateHeure::Maintenant();
  FCalendrier->SetCalendarDate(maintenant);
  FHorloge->SetHorlogeHeure(maintenant);
}

void TCustomDateHeure::Fermer(bool bValide) {
  if (OnFermer) OnFermer(this, bValide, Date());
}

// "D MMM YYYY" under the calendar's steps, "hh:nn" under the clock's.
void TCustomDateHeure::AfficherDate() {
  FLabelDate->setText(QStringLiteral("%1 %2 %3")
                          .arg(FCalendrier->Day())
                          .arg(DateHeure::NomMoisCourt(FCalendrier->Month()))
                          .arg(FCalendrier->Year(), 4, 10, QChar('0')));
}

void TCustomDateHeure::AfficherHeure() {
  FLabelHeure->setText(QStringLiteral("%1:%2")
                           .arg(FHorloge->Heure(), 2, 10, QChar('0'))
                           .arg(FHorloge->Minute(), 2, 10, QChar('0')));
}

bool TCustomDateHeure::eventFilter(QObject* xObjet, QEvent* e) {
  if (e->type() == QEvent::MouseButtonDblClick && (xObjet == FLabelDate || xObjet == FLabelHeure)) {
    Maintenant();
    return true;
  }
  return QFrame::eventFilter(xObjet, e);
}

void TCustomDateHeure::keyPressEvent(QKeyEvent* e) {
  // Tab moves between the parts as usual; any other key on the panel itself beeps.
  if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
    QFrame::keyPressEvent(e);
    return;
  }
  Bip();
}

// ---------------------------------------------------------------- pop-up

TPopupDateHeure::TPopupDateHeure(QWidget* xParent)
    : QFrame(xParent, Qt::Popup | Qt::FramelessWindowHint) {
  // A click on the box's button while the pop-up is open only closes it.
  setAttribute(Qt::WA_NoMouseReplay);
  FPanneau = new TCustomDateHeure(this);
  FPanneau->move(0, 0);
  setFixedSize(FPanneau->size());
  SurveillerTouches(FPanneau);
  FPanneau->OnFermer = [this](TCustomDateHeure*, bool bValide, TDateTime dt) {
    FFerme = true;
    hide();
    if (bValide) {
      if (OnValide) OnValide(dt);
    } else if (OnAnnule) {
      OnAnnule();
    }
  };
}

void TPopupDateHeure::SurveillerTouches(QObject* xObjet) {
  xObjet->installEventFilter(this);
  for (QObject* enfant : xObjet->children())
    if (enfant->isWidgetType()) SurveillerTouches(enfant);
}

// Page Up and Page Down step the calendar by a month, with Ctrl by a year, whichever part of
// the panel has the focus.
bool TPopupDateHeure::eventFilter(QObject* xObjet, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const bool ctrl = k->modifiers() & Qt::ControlModifier;
    if (k->key() == Qt::Key_PageUp) {
      ctrl ? FPanneau->AnneePrecedente() : FPanneau->MoisPrecedent();
      return true;
    }
    if (k->key() == Qt::Key_PageDown) {
      ctrl ? FPanneau->AnneeSuivante() : FPanneau->MoisSuivant();
      return true;
    }
  }
  return QFrame::eventFilter(xObjet, e);
}

void TPopupDateHeure::showEvent(QShowEvent* e) {
  FFerme = false;
  QFrame::showEvent(e);
}

// Closed without a choice (a click elsewhere, the focus gone): the change is cancelled.
void TPopupDateHeure::hideEvent(QHideEvent* e) {
  QFrame::hideEvent(e);
  if (!FFerme) {
    FFerme = true;
    if (OnAnnule) OnAnnule();
  }
}

// ---------------------------------------------------------------- box

TComboDateHeure::TComboDateHeure(QWidget* xParent) : QLineEdit(xParent) {
  setReadOnly(true);
  FBouton = new QToolButton(this);
  FBouton->setArrowType(Qt::DownArrow);
  FBouton->setAutoRepeat(false);
  FBouton->setFocusPolicy(Qt::NoFocus);
  FBouton->setCursor(Qt::ArrowCursor);
  // The text area stops 2 pixels before the button.
  setTextMargins(0, 0, 16 + 4 + 2, 0);
  FPopup = new TPopupDateHeure(this);
  FPopup->OnValide = [this](TDateTime dt) { Valide(dt); };
  FPopup->OnAnnule = [this] { Annule(); };
  connect(FBouton, &QToolButton::clicked, this, [this] { ClicBouton(); });
  FDateHeure = -1;
  SetDateHeure(DateHeure::Maintenant());
}

void TComboDateHeure::SetDateHeure(TDateTime dt) {
  if (dt == FDateHeure) return;
  FDateHeure = dt;
  setText(dt > 0 ? DateHeure::FormatDateHeure(dt) : TexteRessource("(non défini)"));
}

void TComboDateHeure::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  FBouton->setGeometry(width() - 4 - 16, 2, 16, height() - 4);
}

bool TComboDateHeure::PopupOuvert() const { return FPopup->isVisible(); }

QPoint TComboDateHeure::PlacerPopup(QPoint pt, QSize taillePopup, const QRect& ecran) {
  QPoint r = pt - QPoint(10, 100);
  if (r.x() + taillePopup.width() > ecran.right() + 1) r.setX(ecran.right() + 1 - taillePopup.width());
  if (r.y() + taillePopup.height() > ecran.bottom() + 1) r.setY(ecran.bottom() + 1 - taillePopup.height());
  if (r.x() < ecran.left()) r.setX(ecran.left());
  if (r.y() < ecran.top()) r.setY(ecran.top());
  return r;
}

void TComboDateHeure::ClicBouton() {
  if (PopupOuvert()) {
    FPopup->hide();
    return;
  }
  if (OnModif) OnModif(this);
  FPopup->Panneau()->SetDate(FDateHeure > 0 ? FDateHeure : 0);
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect ecran = s ? s->geometry() : QRect(0, 0, 1024, 768);
  FPopup->move(PlacerPopup(mapToGlobal(QPoint(0, 0)), FPopup->size(), ecran));
  FPopup->show();
  FPopup->Panneau()->Calendrier()->setFocus();
}

void TComboDateHeure::Valide(TDateTime dt) {
  SetDateHeure(dt);
  setFocus();
  if (OnModif) OnModif(this);
}

void TComboDateHeure::Annule() {
  setFocus();
  if (OnAnnuleModif) OnAnnuleModif(this);
}
