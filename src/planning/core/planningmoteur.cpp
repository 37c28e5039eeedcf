#include "planning/core/planningmoteur.h"

#include <algorithm>
#include <cmath>

#include "base/erreur.h"
#include "base/messages.h"
#include "planning/core/trace.h"

namespace {

// One flag for every planning: the placement events never fire inside each other.
bool gGardeEvenements = false;

class TGarde {
 public:
  TGarde() { gGardeEvenements = true; }
  ~TGarde() { gGardeEvenements = false; }
};

QByteArray Numero(const TBaseOF* item) {
  const TUnOF* of = item ? item->GetOFReel() : nullptr;
  return of ? of->NumeroOF.toUtf8() : QByteArray();
}

}  // namespace

bool TPlanningMoteur::GardeEvenements() { return gGardeEvenements; }

TPlanningMoteur::TPlanningMoteur()
    : FListeOF(std::make_unique<TListeOF>(this)), FMemo(this) {
  FMaintenant = DateHeure::Maintenant();
  FPlageDebut = std::round(FMaintenant);
  FPlageFin = FPlageDebut + 1;
  FPreparation = false;
}

TPlanningMoteur::~TPlanningMoteur() {
  FListeOF.reset();
  FLignes.clear();
}

// ---- Model ----------------------------------------------------------------------------------

int TPlanningMoteur::NbOFPlanifies() const {
  return FListeOF->NbOF() - FListeOF->Attente().size();
}

TUneLigne* TPlanningMoteur::Ligne(int iCode) const { return FLignesParCode.value(iCode, nullptr); }

TUneLigne* TPlanningMoteur::LigneIndex(int iIndex) const {
  return (iIndex >= 0 && iIndex < NbLigne()) ? FLignes[iIndex].get() : nullptr;
}

int TPlanningMoteur::IndexLigne(int iCode) const {
  for (int i = 0; i < NbLigne(); ++i)
    if (FLignes[i]->Code == iCode) return i;
  return -1;
}

int TPlanningMoteur::CodeLigneIndex(int iIndex) const {
  const TUneLigne* l = LigneIndex(iIndex);
  return l ? l->Code : -1;
}

void TPlanningMoteur::LibelleLigne(int iCode, QString& S) const {
  S.clear();
  if (const TUneLigne* l = Ligne(iCode)) l->NomAffiche(S);
}

void TPlanningMoteur::NomLigneIndex(int iIndex, QString& S) const {
  S.clear();
  if (const TUneLigne* l = LigneIndex(iIndex)) l->NomAffiche(S);
}

TUneLigne* TPlanningMoteur::AjouterLigne(int iCode, const QString& chNom, double dCadence,
                                         std::uint8_t iTypeFrequence, int iIndex) {
  TUneLigne* l = Ligne(iCode);
  if (!l) {
    l = CreerLigne();
    l->Code = iCode;
    std::unique_ptr<TUneLigne> p(l);
    if (iIndex < 0 || iIndex >= NbLigne()) {
      FLignes.push_back(std::move(p));
      l->Ordre = NbLigne();
    } else {
      FLignes.insert(FLignes.begin() + iIndex, std::move(p));
      l->Ordre = iIndex + 1;
    }
    FLignesParCode.insert(iCode, l);
    FListeOF->AjouterLigne(iCode);
  }
  l->Cadence = dCadence;
  l->TypeFrequence = iTypeFrequence;
  l->Code = iCode;
  l->Nom = chNom;
  l->Calendrier().NomLigne = chNom;
  l->ModeCadence = FTypeCadence;
  if (FAfficherLigneVide) FNbLignesAffichees = NbLigne();
  RafraichirDisposition();
  return l;
}

void TPlanningMoteur::SupprimerLigne(int iCode) {
  const int idx = IndexLigne(iCode);
  if (idx < 0)
    throw EErreur(QString::fromUtf8("Ligne avec code \"%1\" non trouvée").arg(iCode));
  FListeOF->SupprimerLigne(iCode);
  FLignesParCode.remove(iCode);
  FLignes.erase(FLignes.begin() + idx);
  if (FAfficherLigneVide || NbLigne() < FNbLignesAffichees) FNbLignesAffichees = NbLigne();
  RafraichirBarresDefilement();
}

