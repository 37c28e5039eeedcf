#pragma once
#include "planning/core/unof.h"

// A ghost: shows its order on a further line. Every date and the quantity are the order's
// own, so that moving or recomputing the order moves all its ghosts with it.
class TUnOFVirtuel : public TBaseOF {
 public:
  TUnOFVirtuel() : TBaseOF(false) {}

  TUnOF* OF = nullptr;  // not owned

  TUnOF* GetOFReel() override { return OF; }
  void SetQuantite(int iQuantite) override { if (OF) OF->SetQuantite(iQuantite); }
  void SetDebutOF(TDateTime dt) override { if (OF) OF->SetDebutOF(dt); }
  void SetDebutProduction(TDateTime dt) override { if (OF) OF->SetDebutProduction(dt); }
  void SetFinProduction(TDateTime dt) override { if (OF) OF->SetFinProduction(dt); }
  void SetFinOF(TDateTime dt) override { if (OF) OF->SetFinOF(dt); }
  void SetDureeProduction(TDateTime dt) override { if (OF) OF->SetDureeProduction(dt); }
  int Quantite() const override { return OF ? OF->Quantite() : 0; }
  TDateTime DebutOF() const override { return OF ? OF->DebutOF() : 0; }
  TDateTime DebutProduction() const override { return OF ? OF->DebutProduction() : 0; }
  TDateTime FinProduction() const override { return OF ? OF->FinProduction() : 0; }
  TDateTime FinOF() const override { return OF ? OF->FinOF() : 0; }
  TDateTime DureeProduction() const override { return OF ? OF->DureeProduction() : 0; }
  TColor CouleurCadreOF() const override { return OF ? OF->CouleurCadreOF() : clNone; }
  TColor CouleurCadreOFClos() const override { return clNone; }
};
