#pragma once
#include <QString>
#include <cstdint>

#include "planning/core/baseof.h"
#include "planning/core/typesplanning.h"

// One manufacturing order. Its dates are computed on its line by the planning; the other
// fields are filled by whoever loads the plan.
class TUnOF : public TBaseOF {
 public:
  TUnOF() : TBaseOF(true) {}

  TUnOF* GetOFReel() override { return this; }
  void SetQuantite(int iQuantite) override { FQuantite = iQuantite; }
  void SetDebutOF(TDateTime dt) override { FDebutOF = dt; }
  void SetDebutProduction(TDateTime dt) override { FDebutProduction = dt; }
  void SetFinProduction(TDateTime dt) override { FFinProduction = dt; }
  void SetFinOF(TDateTime dt) override { FFinOF = dt; }
  void SetDureeProduction(TDateTime dt) override { FDureeProduction = dt; }
  int Quantite() const override { return FQuantite; }
  TDateTime DebutOF() const override { return FDebutOF; }
  TDateTime DebutProduction() const override { return FDebutProduction; }
  TDateTime FinProduction() const override { return FFinProduction; }
  TDateTime FinOF() const override { return FFinOF; }
  TDateTime DureeProduction() const override { return FDureeProduction; }
  TColor CouleurCadreOF() const override { return FCouleurCadreOF; }
  TColor CouleurCadreOFClos() const override { return clNone; }

  void SetCouleurCadreOF(TColor c) { FCouleurCadreOF = c; }

  // A started order is locked: it keeps its start and cannot be packed.
  virtual bool Verrouille() const { return EtatOF > eoPlannifie; }
  virtual bool EnCours() const { return EtatOF > eoPlannifie; }
  virtual bool Retassable() const { return EtatOF < eoEnPreparation; }
  virtual void SetDatePointage(TDateTime dt) { FDatePointage = dt; }
  TDateTime DatePointage() const { return FDatePointage; }

  // True while the order stands on a line.
  bool Planifie() const { return FPlanifie; }

  int CleOF = 0;
  QString NumeroOF = QStringLiteral("X");
  int NumeroOperation = 0;
  TDateTime DateAuPlusTot = 0;
  TDateTime DateAuPlusTard = DateHeure::SansLimite;
  std::uint8_t EtatOF = eoPasPlannifie;
  int CodeProduit = 0;
  int CodeGroupeLigne = 0;
  QString IDProduit;
  QString RefProduit;
  QString RefClient;
  QString LibClient;
  bool Valide = true;
  TDateTime DureePreparation = 0;
  TDateTime DureeFinalisation = 0;
  int QtRealise = 0;
  TColor Couleur1 = 0;
  TColor Couleur2 = 0;
  double CadenceOF = 0;
  std::uint8_t TypeFrequenceOF = 0;
  std::uint8_t NbLignesSup = 0;
  int Rang = 0;

 protected:
  int FQuantite = 0;
  TDateTime FDebutOF = -1.0;
  TDateTime FDebutProduction = 0;
  TDateTime FFinProduction = 0;
  TDateTime FFinOF = 0;
  TDateTime FDureeProduction = 0;
  TColor FCouleurCadreOF = clNone;
  TDateTime FDatePointage = 0;

 private:
  friend class TListeOF;
  bool FPlanifie = false;
};
