#pragma once
#include <QString>
#include <cstdint>

#include "planning/core/calendrier.h"
#include "planning/core/typesplanning.h"

class TPlanningMoteur;
class TUnOF;
class TBaseOF;

// One row of the planning: a production line (or a person) with its rate and its working
// calendar.
class TUneLigne {
 public:
  explicit TUneLigne(TPlanningMoteur* xPlanning);
  virtual ~TUneLigne() = default;
  TUneLigne(const TUneLigne&) = delete;
  TUneLigne& operator=(const TUneLigne&) = delete;

  double Cadence = 1.0;
  // Time unit of Cadence: 0 per second, 1 per minute, 2 per hour, 3 (or more) per day.
  std::uint8_t TypeFrequence = 3;
  QString Nom = QStringLiteral("X");
  int Code = 0;
  double Haut = 0;  // top of the line inside the chart area, in pixels
  int Ordre = 0;    // 1-based initial position
  TTypeCadence ModeCadence = tcCadenceLigne;

  TPlanningMoteur* Planning() const { return FPlanning; }
  TCalendrier& Calendrier() { return FCalendrier; }
  const TCalendrier& Calendrier() const { return FCalendrier; }

  virtual void NomAffiche(QString& S) const { S = Nom; }
  // Production time of a quantity, in days: quantity over rate.
  virtual TDateTime DureeProductionLigne(const TUnOF* xOF, int iQuantite) const;
  // Called at the end of every computation of an order's dates on this line.
  virtual void ApresCalculOF(TBaseOF* xOF, bool bCalendrier, TDateTime dtDate) {}

 private:
  TPlanningMoteur* FPlanning;
  TCalendrier FCalendrier;
};
