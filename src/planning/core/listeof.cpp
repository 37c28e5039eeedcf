#include "planning/core/listeof.h"

#include <algorithm>

#include "planning/core/planningmoteur.h"

namespace {

// Line order: by start, equal starts by sub-row; empty entries last.
bool AvantDansLigne(const TBaseOF* a, const TBaseOF* b) {
  if (!a || !b) return a && !b;
  const TDateTime da = a->DebutOF(), db = b->DebutOF();
  if (da != db) return da < db;
  const TUnOF* oa = a->GetOFReel();
  const TUnOF* ob = b->GetOFReel();
  return (oa ? oa->Rang : 0) < (ob ? ob->Rang : 0);
}

// The flag that marks a first filing while an item is registered or removed.
class TMiseAJour {
 public:
  explicit TMiseAJour(bool& b) : FFlag(b) { FFlag = true; }
  ~TMiseAJour() { FFlag = false; }

 private:
  bool& FFlag;
};

}  // namespace

TListeOF::TListeOF(TPlanningMoteur* xPlanning) : FPlanning(xPlanning) {}

TListeOF::~TListeOF() {
  qDeleteAll(FItems);
  if (FPlanning) {
    FPlanning->FOFLiaisons = nullptr;
    FPlanning->FOFGlisse = nullptr;
  }
}

TOFOrdonne* TListeOF::Ordre(int iCodeLigne) const {
  if (iCodeLigne == -1) return const_cast<TOFOrdonne*>(&FAttente);
  return FLignesParCode.value(iCodeLigne, nullptr);
}

int TListeOF::CodeLigneRang(int i) const {
  return (i >= 0 && i < NbLigne()) ? FLignes[i]->Code : -1;
}

void TListeOF::AjouterLigne(int iCodeLigne) {
  if (FLignesParCode.contains(iCodeLigne)) return;
  FLignes.push_back(std::make_unique<TOFOrdonne>(iCodeLigne));
  FLignesParCode.insert(iCodeLigne, FLignes.back().get());
}

void TListeOF::SupprimerLigne(int iCodeLigne) {
  TOFOrdonne* ordre = FLignesParCode.value(iCodeLigne, nullptr);
  if (!ordre) return;
  // The items of a removed line must not point at a line that no longer exists: ghosts
  // standing there go away, orders go back to the waiting zone.
  const TOFOrdonne copie = *ordre;
  for (TBaseOF* item : copie) {
    if (!item || !FItems.contains(item)) continue;
    if (item->IsOFReel())
      ChangerLigne(item, -1);
    else
      Retirer(item, true);
  }
  FLignesParCode.remove(iCodeLigne);
  FLignes.erase(std::find_if(FLignes.begin(), FLignes.end(),
                             [ordre](const auto& p) { return p.get() == ordre; }));
}

void TListeOF::Enregistrer(TBaseOF* xOF) {
  FItems.append(xOF);
  xOF->FCodeInterne = FCodeSuivant++;
  FParCode.insert(xOF->FCodeInterne, xOF);
  if (!xOF->IsOFReel()) ++FNbVirtuels;
}

void TListeOF::Ajouter(TBaseOF* xOF, int iCodeLigne) {
  if (!xOF) return;
  xOF->CodeLigne = iCodeLigne;
  xOF->PlanifLigne = iCodeLigne;
  TMiseAJour maj(FMiseAJour);
  Enregistrer(xOF);
  if (xOF->IsOFReel()) ChangerLigne(xOF, iCodeLigne);
}

void TListeOF::RetirerDeSonOrdre(TBaseOF* xOF) {
  TOFOrdonne* ordre = xOF->CodeLigne < 0 ? &FAttente : FLignesParCode.value(xOF->CodeLigne, nullptr);
  if (ordre) ordre->removeOne(xOF);
}

