#pragma once
#include "base/datetime.h"
#include "base/tcolor.h"

class TUnOF;

// A planning item: an order, or a ghost that shows an order on a further line. The engine
// reads and writes an item's dates and quantity only through these operations, so that a
// ghost transparently shows its order's values.
class TBaseOF {
 public:
  TBaseOF() = default;
  virtual ~TBaseOF() = default;
  TBaseOF(const TBaseOF&) = delete;
  TBaseOF& operator=(const TBaseOF&) = delete;

  // Sequence number given at registration in a TListeOF (1, 2, 3...; never reused).
  int CodeInterne() const { return FCodeInterne; }
  // True for an order, False for a ghost.
  bool IsOFReel() const { return FIsOFReel; }

  // Line holding the item; -1 = waiting zone. Every placement writes both with one value.
  int CodeLigne = -1;
  int PlanifLigne = -1;

  virtual TUnOF* GetOFReel() = 0;
  const TUnOF* GetOFReel() const { return const_cast<TBaseOF*>(this)->GetOFReel(); }

  virtual void SetQuantite(int iQuantite) = 0;
  virtual void SetDebutOF(TDateTime dt) = 0;
  virtual void SetDebutProduction(TDateTime dt) = 0;
  virtual void SetFinProduction(TDateTime dt) = 0;
  virtual void SetFinOF(TDateTime dt) = 0;
  virtual void SetDureeProduction(TDateTime dt) = 0;
  virtual int Quantite() const = 0;
  virtual TDateTime DebutOF() const = 0;
  virtual TDateTime DebutProduction() const = 0;
  virtual TDateTime FinProduction() const = 0;
  virtual TDateTime FinOF() const = 0;
  virtual TDateTime DureeProduction() const = 0;
  virtual TColor CouleurCadreOF() const = 0;
  virtual TColor CouleurCadreOFClos() const = 0;

 protected:
  explicit TBaseOF(bool bReel) : FIsOFReel(bReel) {}

 private:
  friend class TListeOF;
  int FCodeInterne = 0;
  bool FIsOFReel = true;
};
