#pragma once
#include <QString>
#include <QVector>
#include <cstdint>

#include "base/datetime.h"
#include "base/tcolor.h"

// A weekly slot: from its day and time until the next slot of the week (the last slot of
// the week lasts until the first slot of the following week).
struct TCreneau {
  std::uint8_t C_JOUR = 1;  // 1 = Sunday ... 7 = Saturday
  double H_DEBUT = 0;       // time of day, fraction of a day
  std::uint8_t EFFICACITE = 100;  // 0 = the line does not work
  TColor COULEUR = 0;
  std::uint8_t MOTIF = 0;
  std::uint8_t C_ETAT_CAL = 0;
};

// A dated special period: while in force it replaces the weekly slots.
struct TPeriode {
  TDateTime DH_DEBUT = 0;
  TDateTime DH_FIN = 0;
  std::uint8_t EFFICACITE = 0;
  TColor COULEUR = 0;
  std::uint8_t MOTIF = 0;
  std::uint8_t C_ETAT_CAL = 0;
};

// The working calendar of one line. Working durations are carried over it: non-working
// time (efficiency 0) is skipped, working time is consumed. The efficiency only tells
// whether a slot works; it does not stretch durations.
//
// Weekly slots must be in ascending (day, time) order and periods in ascending start order;
// the calendar does not sort them.
class TCalendrier {
 public:
  // After a boundary is reached the next slot is looked up this far past it.
  static constexpr double PasFrontiere = 0.00069;
  // Slot crossings allowed in a row without consuming working time.
  static constexpr int GardeBoucle = 50;
  // From the third failed computation on, the calendar is ignored.
  static constexpr int LimiteEchecs = 2;
  static constexpr int EfficaciteDefaut = 100;
  static constexpr double HorizonOuvert = 3650;

  QVector<TCreneau> Creneaux;
  QVector<TPeriode> Periodes;
  QString NomLigne;
  std::int16_t NbEchecs = 0;

  // Adding a slot or a period gives a calendar switched off by failures a new chance.
  void AjouterCreneau(const TCreneau& c, int iIndex = -1);
  void AjouterPeriode(const TPeriode& p);
  void ViderCreneaux();
  void ViderPeriodes();

  int ChercherCreneau(int iJour, double dHeure, bool& bTrouve) const;
  int ChercherPeriode(TDateTime dt, bool& bTrouve) const;
  int CreneauA(TDateTime dt, bool& bPeriode, int& iEfficacite, TDateTime& dtDebutCreneau) const;
  TDateTime FinCreneau(int iIndex, bool& bPeriode, TDateTime dt) const;
  bool InfoCreneau(int iIndex, bool bPeriode, int& iEtat, std::uint8_t& iMotif,
                   TColor& iCouleur) const;

  // The date reached from dtDebut after a working duration (days, negative = backwards).
  // A duration of 0 snaps a date to the next working instant.
  TDateTime CalculDate(TDateTime dtDebut, TDateTime dtDuree);
  // Working time between two dates, in days.
  double DureeTravail(TDateTime dtDebut, TDateTime dtFin) const;

 private:
  void Echec(const QString& chMessage);
};