void TPlanningMoteur::AjouterOF(TUnOF* xOF, int iCodeLigne) {
  if (!xOF) return;
  FListeOF->Ajouter(xOF, iCodeLigne);
  if (xOF->CodeLigne < 0) {
    xOF->SetDebutOF(0);
    xOF->SetDebutProduction(0);
    xOF->SetFinProduction(0);
    xOF->SetFinOF(0);
    AttenteCalculerDefilement();
    if (!FPreparation) AttenteRepeindre();
  } else {
    CalculerOF(xOF->CodeLigne, xOF, !FPreparation, xOF->DebutOF());
    if (!FPreparation) RepeindreLigne(xOF->CodeLigne);
  }
}

TBaseOF* TPlanningMoteur::OFLigne(int iCodeLigne, int iIndex, bool bPrecedentSiRang) const {
  if (iCodeLigne < -1) return nullptr;
  const TOFOrdonne* ordre = FListeOF->Ordre(iCodeLigne);
  if (!ordre || iIndex < 0 || iIndex >= ordre->size()) return nullptr;
  TBaseOF* item = ordre->at(iIndex);
  if (bPrecedentSiRang && item && iIndex > 0) {
    const TUnOF* of = item->GetOFReel();
    if (of && of->Rang > 0) return ordre->at(iIndex - 1);
  }
  return item;
}

int TPlanningMoteur::NbOFLigne(int iCodeLigne) const {
  if (iCodeLigne < -1) return 0;
  const TOFOrdonne* ordre = FListeOF->Ordre(iCodeLigne);
  return ordre ? ordre->size() : 0;
}

void TPlanningMoteur::Vider() {
  try {
    SetPreparation(true);
    FOFLiaisons = nullptr;
    OublierOFImageGlisser();
    // Items first, so that removing the lines has nothing left to move.
    FListeOF->ViderOF();
    while (NbLigne() > 0) SupprimerLigne(FLignes.back()->Code);
    FNbLignesAffichees = 0;
    FMemo.ViderMemoire();
    FPreparation = false;
    FSimulation = false;
  } catch (const EErreur& e) {
    MsgErreur(e.Message());
  } catch (const std::exception& e) {
    MsgErreur(QString::fromUtf8(e.what()));
  }
}

void TPlanningMoteur::AjouterCalendrier(int iCodeLigne, std::uint8_t iJour, TDateTime dtHeure,
                                        std::uint8_t iEfficacite, TColor iCouleur,
                                        std::uint8_t iMotif, std::uint8_t iEtat, int iIndex) {
  TUneLigne* l = Ligne(iCodeLigne);
  if (!l) return;
  TCreneau c;
  c.C_JOUR = iJour;
  c.H_DEBUT = dtHeure;
  c.EFFICACITE = iEfficacite;
  c.COULEUR = iCouleur;
  c.MOTIF = iMotif;
  c.C_ETAT_CAL = iEtat;
  l->Calendrier().AjouterCreneau(c, iIndex);
}

void TPlanningMoteur::AjouterCalendrierParticulier(int iCodeLigne, std::uint8_t iEfficacite,
                                                   TDateTime dtDebut, TDateTime dtFin,
                                                   TColor iCouleur, std::uint8_t iMotif,
                                                   std::uint8_t iEtat) {
  TUneLigne* l = Ligne(iCodeLigne);
  if (!l) return;
  TPeriode p;
  p.DH_DEBUT = dtDebut;
  p.DH_FIN = dtFin;
  p.EFFICACITE = iEfficacite;
  p.COULEUR = iCouleur;
  p.MOTIF = iMotif;
  p.C_ETAT_CAL = iEtat;
  l->Calendrier().AjouterPeriode(p);
}

void TPlanningMoteur::ViderCalendrier(int iCodeLigne) {
  if (TUneLigne* l = Ligne(iCodeLigne)) l->Calendrier().ViderCreneaux();
}

void TPlanningMoteur::ViderCalendrierParticulier(int iCodeLigne) {
  if (TUneLigne* l = Ligne(iCodeLigne)) l->Calendrier().ViderPeriodes();
}

int TPlanningMoteur::NbCreneauxLigne(int iCodeLigne) const {
  const TUneLigne* l = Ligne(iCodeLigne);
  return l ? l->Calendrier().Creneaux.size() : -1;
}

TUneLigne* TPlanningMoteur::CreerLigne() { return new TUneLigne(this); }

TUnOF* TPlanningMoteur::CreerOF() { return new TUnOF; }

TUnOFVirtuel* TPlanningMoteur::CreerOFVirtuel() { return new TUnOFVirtuel; }

