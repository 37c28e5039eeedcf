#pragma once
#include <QHash>
#include <QVector>
#include <memory>
#include <vector>

#include "planning/core/ofordonne.h"
#include "planning/core/unofvirtuel.h"

class TPlanningMoteur;

// Every planning item, orders and ghosts, in registration order (owned), with the ordering
// of each line and of the waiting zone.
class TListeOF {
 public:
  explicit TListeOF(TPlanningMoteur* xPlanning);
  ~TListeOF();
  TListeOF(const TListeOF&) = delete;
  TListeOF& operator=(const TListeOF&) = delete;

  int NbOF() const { return FItems.size(); }
  TBaseOF* OF(int i) const { return FItems.value(i); }
  const QVector<TBaseOF*>& Items() const { return FItems; }

  // Number of per-line orderings.
  int NbLigne() const { return static_cast<int>(FLignes.size()); }
  // Ordering of the line with this code (nullptr when none); -1 gives the waiting zone.
  TOFOrdonne* Ordre(int iCodeLigne) const;
  TOFOrdonne& Attente() { return FAttente; }
  const TOFOrdonne& Attente() const { return FAttente; }
  // Line codes in the order the lines were added (the order ghosts follow).
  int CodeLigneRang(int i) const;

  void AjouterLigne(int iCodeLigne);
  void SupprimerLigne(int iCodeLigne);

  // Registers the item and files it under iCodeLigne.
  void Ajouter(TBaseOF* xOF, int iCodeLigne);
  // Moves an item between orderings (see the planning's placement rules).
  void ChangerLigne(TBaseOF* xOF, int iCode);
  // Takes the item out of its ordering and of the container; destroys it when asked.
  void Retirer(TBaseOF* xOF, bool bDetruire);
  // Removes and destroys every ghost of an order.
  void RetirerVirtuels(const TUnOF* xOF);
  // Destroys every item and empties every ordering (the lines' orderings stay).
  void ViderOF();

  TUnOF* OFParCodeInterne(int iCodeInterne) const;
  TBaseOF* ItemParCodeInterne(int iCodeInterne) const { return FParCode.value(iCodeInterne); }
  TBaseOF* ChercherOF(int iCleOF) const;

  TBaseOF* OFALaDate(int iCodeLigne, int iRang, const TBaseOF* xExclu, TDateTime dtDate) const;
  TBaseOF* OFAvantDate(int iCodeLigne, const TBaseOF* xExclu, TDateTime dtDate,
                       TBaseOF*& xSuivant) const;
  void EtendueLigne(int iCodeLigne, TDateTime& dtDebut, TDateTime& dtFin) const;
  int ProchainRang(int iCodeLigne) const;

  int TriAttente() const { return FTriAttente; }
  void SetTriAttente(int iTri);
  void TrierAttente();
  void TrierLigne(TOFOrdonne& ordre);
  void TrierLigne(int iCodeLigne);

 private:
  void Enregistrer(TBaseOF* xOF);
  void TriRapide(int iGauche, int iDroite);
  void RetirerDeSonOrdre(TBaseOF* xOF);

  TPlanningMoteur* FPlanning;
  QVector<TBaseOF*> FItems;
  QHash<int, TBaseOF*> FParCode;
  bool FMiseAJour = false;
  int FCodeSuivant = 1;
  int FTriAttente = 0;
  int FNbVirtuels = 0;
  TOFOrdonne FAttente;
  std::vector<std::unique_ptr<TOFOrdonne>> FLignes;
  QHash<int, TOFOrdonne*> FLignesParCode;
};
