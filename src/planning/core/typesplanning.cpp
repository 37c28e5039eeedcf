#include "planning/core/typesplanning.h"

QString TexteEtatOF(std::uint8_t etat) {
  switch (etat & 0x7F) {
    case eoPasPlannifie: return QString::fromUtf8("pas plannifié");
    case eoPlannifie: return QString::fromUtf8("plannifié");
    case eoEnPreparation: return QString::fromUtf8("en préparation");
    case eoEnCours: return QString::fromUtf8("en production");
    case eoEnFinalisation: return QString::fromUtf8("en finalisation");
    default: return QString::fromUtf8("terminé");
  }
}
