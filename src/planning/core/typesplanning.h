#pragma once
#include <QString>
#include <cstdint>

// State of an order, as the shop floor reports it.
enum TEtatOF : std::uint8_t {
  eoPasPlannifie = 0,
  eoPlannifie = 1,
  eoEnPreparation = 2,
  eoEnCours = 3,
  eoEnFinalisation = 4,
  eoTermine = 5,
  eoTermineSupprime = 6,
};

// Text shown for a state (tooltips, bar labels); every value from 5 up reads "terminé".
QString TexteEtatOF(std::uint8_t etat);

// Which production rate an order's duration is computed from.
enum TTypeCadence : std::uint8_t { tcCadenceLigne = 0, tcCadenceOF = 1 };

// Answer of the placement events: nothing more to do, or chain the line again.
enum TActionPlanif : std::uint8_t { apRien = 0, apRecalculOF = 1 };
