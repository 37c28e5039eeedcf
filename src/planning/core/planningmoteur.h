#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "planning/core/ligne.h"
#include "planning/core/listeof.h"
#include "planning/core/memopositions.h"
#include "planning/core/typesplanning.h"

// The planning without its display: the lines with their calendars, the orders, the
// scheduling operations and the move memory. The chart widget derives from it and gives
// the display hooks (repaint, layout, waiting list, drag image) a body; here they do nothing.
class TPlanningMoteur {
 public:
  TPlanningMoteur();
  virtual ~TPlanningMoteur();
  TPlanningMoteur(const TPlanningMoteur&) = delete;
  TPlanningMoteur& operator=(const TPlanningMoteur&) = delete;

  // ---- Events -----------------------------------------------------------------------------
  using TPlanificationOF = std::function<void(TPlanningMoteur* Sender, TUnOF* xOF,
                                              int iAncLigne, TActionPlanif& bAction)>;
  using TOnAvantPlanificationOF =
      std::function<void(TPlanningMoteur* Sender, TUnOF* xOF, bool& bPeutPlanifier)>;
  using TOnPeutCommencerPlanif = std::function<void(TPlanningMoteur* Sender, bool& bPeutPlanifier)>;
  using TOnMessageErreur = std::function<void(TPlanningMoteur* Sender, TUnOF* xOF,
                                              int iCodeMessage, QString& chMessage)>;
  using TNotifyEvent = std::function<void(TPlanningMoteur* Sender)>;

  TPlanificationOF OnPlanificationOF;
  TPlanificationOF OnDeplanificationOF;
  TOnAvantPlanificationOF OnAvantPlanificationOF;
  TOnPeutCommencerPlanif OnTestPeutCommencerPlanif;
  TOnMessageErreur OnMessageErreur;
  TNotifyEvent OnPlanif;
  TNotifyEvent OnModifPlanning;
  TNotifyEvent OnChangementAffichage;

  // True while OnAvantPlanificationOF or OnPlanificationOF runs, in any planning.
  static bool GardeEvenements();

  // ---- Model ------------------------------------------------------------------------------
  TListeOF& ListeOF() { return *FListeOF; }
  const TListeOF& ListeOF() const { return *FListeOF; }
  int NbLigne() const { return static_cast<int>(FLignes.size()); }
  int NbOF() const { return FListeOF->NbOF(); }
  int NbOFPlanifies() const;

  TUneLigne* AjouterLigne(int iCode, const QString& chNom, double dCadence,
                          std::uint8_t iTypeFrequence, int iIndex = -1);
  void SupprimerLigne(int iCode);
  int IndexLigne(int iCode) const;
  int CodeLigneIndex(int iIndex) const;
  void LibelleLigne(int iCode, QString& S) const;
  void NomLigneIndex(int iIndex, QString& S) const;
  TUneLigne* Ligne(int iCode) const;
  TUneLigne* LigneIndex(int iIndex) const;

  void AjouterOF(TUnOF* xOF, int iCodeLigne);
  TBaseOF* ChercherOF(int iCleOF) const { return FListeOF->ChercherOF(iCleOF); }
  TBaseOF* OFLigne(int iCodeLigne, int iIndex, bool bPrecedentSiRang = false) const;
  int NbOFLigne(int iCodeLigne) const;
  void Vider();

  void AjouterCalendrier(int iCodeLigne, std::uint8_t iJour, TDateTime dtHeure,
                         std::uint8_t iEfficacite, TColor iCouleur, std::uint8_t iMotif,
                         std::uint8_t iEtat, int iIndex = -1);
  void AjouterCalendrierParticulier(int iCodeLigne, std::uint8_t iEfficacite, TDateTime dtDebut,
                                    TDateTime dtFin, TColor iCouleur, std::uint8_t iMotif,
                                    std::uint8_t iEtat);
  void ViderCalendrier(int iCodeLigne);
  void ViderCalendrierParticulier(int iCodeLigne);
  int NbCreneauxLigne(int iCodeLigne) const;