void TPlanningMoteur::CopierOF(const TUnOF* Source, TUnOF*& Dest) {
  if (!Source) return;
  if (!Dest) Dest = CreerOF();
  Dest->CleOF = Source->CleOF;
  Dest->SetDebutOF(Source->DebutOF());
  Dest->SetDebutProduction(Source->DebutProduction());
  Dest->SetFinProduction(Source->FinProduction());
  Dest->SetFinOF(Source->FinOF());
  Dest->SetQuantite(Source->Quantite());
  Dest->DureePreparation = Source->DureePreparation;
  Dest->DureeFinalisation = Source->DureeFinalisation;
  Dest->CadenceOF = Source->CadenceOF;
  Dest->TypeFrequenceOF = Source->TypeFrequenceOF;
  Dest->NbLignesSup = Source->NbLignesSup;
  Dest->DateAuPlusTard = Source->DateAuPlusTard;
  Dest->DateAuPlusTot = Source->DateAuPlusTot;
  Dest->Couleur2 = Source->Couleur2;
  Dest->Couleur1 = Source->Couleur1;
  Dest->NumeroOF = Source->NumeroOF;
  Dest->RefProduit = Source->RefProduit;
  Dest->PlanifLigne = Source->PlanifLigne;
  Dest->NumeroOperation = Source->NumeroOperation;
  Dest->CodeProduit = Source->CodeProduit;
  Dest->CodeGroupeLigne = Source->CodeGroupeLigne;
  Dest->IDProduit = Source->IDProduit;
  Dest->RefClient = Source->RefClient;
  Dest->LibClient = Source->LibClient;
  Dest->Valide = Source->Valide;
  Dest->SetCouleurCadreOF(Source->CouleurCadreOF());
  Dest->QtRealise = Source->QtRealise;
}

// ---- Properties -----------------------------------------------------------------------------

void TPlanningMoteur::SetTypeCadence(TTypeCadence t) {
  if (t == FTypeCadence) return;
  FTypeCadence = t;
  for (auto& l : FLignes) l->ModeCadence = t;
}

void TPlanningMoteur::SetMaintenant(TDateTime dt) {
  FMaintenant = dt;
  RafraichirEchelle();
  RafraichirDisposition();
}

void TPlanningMoteur::SetPlageDebut(TDateTime dt) {
  FPlageDebut = dt;
  RafraichirEchelle();
}

void TPlanningMoteur::SetPlageFin(TDateTime dt) {
  FPlageFin = dt;
  RafraichirEchelle();
  Repeindre();
}

void TPlanningMoteur::SetPlageAuto(bool b) {
  if (b == FPlageAuto) return;
  FPlageAuto = b;
  if (b) CalculerPlage();
}

void TPlanningMoteur::SetPreparation(bool b) {
  if (b == FPreparation) return;
  FPreparation = b;
  if (!b) {
    // Lines filled in bulk were not kept in order: put each one in order once.
    for (int i = 0; i < FListeOF->NbLigne(); ++i)
      FListeOF->TrierLigne(FListeOF->CodeLigneRang(i));
    CalculerPlage();
    RafraichirDisposition();
    AttenteCalculerDefilement();
    Repeindre();
  }
}

void TPlanningMoteur::SetModifPlanning(bool b) {
  if (b == FModifPlanning) return;
  if (FSimulation) {
    FModifPlanning = false;
    return;
  }
  FModifPlanning = b;
  if (OnModifPlanning) OnModifPlanning(this);
}

void TPlanningMoteur::SetAfficherLigneVide(bool b) {
  FAfficherLigneVide = b;
  if (b) FNbLignesAffichees = NbLigne();
  RafraichirDisposition();
}

// ---- Scheduling -----------------------------------------------------------------------------