void TListeOF::ChangerLigne(TBaseOF* xOF, int iCode) {
  if (!xOF) return;
  TUnOF* of = xOF->GetOFReel();
  // Moving a ghost moves its order (which brings its ghosts along).
  if (!xOF->IsOFReel()) {
    if (!of) return;
    xOF = of;
  }
  if (FMiseAJour || iCode != xOF->CodeLigne) {
    if (!FMiseAJour) {
      FPlanning->AvantChangementLigne(xOF, iCode);
      if (of) RetirerVirtuels(of);
      RetirerDeSonOrdre(xOF);
    }
    // The waiting zone, or a line that does not exist: the item waits rather than pointing
    // at nothing.
    TOFOrdonne* ordre = iCode < 0 ? nullptr : FLignesParCode.value(iCode, nullptr);
    if (!ordre) {
      xOF->CodeLigne = -1;
      xOF->PlanifLigne = -1;
      if (of && xOF->IsOFReel()) of->FPlanifie = false;
      FAttente.append(xOF);
      TrierAttente();
      return;
    }
    xOF->CodeLigne = iCode;
    xOF->PlanifLigne = iCode;
    if (of && xOF->IsOFReel()) of->FPlanifie = true;
    ordre->append(xOF);
    if (!FPlanning->Preparation()) TrierLigne(*ordre);
    // Ghosts on the following lines, wrapping from the last line to the first.
    if (of && xOF->IsOFReel() && of->NbLignesSup > 0 && NbLigne() > 0) {
      int rang = 0;
      while (rang < NbLigne() && FLignes[rang]->Code != iCode) ++rang;
      for (int k = 0; k < of->NbLignesSup; ++k) {
        rang = (rang + 1) % NbLigne();
        TOFOrdonne* autre = FLignes[rang].get();
        TUnOFVirtuel* v = FPlanning->CreerOFVirtuel();
        v->OF = of;
        v->CodeLigne = autre->Code;
        v->PlanifLigne = autre->Code;
        Enregistrer(v);
        autre->append(v);
        TrierLigne(*autre);
      }
    }
    return;
  }
  // Same line: only the order changes.
  FPlanning->AvantChangementLigne(xOF, iCode);
  if (iCode == -1) {
    TrierAttente();
    return;
  }
  if (TOFOrdonne* ordre = FLignesParCode.value(iCode, nullptr)) TrierLigne(*ordre);
  if (FNbVirtuels > 0 && of) {
    for (TBaseOF* item : FItems)
      if (!item->IsOFReel() && item->GetOFReel() == of) TrierLigne(item->CodeLigne);
  }
}

void TListeOF::RetirerVirtuels(const TUnOF* xOF) {
  if (FNbVirtuels == 0 || !xOF) return;
  for (int i = FItems.size() - 1; i >= 0; --i) {
    TBaseOF* item = FItems[i];
    if (item->IsOFReel() || item->GetOFReel() != xOF) continue;
    RetirerDeSonOrdre(item);
    FItems.removeAt(i);
    FParCode.remove(item->CodeInterne());
    --FNbVirtuels;
    delete item;
  }
}

void TListeOF::Retirer(TBaseOF* xOF, bool bDetruire) {
  if (!xOF || !FItems.contains(xOF)) return;
  TMiseAJour maj(FMiseAJour);
  if (xOF->CodeLigne < 0) {
    FAttente.removeOne(xOF);
  } else {
    if (xOF->IsOFReel()) RetirerVirtuels(xOF->GetOFReel());
    RetirerDeSonOrdre(xOF);
  }
  FItems.removeOne(xOF);
  FParCode.remove(xOF->CodeInterne());
  if (!xOF->IsOFReel()) --FNbVirtuels;
  if (FPlanning->FOFGlisse == xOF) FPlanning->FOFGlisse = nullptr;
  if (FPlanning->FOFLiaisons == xOF) FPlanning->FOFLiaisons = nullptr;
  if (bDetruire) delete xOF;
}

void TListeOF::ViderOF() {
  FPlanning->FOFGlisse = nullptr;
  FPlanning->FOFLiaisons = nullptr;
  qDeleteAll(FItems);
  FItems.clear();
  FParCode.clear();
  FNbVirtuels = 0;
  FAttente.clear();
  for (auto& l : FLignes) l->clear();
}

TUnOF* TListeOF::OFParCodeInterne(int iCodeInterne) const {
  TBaseOF* item = FParCode.value(iCodeInterne, nullptr);
  return item ? item->GetOFReel() : nullptr;
}

TBaseOF* TListeOF::ChercherOF(int iCleOF) const {
  for (TBaseOF* item : FItems) {
    const TUnOF* of = item->GetOFReel();
    if (of && of->CleOF == iCleOF) return item;
  }
  return nullptr;
}