  virtual TUneLigne* CreerLigne();
  virtual TUnOF* CreerOF();
  virtual TUnOFVirtuel* CreerOFVirtuel();
  virtual void CopierOF(const TUnOF* Source, TUnOF*& Dest);

  // ---- Properties -------------------------------------------------------------------------
  TTypeCadence TypeCadence() const { return FTypeCadence; }
  void SetTypeCadence(TTypeCadence t);
  TDateTime Maintenant() const { return FMaintenant; }
  void SetMaintenant(TDateTime dt);
  TDateTime PlageDebut() const { return FPlageDebut; }
  void SetPlageDebut(TDateTime dt);
  TDateTime PlageFin() const { return FPlageFin; }
  void SetPlageFin(TDateTime dt);
  bool PlageAuto() const { return FPlageAuto; }
  void SetPlageAuto(bool b);
  bool Preparation() const { return FPreparation; }
  void SetPreparation(bool b);
  bool LectureSeule() const { return FLectureSeule; }
  void SetLectureSeule(bool b) { FLectureSeule = b; }
  bool Simulation() const { return FSimulation; }
  void SetSimulation(bool b) { FSimulation = b; }
  bool ModifPlanning() const { return FModifPlanning; }
  void SetModifPlanning(bool b);
  bool PlanningFige() const { return FPlanningFige; }
  void SetPlanningFige(bool b) { FPlanningFige = b; }
  bool RestaurePosition() const { return FRestaurePosition; }
  int TriAttente() const { return FListeOF->TriAttente(); }
  void SetTriAttente(int i) { FListeOF->SetTriAttente(i); }
  bool AfficherLigneVide() const { return FAfficherLigneVide; }
  virtual void SetAfficherLigneVide(bool b);
  // Number of lines the chart shows (the layout may hide empty lines).
  int NbLignesAffichees() const { return FNbLignesAffichees; }
  void SetNbLignesAffichees(int n) { FNbLignesAffichees = n; }

  // The order held by the drag image (excluded from DureeLibre), and the order whose links
  // are shown.
  TBaseOF* OFGlisse() const { return FOFGlisse; }
  void SetOFGlisse(TBaseOF* xOF) { FOFGlisse = xOF; }
  TBaseOF* OFLiaisons() const { return FOFLiaisons; }
  void SetOFLiaisons(TBaseOF* xOF) { FOFLiaisons = xOF; }

  // ---- Scheduling -------------------------------------------------------------------------
  virtual void CalculerOF(int iCodeLigne, TBaseOF* Item, bool bCalendrier, TDateTime dtDebut);
  virtual void RecalculerOF(int iCodeLigne, TBaseOF* Item, TDateTime dtDebut);
  virtual bool EnchainerLigne(int iCodeLigne, bool bRetasser);
  virtual int PlanifierOF(TBaseOF* Item, int iCodeLigne, TDateTime dtDate);
  int Retasser(int iLigne, bool bDepuisMaintenant);
  int RetasserImbrique(int iLigne, bool bDepuisMaintenant);
  bool RecalculerTempsLigne(int iCodeLigne);
  bool CalculerPlage();
  double DureeLibre(int iCodeLigne, TDateTime dtFin, TDateTime dtDebut) const;
  int ChercherOFBloquant(int iCodeLigne, TBaseOF*& Item, TDateTime dtDate) const;
  // Places an order dropped on a line at a date, unless an order already started stands
  // after that date (refused, or confirmed by the user). True when it was placed.
  bool PlacerOFDepose(TBaseOF* Item, int iCodeLigne, TDateTime dtDate);
  bool PeutCommencerPlanif();
  // Text of a refused drag (0 read-only, 1 locked, 2 not validated), as the application
  // may reword it through OnMessageErreur.
  virtual void MessageInterdiction(int iCode, TUnOF* xOF, QString& chMessage);

