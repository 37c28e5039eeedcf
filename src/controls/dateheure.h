#pragma once
// The date-and-time editing controls: a panel with a month calendar and a clock side by
// side, the borderless pop-up that holds it, and the read-only box that opens the pop-up.

#include <QFrame>
#include <QLineEdit>
#include <functional>

#include "base/datetime.h"
#include "controls/moncalendrier.h"
#include "controls/monhorloge.h"

class QLabel;
class QPushButton;
class QToolButton;

class TCustomDateHeure : public QFrame {
  Q_OBJECT
 public:
  // Panel half width, calendar height and step button size, in pixels.
  static constexpr int W = 148;
  static constexpr int H = 106;
  static constexpr int B = 16;

  explicit TCustomDateHeure(QWidget* xParent = nullptr);

  // The calendar's day plus the clock's time. Writing 0 gives today at 00:00; an impossible
  // date is ignored.
  TDateTime Date() const;
  void SetDate(TDateTime dt);

  TMonCalendrier* Calendrier() const { return FCalendrier; }
  TMonHorloge* Horloge() const { return FHorloge; }
  QLabel* LabelDate() const { return FLabelDate; }
  QLabel* LabelHeure() const { return FLabelHeure; }
  // The step buttons, by their caption ("Mois suivant"...), and the three push buttons.
  QToolButton* BoutonPas(const QString& chCaption) const;
  QPushButton* BoutonMaintenant() const { return FMaintenant; }
  QPushButton* BoutonValider() const { return FValider; }
  QPushButton* BoutonAnnuler() const { return FAnnuler; }

  // Raised by "Valider" (validated true) and "Annuler" (false) with the date-time.
  std::function<void(TCustomDateHeure*, bool bValide, TDateTime dt)> OnFermer;

  // Calendar and clock moves of the step buttons.
  void AnneePrecedente() { FCalendrier->DecalerAnnees(-1); }
  void AnneeSuivante() { FCalendrier->DecalerAnnees(1); }
  void MoisPrecedent() { FCalendrier->DecalerMois(-1); }
  void MoisSuivant() { FCalendrier->DecalerMois(1); }
  void HeurePrecedente();
  void HeureSuivante();
  void MinutePrecedente();
  void MinuteSuivante();
  void Maintenant();
  void Fermer(bool bValide);

  QSize sizeHint() const override { return QSize(2 * W + 2, H + 2 * B + 2); }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* xObjet, QEvent* e) override;

 private:
  QToolButton* CreerBoutonPas(const QString& chCaption, const char* chImage, int x,
                              void (TCustomDateHeure::*action)());
  void AfficherDate();
  void AfficherHeure();

  TMonCalendrier* FCalendrier;
  TMonHorloge* FHorloge;
  QLabel* FLabelDate;
  QLabel* FLabelHeure;
  QPushButton* FMaintenant;
  QPushButton* FValider;
  QPushButton* FAnnuler;
  QList<QToolButton*> FBoutonsPas;
};

class TPopupDateHeure : public QFrame {
  Q_OBJECT
 public:
  explicit TPopupDateHeure(QWidget* xParent = nullptr);

  TCustomDateHeure* Panneau() const { return FPanneau; }
  // Validated: the date-time chosen; closed any other way: nothing.
  std::function<void(TDateTime dt)> OnValide;
  std::function<void()> OnAnnule;

 protected:
  bool eventFilter(QObject* xObjet, QEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void SurveillerTouches(QObject* xObjet);

  TCustomDateHeure* FPanneau;
  bool FFerme = false;
};

class TComboDateHeure : public QLineEdit {
  Q_OBJECT
 public:
  explicit TComboDateHeure(QWidget* xParent = nullptr);

  // 0 means undefined.
  TDateTime DateHeure() const { return FDateHeure; }
  void SetDateHeure(TDateTime dt);

  TPopupDateHeure* Popup() const { return FPopup; }
  QToolButton* BoutonDeroulant() const { return FBouton; }
  bool PopupOuvert() const;

  std::function<void(TComboDateHeure*)> OnModif;
  std::function<void(TComboDateHeure*)> OnAnnuleModif;

  // Where the pop-up goes for a box at pt on a screen: 10 pixels left and 100 up, kept
  // inside the screen.
  static QPoint PlacerPopup(QPoint pt, QSize taillePopup, const QRect& ecran);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void ClicBouton();
  void Valide(TDateTime dt);
  void Annule();

  TDateTime FDateHeure;
  TPopupDateHeure* FPopup;
  QToolButton* FBouton;
};
