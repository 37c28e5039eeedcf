#include "planning/core/ligne.h"

#include "planning/core/unof.h"

TUneLigne::TUneLigne(TPlanningMoteur* xPlanning) : FPlanning(xPlanning) {}

TDateTime TUneLigne::DureeProductionLigne(const TUnOF* xOF, int iQuantite) const {
  double cadence = Cadence;
  int unite = TypeFrequence;
  if (ModeCadence == tcCadenceOF && xOF) {
    cadence = xOF->CadenceOF;
    unite = xOF->TypeFrequenceOF;
  }
  if (iQuantite < 0 || cadence == 0) return 0.00001;
  double facteur = 1;
  switch (unite) {
    case 0: facteur = 86400; break;
    case 1: facteur = 1440; break;
    case 2: facteur = 24; break;
    default: facteur = 1; break;
  }
  return iQuantite / (cadence * facteur);
}