  // ---- Hooks of the scheduling (neutral here) ---------------------------------------------
  virtual bool PeutPlanifierSurLigne(TUnOF* xOF, int iCodeLigne, TDateTime dtDate);
  virtual bool PeutDeplanifier(TUnOF* xOF) { return true; }
  virtual void ApresPlanification(TBaseOF* xOF, int iCodeLigne, TDateTime dtDate) {}
  virtual void AvantChangementLigne(TBaseOF* Item, int iCodeLigne) {}
  virtual TDateTime DureePreparationOF(TBaseOF* xOFPrecedent, TBaseOF* xOF, int iCodeLigne) { return 0; }
  virtual TDateTime DureeFinalisationOF(TBaseOF* xOF, TBaseOF* xOFSuivant, int iCodeLigne) { return 0; }
  virtual bool PeutPlanifierOF(TUnOF* xOF) { return true; }
  virtual void AvantPlanification(TBaseOF* xOF, int iCodeLigne) {}
  virtual int RecalculerTempsUnOF(int iCodeLigne, TUnOF* xOF, int iMode) { return 0; }
  virtual TUnOF* OFLie(TUnOF* xOF, bool bSuivant, bool bSurPlanning) { return nullptr; }
  virtual TColor CouleurCadre(TBaseOF* Item);
  virtual TColor CouleurCadreClos(TBaseOF* Item);
  virtual int ComparerAttente(TBaseOF* A, TBaseOF* B);
  virtual bool ChoisirOFRecherche(TBaseOF*& Item) { return false; }

  // ---- Move memory and undo ---------------------------------------------------------------
  TMemoPositions& MemoPositions() { return FMemo; }
  const TMemoPositions& MemoPositions() const { return FMemo; }
  bool PeutAnnuler() const { return FMemo.Niveau() > 0; }
  bool AnnulerDerniereModif();

  // ---- Display hooks: the chart widget repaints and lays itself out here ------------------
  virtual void RepeindreLigne(int iCodeLigne) {}
  virtual void Repeindre() {}
  virtual void RafraichirDisposition() {}
  virtual void RafraichirEchelle() {}
  virtual void RafraichirBarresDefilement() {}
  virtual void AttenteCalculerDefilement() {}
  virtual void AttenteRepeindre() {}
  virtual void AttenteOnPlanif() {}
  virtual void EffacerMarqueDepot() {}
  // The drag image lets go of its order.
  virtual void OublierOFImageGlisser() { FOFGlisse = nullptr; }

 private:
  friend class TListeOF;
  void Enregistrer(TBaseOF* Item, int iLigneAvant, TDateTime dtDebutAvant, int iLigneApres);
  // Records and traces a move along the line when moves are recorded and the start changed.
  void NoterRepositionnement(const char* chFormat, TBaseOF* Item, int iCodeLigne,
                             TDateTime dtDebutAvant);
  int RetasserLignes(int iLigne, bool bDepuisMaintenant);
  void Voisins(int iCodeLigne, const TBaseOF* Item, TBaseOF*& xPrec, TBaseOF*& xSuiv) const;

  // Closes the move group of one user action; a group that recorded nothing is dropped,
  // so that undo never offers a group that would restore nothing.
  void FermerGroupe();

  std::vector<std::unique_ptr<TUneLigne>> FLignes;
  QHash<int, TUneLigne*> FLignesParCode;
  std::unique_ptr<TListeOF> FListeOF;
  TMemoPositions FMemo;

  TTypeCadence FTypeCadence = tcCadenceLigne;
  TDateTime FMaintenant = 0;
  TDateTime FPlageDebut = 0;
  TDateTime FPlageFin = 1;
  bool FPlageAuto = false;
  bool FPreparation = true;
  bool FLectureSeule = false;
  bool FSimulation = false;
  bool FModifPlanning = false;
  bool FPlanningFige = false;
  bool FRestaurePosition = false;
  bool FAfficherLigneVide = true;
  int FNbLignesAffichees = 0;
  TBaseOF* FOFGlisse = nullptr;
  TBaseOF* FOFLiaisons = nullptr;
};
