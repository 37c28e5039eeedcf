#include "planning/core/memopositions.h"

#include "planning/core/planningmoteur.h"

namespace {
const QString kSep = QStringLiteral("\n\r");
}

void TMemoPositions::Commencer() {
  FEnregistrement = true;
  ++FNiveau;
}

void TMemoPositions::Arreter() { FEnregistrement = false; }

void TMemoPositions::Enregistrer(int iCodeInterne, int iLigneAvant, TDateTime dtDebutAvant,
                                 int iLigneApres) {
  if (!FEnregistrement) return;
  FPositions.append({iCodeInterne, iLigneAvant, iLigneApres, dtDebutAvant, FNiveau});
}

bool TMemoPositions::Depiler(int iNiveau, bool bRetirer, TMemoPosition& xPosition) {
  if (FPositions.isEmpty() || FPositions.last().Niveau != iNiveau) return false;
  xPosition = FPositions.last();
  if (bRetirer) FPositions.removeLast();
  return true;
}

void TMemoPositions::AbandonnerNiveau(int iNiveau) {
  if (iNiveau != FNiveau) return;
  while (!FPositions.isEmpty() && FPositions.last().Niveau == iNiveau) FPositions.removeLast();
  --FNiveau;
}

void TMemoPositions::ViderMemoire() {
  FPositions.clear();
  FNiveau = 0;
}

QString TMemoPositions::Place(int iCodeLigne) const {
  const QChar q = QLatin1Char('"');
  if (iCodeLigne < 0) return q + QStringLiteral("zone attente") + q;
  QString nom;
  FPlanning->LibelleLigne(iCodeLigne, nom);
  return QStringLiteral("ligne") + QLatin1Char(' ') + q + nom + q;
}

void TMemoPositions::Decrire(QString& chTexte) const {
  chTexte.clear();
  if (FPositions.isEmpty()) {
    chTexte = QString::fromUtf8("pas de déplacement");
    return;
  }
  const int n = FPositions.last().Niveau;
  QString plusAncienne;
  int nbParcourus = 0;
  for (int i = FPositions.size() - 1; i >= 0 && FPositions[i].Niveau == n; --i) {
    const TMemoPosition& p = FPositions[i];
    const TUnOF* of = FPlanning->ListeOF().OFParCodeInterne(p.CodeInterne);
    if (of) {
      QString desc;
      if (p.LigneAvant == p.LigneApres)
        desc = QString::fromUtf8("OF \"%1\" : repositionné sur %2").arg(of->NumeroOF, Place(p.LigneAvant));
      else
        desc = QString::fromUtf8("OF \"%1\" : déplacé de %2 => %3")
                   .arg(of->NumeroOF, Place(p.LigneAvant), Place(p.LigneApres));
      if (nbParcourus < NbDescriptionsMax)
        chTexte = chTexte.isEmpty() ? desc : desc + kSep + chTexte;
      else
        plusAncienne = desc;
    }
    ++nbParcourus;
  }
  if (!plusAncienne.isEmpty())
    chTexte = plusAncienne + kSep + QStringLiteral("...") + kSep + chTexte;
}