TBaseOF* TListeOF::OFALaDate(int iCodeLigne, int iRang, const TBaseOF* xExclu,
                             TDateTime dtDate) const {
  if (iCodeLigne < 0) return nullptr;
  const TOFOrdonne* ordre = Ordre(iCodeLigne);
  if (!ordre) return nullptr;
  for (TBaseOF* item : *ordre) {
    if (!item || item == xExclu) continue;
    const TUnOF* of = item->GetOFReel();
    if (item->DebutOF() <= dtDate && dtDate <= item->FinOF() && of && of->Rang == iRang)
      return item;
  }
  return nullptr;
}

TBaseOF* TListeOF::OFAvantDate(int iCodeLigne, const TBaseOF* xExclu, TDateTime dtDate,
                               TBaseOF*& xSuivant) const {
  if (iCodeLigne < 0) return nullptr;
  const TOFOrdonne* ordre = Ordre(iCodeLigne);
  xSuivant = nullptr;
  if (!ordre) return nullptr;
  TBaseOF* resultat = nullptr;
  const int n = ordre->size();
  int i = 0;
  for (; i < n; ++i) {
    TBaseOF* item = ordre->at(i);
    if (!item || item == xExclu) continue;
    if (item->DebutOF() > dtDate) break;
    resultat = item;
    if (item->FinOF() >= dtDate) break;  // covers the date
  }
  if (i >= n) return resultat;  // the scan passed the end: no next item
  int j = i;
  if (ordre->at(j) == resultat) ++j;
  if (j < n && ordre->at(j) == xExclu) ++j;
  xSuivant = j < n ? ordre->at(j) : nullptr;
  return resultat;
}

void TListeOF::EtendueLigne(int iCodeLigne, TDateTime& dtDebut, TDateTime& dtFin) const {
  dtDebut = -1.0;
  dtFin = -1.0;
  if (iCodeLigne < 0) return;
  const TOFOrdonne* ordre = Ordre(iCodeLigne);
  if (!ordre) return;
  bool premier = true;
  for (const TBaseOF* item : *ordre) {
    if (!item) continue;
    if (premier || item->DebutOF() < dtDebut) dtDebut = item->DebutOF();
    if (premier || item->FinOF() > dtFin) dtFin = item->FinOF();
    premier = false;
  }
}

int TListeOF::ProchainRang(int iCodeLigne) const {
  if (iCodeLigne < 0) return 0;
  const TOFOrdonne* ordre = Ordre(iCodeLigne);
  int rangMax = 0;
  if (ordre)
    for (const TBaseOF* item : *ordre)
      if (item && item->GetOFReel()) rangMax = std::max(rangMax, item->GetOFReel()->Rang);
  return rangMax + 1;
}

void TListeOF::SetTriAttente(int iTri) {
  if (iTri == FTriAttente) return;
  FTriAttente = iTri;
  TrierAttente();
}

void TListeOF::TrierAttente() {
  if (FTriAttente < 0 || FAttente.size() < 2) return;
  TriRapide(0, FAttente.size() - 1);
}

// Quicksort with the middle element as pivot and Hoare's partition; recursion on the left
// part, iteration on the right part.
void TListeOF::TriRapide(int iGauche, int iDroite) {
  while (iGauche < iDroite) {
    int i = iGauche, j = iDroite;
    TBaseOF* pivot = FAttente[(iGauche + iDroite) / 2];
    do {
      while (FPlanning->ComparerAttente(FAttente[i], pivot) < 0) ++i;
      while (FPlanning->ComparerAttente(FAttente[j], pivot) > 0) --j;
      if (i <= j) {
        std::swap(FAttente[i], FAttente[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (iGauche < j) TriRapide(iGauche, j);
    iGauche = i;
  }
}

void TListeOF::TrierLigne(TOFOrdonne& ordre) {
  std::stable_sort(ordre.begin(), ordre.end(), AvantDansLigne);
}

void TListeOF::TrierLigne(int iCodeLigne) {
  if (iCodeLigne < 0) return;
  if (TOFOrdonne* ordre = FLignesParCode.value(iCodeLigne, nullptr)) TrierLigne(*ordre);
}