void TPlanningMoteur::CalculerOF(int iCodeLigne, TBaseOF* Item, bool bCalendrier,
                                 TDateTime dtDebut) {
  if (FPlanningFige || !Item) return;
  TUnOF* of = Item->GetOFReel();
  TUneLigne* ligne = Ligne(iCodeLigne);
  if (!of || !ligne) return;
  TCalendrier& cal = ligne->Calendrier();
  const TDateTime m = FMaintenant;
  const int etat = of->EtatOF;
  Item->CodeLigne = iCodeLigne;

  if (etat < eoEnPreparation) Item->SetDebutOF(bCalendrier ? cal.CalculDate(dtDebut, 0) : dtDebut);
  if (etat < eoEnCours) {
    TDateTime dp = cal.CalculDate(Item->DebutOF(), of->DureePreparation);
    if (etat == eoEnPreparation && dp < of->DatePointage()) dp = of->DatePointage();
    Item->SetDebutProduction(dp);
  }
  if (etat < eoEnFinalisation) {
    if (etat >= eoEnPreparation && of->DatePointage() >= Item->DebutProduction()) {
      // Started with a progress report: what remains is carried from the report.
      const TDateTime reste = ligne->DureeProductionLigne(of, Item->Quantite() - of->QtRealise);
      Item->SetDureeProduction(reste);
      Item->SetFinProduction(cal.CalculDate(of->DatePointage(), reste));
      Item->SetDureeProduction(ligne->DureeProductionLigne(of, Item->Quantite()));
    } else {
      const TDateTime duree = ligne->DureeProductionLigne(of, Item->Quantite());
      Item->SetDureeProduction(duree);
      Item->SetFinProduction(cal.CalculDate(Item->DebutProduction(), duree));
    }
    if (Item->FinProduction() < m) Item->SetFinProduction(cal.CalculDate(m, 0));
    Item->SetFinOF(cal.CalculDate(Item->FinProduction(), of->DureeFinalisation));
    if (Item->FinOF() < m) Item->SetFinOF(cal.CalculDate(m, 0));
    EcrireTraceFormat("Calcul fin OF = %f", Item->FinOF());
  } else if (etat == eoEnFinalisation) {
    TDateTime fin = Item->FinProduction() + of->DureeFinalisation;
    if (fin < m) fin = m;
    Item->SetFinOF(fin);
  }
  ligne->ApresCalculOF(Item, bCalendrier, dtDebut);
}

void TPlanningMoteur::RecalculerOF(int iCodeLigne, TBaseOF* Item, TDateTime dtDebut) {
  if (!Item) return;
  CalculerOF(iCodeLigne, Item, true, dtDebut);
  RepeindreLigne(iCodeLigne);
}

void TPlanningMoteur::Enregistrer(TBaseOF* Item, int iLigneAvant, TDateTime dtDebutAvant,
                                  int iLigneApres) {
  FMemo.Enregistrer(Item->CodeInterne(), iLigneAvant, dtDebutAvant, iLigneApres);
}

void TPlanningMoteur::NoterRepositionnement(const char* chFormat, TBaseOF* Item, int iCodeLigne,
                                            TDateTime dtDebutAvant) {
  if (!FMemo.Enregistrement() || Item->DebutOF() == dtDebutAvant) return;
  Enregistrer(Item, iCodeLigne, dtDebutAvant, iCodeLigne);
  EcrireTraceFormat(chFormat, Numero(Item).constData(), dtDebutAvant, Item->DebutOF());
}

bool TPlanningMoteur::EnchainerLigne(int iCodeLigne, bool bRetasser) {
  if (iCodeLigne < 0) return false;
  TBaseOF* p = OFLigne(iCodeLigne, 0);
  if (!p || !p->GetOFReel()) return false;
  TDateTime d0 = p->DebutOF();
  TUnOF* po = p->GetOFReel();
  po->DureePreparation = DureePreparationOF(nullptr, p, iCodeLigne);
  CalculerOF(iCodeLigne, p, true, p->DebutProduction() - po->DureePreparation);
  NoterRepositionnement("Déplacement1 : OF=%s : début %f => %f", p, iCodeLigne, d0);
  const int n = NbOFLigne(iCodeLigne) - 1;
  if (n <= 0) return false;
  TDateTime f = p->FinOF();
  const TDateTime m = FMaintenant;
  bool bDeplace = false;
  for (int i = 1; i <= n; ++i) {
    TBaseOF* g = OFLigne(iCodeLigne, i);
    TBaseOF* r = OFLigne(iCodeLigne, i - 1);
    TUnOF* go = g ? g->GetOFReel() : nullptr;
    if (!go) continue;
    go->DureePreparation = DureePreparationOF(r, g, iCodeLigne);
    if (f < m) f = m;
    if (go->Rang != 0) {
      CalculerOF(iCodeLigne, g, true, f);
      if (g->FinOF() > f) f = g->FinOF();
    } else if (go->Retassable() && (g->DebutOF() < f || bRetasser)) {
      d0 = g->DebutOF();
      CalculerOF(iCodeLigne, g, true, f);
      NoterRepositionnement("Déplacement2 : OF=%s : début %f => %f", g, iCodeLigne, d0);
      f = g->FinOF();
      bDeplace = true;
    } else {
      d0 = g->DebutOF();
      CalculerOF(iCodeLigne, g, true, g->DebutOF());
      NoterRepositionnement("Déplacement3 : OF=%s : début %f => %f", g, iCodeLigne, d0);
      f = g->FinOF();
    }
  }
  return bDeplace;
}

