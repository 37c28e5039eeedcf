#pragma once
#include <QString>
#include <QVector>

#include "base/datetime.h"

class TPlanningMoteur;

// One recorded move: where an item stood before a placement or a packing.
struct TMemoPosition {
  int CodeInterne = 0;
  int LigneAvant = -1;
  int LigneApres = -1;
  TDateTime DebutAvant = 0;
  int Niveau = 0;
};

// The move memory: records grouped by user action, so that the last action can be
// described and undone.
class TMemoPositions {
 public:
  explicit TMemoPositions(TPlanningMoteur* xPlanning) : FPlanning(xPlanning) {}

  int Niveau() const { return FNiveau; }
  bool Enregistrement() const { return FEnregistrement; }
  int NbPositions() const { return FPositions.size(); }
  const QVector<TMemoPosition>& Positions() const { return FPositions; }

  void Commencer();
  void Arreter();
  void Enregistrer(int iCodeInterne, int iLigneAvant, TDateTime dtDebutAvant, int iLigneApres);
  bool Depiler(int iNiveau, bool bRetirer, TMemoPosition& xPosition);
  void AbandonnerNiveau(int iNiveau);
  void Decrire(QString& chTexte) const;
  void ViderMemoire();

  // Most recent moves listed one by one by Decrire.
  static constexpr int NbDescriptionsMax = 15;

 private:
  QString Place(int iCodeLigne) const;

  TPlanningMoteur* FPlanning;
  QVector<TMemoPosition> FPositions;
  int FNiveau = 0;
  bool FEnregistrement = false;
};
