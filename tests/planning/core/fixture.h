#pragma once
// Shared set-up of the engine tests: lines working Monday to Friday from 06:00 to 22:00.

#include <gtest/gtest.h>

#include "base/datetime.h"
#include "base/reponseurscripte.h"
#include "planning/core/planningmoteur.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace fixture {

using namespace DateHeure;

// Monday 14 December 2026.
inline TDateTime Lundi() { return EncodeDate(2026, 12, 14); }
inline TDateTime Jour(int iDecalage, int h, int mn = 0, int s = 0, int ms = 0) {
  return Lundi() + iDecalage + EncodeTime(h, mn, s, ms);
}
constexpr double H = 1.0 / 24.0;
// Tolerance of the comparisons of instants: a millisecond.
constexpr double Ms = 1.0 / 86400000.0;

// Ten weekly slots: each weekday at 06:00 working, at 22:00 closed.
inline void SemaineDeuxEquipes(TPlanningMoteur& p, int iCode) {
  for (int jour = 2; jour <= 6; ++jour) {
    p.AjouterCalendrier(iCode, jour, 6 * H, 100, clWhite, 0, 1);
    p.AjouterCalendrier(iCode, jour, 22 * H, 0, clGray, 8, 2);
  }
}

inline void SemaineDeuxEquipes(TCalendrier& c) {
  for (int jour = 2; jour <= 6; ++jour) {
    c.AjouterCreneau({static_cast<std::uint8_t>(jour), 6 * H, 100, clWhite, 0, 1});
    c.AjouterCreneau({static_cast<std::uint8_t>(jour), 22 * H, 0, clGray, 8, 2});
  }
}

// An order waiting for a line, with a production of iHeures hours at the line's rate of one
// piece an hour.
inline TUnOF* NouvelOF(TPlanningMoteur& p, int iCle, const QString& chNumero, int iHeures = 1) {
  TUnOF* of = p.CreerOF();
  of->CleOF = iCle;
  of->NumeroOF = chNumero;
  of->SetQuantite(iHeures);
  return of;
}

// A planning with lines 10 "A", 20 "B", 30 "C" at one piece an hour, and "now" a week
// before the Monday of the examples so that it never gets in the way.
template <class TPlanning>
class PlanningTestDe : public ::testing::Test {
 protected:
  void SetUp() override {
    p.SetMaintenant(Lundi() - 7);
    for (auto [code, nom] : {std::pair{10, "A"}, {20, "B"}, {30, "C"}}) {
      p.AjouterLigne(code, QString::fromLatin1(nom), 1.0, 2);
      SemaineDeuxEquipes(p, code);
    }
  }
  // Places a new order on a line at a start of production.
  TUnOF* Poser(int iCodeLigne, int iCle, TDateTime dtDebut, int iHeures = 1,
               std::uint8_t etat = eoPlannifie) {
    TUnOF* of = NouvelOF(p, iCle, QStringLiteral("OF%1").arg(iCle), iHeures);
    of->EtatOF = etat;
    of->SetDebutOF(dtDebut);
    p.AjouterOF(of, iCodeLigne);
    return of;
  }
  QStringList Numeros(int iCodeLigne) const {
    QStringList l;
    for (int i = 0; i < p.NbOFLigne(iCodeLigne); ++i)
      l << p.OFLigne(iCodeLigne, i)->GetOFReel()->NumeroOF;
    return l;
  }

  TReponseurScripte messages;
  TPlanning p;
};

using PlanningTest = PlanningTestDe<TPlanningMoteur>;

}  // namespace fixture