void TPlanningMoteur::Voisins(int iCodeLigne, const TBaseOF* Item, TBaseOF*& xPrec,
                              TBaseOF*& xSuiv) const {
  xPrec = nullptr;
  xSuiv = nullptr;
  const TOFOrdonne* ordre = iCodeLigne < 0 ? nullptr : FListeOF->Ordre(iCodeLigne);
  if (!ordre) return;
  const int i = ordre->indexOf(const_cast<TBaseOF*>(Item));
  if (i < 0) return;
  if (i > 0) xPrec = ordre->at(i - 1);
  if (i + 1 < ordre->size()) xSuiv = ordre->at(i + 1);
}

void TPlanningMoteur::FermerGroupe() {
  FMemo.Arreter();
  const auto& pos = FMemo.Positions();
  if (FMemo.Niveau() > 0 && (pos.isEmpty() || pos.last().Niveau != FMemo.Niveau()))
    FMemo.AbandonnerNiveau(FMemo.Niveau());
}

int TPlanningMoteur::PlanifierOF(TBaseOF* Item, int iCodeLigne, TDateTime dtDate) {
  // A ghost stands for its order: placing it places the order.
  if (Item && !Item->IsOFReel() && Item->GetOFReel()) Item = Item->GetOFReel();
  const bool bMemoriser = !FRestaurePosition;
  if (bMemoriser) {
    EcrireTrace(QString::fromUtf8("-Début mémorisation plannif"));
    FMemo.Commencer();
  }
  auto fermer = [&]() {
    if (bMemoriser) {
      EcrireTrace(QString::fromUtf8("-Fin mémorisation plannif"));
      FermerGroupe();
    }
  };
  if (!Item || (iCodeLigne >= 0 && !Ligne(iCodeLigne))) {
    // Nothing to place, or a line that does not exist.
    fermer();
    if (OnChangementAffichage) OnChangementAffichage(this);
    return Item ? 0 : -1;
  }
  TUnOF* of = Item->GetOFReel();
  const int l = iCodeLigne < 0 ? -1 : iCodeLigne;

  if (!FRestaurePosition && OnAvantPlanificationOF) {
    bool bPeutPlanifier = true;
    if (!gGardeEvenements) {
      TGarde garde;
      OnAvantPlanificationOF(this, of, bPeutPlanifier);
    }
    if (!bPeutPlanifier) {
      Repeindre();
      fermer();
      return 0;
    }
  }

  if (l < 0)
    of->EtatOF = eoPasPlannifie;
  else if (of->EtatOF == eoPasPlannifie)
    of->EtatOF = eoPlannifie;

  OublierOFImageGlisser();
  const int a = Item->CodeLigne < 0 ? -1 : Item->CodeLigne;
  const TDateTime d0 = Item->DebutOF();
  if (!FRestaurePosition) AvantPlanification(Item, l);

  TBaseOF *precA = nullptr, *suivA = nullptr;
  if (a != -1) Voisins(a, Item, precA, suivA);

  if (of->EtatOF < eoEnPreparation) Item->SetDebutOF(dtDate);
  if (of->EtatOF < eoEnCours) Item->SetDebutProduction(Item->DebutOF());

  FListeOF->ChangerLigne(Item, l);

  if (FMemo.Enregistrement()) {
    Enregistrer(Item, a, d0, l);
    if (a == l)
      EcrireTraceFormat("Déplacement : OF=%s : début %f => %f", Numero(Item).constData(), d0,
                        Item->DebutOF());
    else
      EcrireTraceFormat("Déplacement : OF=%s : ligne %d, début %f => ligne %d, début %f",
                        Numero(Item).constData(), a, d0, l, Item->DebutOF());
  }

  if (l == -1 || a == -1) AttenteCalculerDefilement();

  TBaseOF *precL = nullptr, *suivL = nullptr;
  if (l != -1) Voisins(l, Item, precL, suivL);

  if (a == -1) {
    AttenteRepeindre();
  } else {
    if (precA) RecalculerTempsUnOF(a, precA->GetOFReel(), 1);
    if (suivA) RecalculerTempsUnOF(a, suivA->GetOFReel(), 0);
    if (l != a) {
      if (precA || suivA) EnchainerLigne(a, false);
      RepeindreLigne(a);
    }
  }

  EffacerMarqueDepot();

  if (l == -1) {
    Item->SetDebutOF(0);
    Item->SetDebutProduction(0);
    Item->SetFinProduction(0);
    Item->SetFinOF(0);
    ApresPlanification(Item, l, dtDate);
    if (a != -1) AttenteRepeindre();
  } else {
    if (of->EtatOF < eoEnPreparation) Item->SetDebutOF(dtDate - DureePreparationOF(precL, Item, l));
    if (precL) RecalculerTempsUnOF(l, precL->GetOFReel(), 1);
    RecalculerTempsUnOF(l, of, 2);
    if (suivL) RecalculerTempsUnOF(l, suivL->GetOFReel(), 0);
    ApresPlanification(Item, l, dtDate);
    if (!FRestaurePosition) {
      EnchainerLigne(l, false);
      RepeindreLigne(l);
    }
  }

  SetModifPlanning(true);
  if (!FRestaurePosition) {
    if (a == -1 || l == -1) AttenteOnPlanif();
    if (a != -1 || l != -1) {
      if (OnPlanif) OnPlanif(this);
    }
    TActionPlanif action = apRien;
    if (l < 0) {
      if (OnDeplanificationOF) OnDeplanificationOF(this, of, a, action);
      if (action == apRecalculOF) RafraichirDisposition();
    } else if (OnPlanificationOF && !gGardeEvenements) {
      {
        TGarde garde;
        OnPlanificationOF(this, of, a, action);
      }
      if (action == apRecalculOF) {
        EnchainerLigne(l, false);
        RepeindreLigne(l);
      }
    }
    Repeindre();
  }
  fermer();
  if (OnChangementAffichage) OnChangementAffichage(this);
  return 1;
}

int TPlanningMoteur::RetasserLignes(int iLigne, bool bDepuisMaintenant) {
  const int premier = iLigne < 0 ? 0 : iLigne;
  const int dernier = iLigne < 0 ? NbLigne() - 1 : std::min(iLigne, NbLigne() - 1);
  for (int i = premier; i <= dernier; ++i) {
    const int code = FLignes[i]->Code;
    TBaseOF* p = OFLigne(code, 0);
    if (!p) continue;
    TUnOF* po = p->GetOFReel();
    if (bDepuisMaintenant && po && po->Retassable()) {
      // The first order restarts from now; the chaining below carries it over the calendar.
      // Its former start is recorded first, or undo could not give it back.
      if (FMemo.Enregistrement() && p->DebutOF() != FMaintenant)
        Enregistrer(p, code, p->DebutOF(), code);
      p->SetDebutProduction(FMaintenant + po->DureePreparation);
      p->SetDebutOF(FMaintenant);
    }
    const bool bDeplace = EnchainerLigne(code, true);
    SetModifPlanning(bDeplace || FModifPlanning);
  }
  if (FPlageAuto) CalculerPlage();
  Repeindre();
  return 1;
}

int TPlanningMoteur::Retasser(int iLigne, bool bDepuisMaintenant) {
  FMemo.Commencer();
  EcrireTrace(QString::fromUtf8("-Début mémorisation plannif (retassage)"));
  RetasserLignes(iLigne, bDepuisMaintenant);
  FermerGroupe();
  EcrireTrace(QString::fromUtf8("-Fin mémorisation plannif (retassage)"));
  return 1;
}

int TPlanningMoteur::RetasserImbrique(int iLigne, bool bDepuisMaintenant) {
  return RetasserLignes(iLigne, bDepuisMaintenant);
}

bool TPlanningMoteur::RecalculerTempsLigne(int iCodeLigne) {
  if (iCodeLigne < 0) return false;
  const TOFOrdonne* ordre = FListeOF->Ordre(iCodeLigne);
  if (!ordre) return false;
  const TOFOrdonne copie = *ordre;
  for (TBaseOF* item : copie)
    if (item && item->GetOFReel()) RecalculerTempsUnOF(iCodeLigne, item->GetOFReel(), 2);
  return true;
}

bool TPlanningMoteur::CalculerPlage() {
  if (!FPlageAuto) return false;
  TDateTime debut = DateHeure::SansLimite;
  TDateTime fin = -1.0;
  for (const auto& l : FLignes) {
    TDateTime d, f;
    FListeOF->EtendueLigne(l->Code, d, f);
    if (d > 0 && d < debut) debut = d;
    if (f > 0 && f > fin) fin = f;
  }
  const TDateTime plafond = DateHeure::Aujourdhui() + 3660;
  if (fin > plafond) fin = plafond;
  const TDateTime ancienDebut = FPlageDebut, ancienneFin = FPlageFin;
  TDateTime nouvelleFin;
  if (debut < DateHeure::SansLimite && fin > 0) {
    FPlageDebut = debut - 1.0 / 24;
    nouvelleFin = (fin - 1 >= FPlageDebut) ? fin + 1.0 / 24 : FPlageDebut + 1;
  } else {
    FPlageDebut = DateHeure::Maintenant() - 1.0 / 12;
    nouvelleFin = FPlageDebut + 1;
  }
  SetPlageFin(nouvelleFin);
  return FPlageDebut != ancienDebut || FPlageFin != ancienneFin;
}

double TPlanningMoteur::DureeLibre(int iCodeLigne, TDateTime dtFin, TDateTime dtDebut) const {
  if (iCodeLigne < 0) return 0;
  const TUneLigne* ligne = Ligne(iCodeLigne);
  const TOFOrdonne* ordre = FListeOF->Ordre(iCodeLigne);
  if (!ligne || !ordre) return 0;
  const TCalendrier& cal = ligne->Calendrier();
  double t = cal.DureeTravail(dtDebut, dtFin);
  const TUnOF* glisse = FOFGlisse ? FOFGlisse->GetOFReel() : nullptr;
  for (const TBaseOF* item : *ordre) {
    if (!item) continue;
    if (item->DebutOF() >= dtFin) break;
    if (glisse && item->GetOFReel() == glisse) continue;
    if (item->FinOF() > dtDebut) {
      t -= cal.DureeTravail(std::max(dtDebut, item->DebutOF()), std::min(dtFin, item->FinOF()));
      if (t <= 0) break;
    }
  }
  return t;
}

int TPlanningMoteur::ChercherOFBloquant(int iCodeLigne, TBaseOF*& Item, TDateTime dtDate) const {
  Item = nullptr;
  if (iCodeLigne < 0) return 0;
  const TOFOrdonne* ordre = FListeOF->Ordre(iCodeLigne);
  if (!ordre) return 0;
  for (TBaseOF* x : *ordre) {
    if (!x || x->DebutOF() <= dtDate) continue;
    const TUnOF* of = x->GetOFReel();
    if (!of) continue;
    if (of->EnCours()) {
      Item = x;
      return 1;
    }
    if (of->Verrouille()) {
      Item = x;
      return 2;
    }
  }
  return 0;
}

bool TPlanningMoteur::PlacerOFDepose(TBaseOF* Item, int iCodeLigne, TDateTime dtDate) {
  if (!Item) return false;
  FOFGlisse = Item;
  TBaseOF* bloquant = nullptr;
  const int r = ChercherOFBloquant(iCodeLigne, bloquant, dtDate);
  bool bAccepte = true;
  if (r == 1) {
    bAccepte = false;
    MessageBip(QString::fromUtf8("Impossible de plannifier un OF avant un OF vérrouillé (en cours)\r\n"
                                 "Remarque : OF verrouillé = %1")
                   .arg(bloquant->GetOFReel()->NumeroOF));
  } else if (r == 2 && bloquant) {
    const TUnOF* of = Item->GetOFReel();
    if (of && of->DureeProduction() + of->DureeFinalisation >
                  DureeLibre(iCodeLigne, bloquant->DebutOF(), dtDate))
      bAccepte = MsgConfirmation(
          QString::fromUtf8("Vous essayer de plannifier un OF avant un OF verrouillé (\"%1\"), et "
                            "l'OF verrouillé va être déplacé dans le futur. Plannifier quand même "
                            "cet OF ?")
              .arg(bloquant->GetOFReel()->NumeroOF));
  }
  if (bAccepte) {
    PlanifierOF(Item, iCodeLigne, dtDate);
    OublierOFImageGlisser();
    if (FPlageAuto) CalculerPlage();
  } else {
    OublierOFImageGlisser();
    if (Item->CodeLigne >= 0)
      RepeindreLigne(Item->CodeLigne);
    else
      AttenteRepeindre();
  }
  return bAccepte;
}

bool TPlanningMoteur::PeutCommencerPlanif() {
  bool bPeutPlanifier = true;
  if (!FModifPlanning && !FSimulation) {
    if (OnTestPeutCommencerPlanif) OnTestPeutCommencerPlanif(this, bPeutPlanifier);
    if (bPeutPlanifier) SetModifPlanning(true);
  }
  return bPeutPlanifier;
}

void TPlanningMoteur::MessageInterdiction(int iCode, TUnOF* xOF, QString& chMessage) {
  switch (iCode) {
    case 0: chMessage = QStringLiteral("Plannification interdite : en lecture seule"); break;
    case 1: chMessage = QString::fromUtf8("Plannification interdite : cet OF est verrouillé"); break;
    case 2: chMessage = QString::fromUtf8("Plannification interdite : cet OF n'est pas validé"); break;
    default: chMessage = QStringLiteral("Plannification interdite"); break;
  }
  if (OnMessageErreur) OnMessageErreur(this, xOF, iCode, chMessage);
}

bool TPlanningMoteur::PeutPlanifierSurLigne(TUnOF* xOF, int iCodeLigne, TDateTime dtDate) {
  return !FLectureSeule || FSimulation;
}

TColor TPlanningMoteur::CouleurCadre(TBaseOF* Item) {
  return Item ? Item->CouleurCadreOF() : clNone;
}

TColor TPlanningMoteur::CouleurCadreClos(TBaseOF* Item) {
  return Item ? Item->CouleurCadreOFClos() : clNone;
}

int TPlanningMoteur::ComparerAttente(TBaseOF* A, TBaseOF* B) {
  const bool ra = A && A->IsOFReel();
  const bool rb = B && B->IsOFReel();
  if (!ra || !rb) {
    if (!ra && !rb) return 0;
    return ra ? -1 : 1;
  }
  const TUnOF* oa = A->GetOFReel();
  const TUnOF* ob = B->GetOFReel();
  auto signe = [](auto x, auto y) { return (x > y) - (x < y); };
  int c = 0;
  switch (TriAttente()) {
    case 0: c = QString::compare(oa->NumeroOF, ob->NumeroOF); break;
    case 1:
      c = QString::compare(oa->RefProduit, ob->RefProduit);
      if (c == 0) c = QString::compare(oa->NumeroOF, ob->NumeroOF);
      break;
    case 2:
      c = signe(A->Quantite(), B->Quantite());
      if (c == 0) c = QString::compare(oa->NumeroOF, ob->NumeroOF);
      break;
    default: break;
  }
  if (c == 0) c = signe(oa->CleOF, ob->CleOF);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// ---- Undo -----------------------------------------------------------------------------------

bool TPlanningMoteur::AnnulerDerniereModif() {
  if (!PeutAnnuler()) return false;
  QString description;
  FMemo.Decrire(description);
  if (!MsgConfirmation(QString::fromUtf8("Dernier déplacement :\n\r%1\n\r\n\rAnnuler les dernières "
                                         "modifications (%2) ?")
                           .arg(description, QString::number(FMemo.Niveau()))))
    return false;
  bool bResultat = false;
  FRestaurePosition = true;
  try {
    const int niveau = FMemo.Niveau();
    TMemoPosition pos;
    bool bPris = false;
    int ligneAvant = -1;
    while (FMemo.Depiler(niveau, true, pos)) {
      bResultat = true;
      bPris = true;
      ligneAvant = pos.LigneAvant;
      if (TUnOF* of = FListeOF->OFParCodeInterne(pos.CodeInterne)) {
        PlanifierOF(of, pos.LigneAvant, pos.DebutAvant);
        if (pos.LigneAvant >= 0) CalculerOF(pos.LigneAvant, of, true, pos.DebutAvant);
      }
    }
    if (bPris) EnchainerLigne(ligneAvant, false);
    FMemo.AbandonnerNiveau(niveau);
    AttenteOnPlanif();
    if (OnPlanif) OnPlanif(this);
    AttenteRepeindre();
    Repeindre();
    FRestaurePosition = false;
  } catch (...) {
    AttenteRepeindre();
    Repeindre();
    FRestaurePosition = false;
    throw;
  }
  return bResultat;
}
