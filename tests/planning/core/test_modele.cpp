// The in-memory model: orders, lines, per-line orderings, the waiting zone and ghosts.

#include "base/erreur.h"
#include "fixture.h"

using namespace fixture;

namespace {

TEST(Modele, NouvelOFValeursParDefaut) {
  TUnOF of;
  EXPECT_EQ(of.NumeroOF, "X");
  EXPECT_EQ(of.DebutOF(), -1.0);
  EXPECT_EQ(of.DateAuPlusTard, 999999.0);
  EXPECT_TRUE(of.Valide);
  EXPECT_EQ(of.CouleurCadreOF(), clNone);
  EXPECT_EQ(of.CouleurCadreOFClos(), clNone);
  EXPECT_EQ(of.EtatOF, eoPasPlannifie);
  EXPECT_TRUE(of.IsOFReel());
  EXPECT_FALSE(of.Planifie());
  EXPECT_EQ(of.GetOFReel(), &of);
}

TEST(Modele, TexteDesEtats) {
  const std::pair<int, const char*> cas[] = {
      {0, "pas plannifié"}, {1, "plannifié"},  {2, "en préparation"}, {3, "en production"},
      {4, "en finalisation"}, {5, "terminé"}, {6, "terminé"}, {0x83, "en production"}, {77, "terminé"}};
  for (auto [etat, texte] : cas) EXPECT_EQ(TexteEtatOF(etat), QString::fromUtf8(texte)) << etat;
}

struct CasDuree {
  double cadence;
  int unite;
  int quantite;
  double attendu;
};

TEST(Modele, DureeProductionLigne) {
  TPlanningMoteur p;
  TUneLigne* l = p.AjouterLigne(1, "L", 1, 3);
  const CasDuree cas[] = {
      {60, 2, 120, 120.0 / (60 * 24)}, {2, 1, 30, 30.0 / (2 * 1440)}, {1, 0, 86400, 1.0},
      {10, 3, 5, 0.5},                 {10, 9, 5, 0.5},               {0, 2, 120, 0.00001},
      {60, 2, -1, 0.00001},            {60, 2, 0, 0.0}};
  for (const CasDuree& c : cas) {
    l->Cadence = c.cadence;
    l->TypeFrequence = c.unite;
    EXPECT_DOUBLE_EQ(l->DureeProductionLigne(nullptr, c.quantite), c.attendu)
        << c.cadence << " " << c.unite << " " << c.quantite;
  }
  // In order-rate mode the order's own rate and unit count.
  TUnOF of;
  of.CadenceOF = 10;
  of.TypeFrequenceOF = 2;
  p.SetTypeCadence(tcCadenceOF);
  EXPECT_EQ(l->ModeCadence, tcCadenceOF);
  EXPECT_DOUBLE_EQ(l->DureeProductionLigne(&of, 240), 1.0);
}

TEST(Modele, AjouterLigneExistanteMiseAJourEnPlace) {
  TPlanningMoteur p;
  p.AjouterLigne(5, "Presse", 1, 2);
  p.AjouterLigne(7, "Tour", 1, 2);
  TUneLigne* l = p.AjouterLigne(5, "Presse 2", 30, 1);
  EXPECT_EQ(p.NbLigne(), 2);
  EXPECT_EQ(p.ListeOF().NbLigne(), 2);
  EXPECT_EQ(p.IndexLigne(5), 0);
  EXPECT_EQ(l->Cadence, 30);
  EXPECT_EQ(l->Calendrier().NomLigne, "Presse 2");
  QString nom;
  p.LibelleLigne(5, nom);
  EXPECT_EQ(nom, "Presse 2");
  p.LibelleLigne(99, nom);
  EXPECT_TRUE(nom.isEmpty());
  // Insertion at an index; the container keeps the order of addition.
  p.AjouterLigne(9, "Four", 1, 2, 0);
  EXPECT_EQ(p.CodeLigneIndex(0), 9);
  EXPECT_EQ(p.CodeLigneIndex(3), -1);
  EXPECT_EQ(p.ListeOF().CodeLigneRang(2), 9);
  EXPECT_EQ(p.NbLignesAffichees(), 3);
}

TEST(Modele, SupprimerLigneInconnueLeveLErreur) {
  TPlanningMoteur p;
  p.AjouterLigne(5, "Presse", 1, 2);
  try {
    p.SupprimerLigne(42);
    FAIL() << "pas d'erreur";
  } catch (const EErreur& e) {
    EXPECT_EQ(e.Message(), QString::fromUtf8("Ligne avec code \"42\" non trouvée"));
  }
  EXPECT_EQ(p.NbLigne(), 1);
  p.SupprimerLigne(5);
  EXPECT_EQ(p.NbLigne(), 0);
  EXPECT_EQ(p.ListeOF().NbLigne(), 0);
}

TEST(Modele, CodesQuiNeNommentAucuneLigne) {
  TReponseurScripte messages;
  TPlanningMoteur p;
  p.AjouterCalendrier(3, 2, 0.25, 100, 0, 0, 0);
  p.AjouterCalendrierParticulier(3, 0, 1, 2, 0, 0, 0);
  p.ViderCalendrier(3);
  EXPECT_EQ(p.NbCreneauxLigne(3), -1);
  EXPECT_EQ(p.NbOFLigne(3), 0);
  EXPECT_EQ(p.NbOFLigne(-5), 0);
  EXPECT_EQ(p.OFLigne(3, 0), nullptr);
  EXPECT_EQ(p.ListeOF().ProchainRang(-1), 0);
  p.AjouterOF(nullptr, 3);
  EXPECT_EQ(p.NbOF(), 0);
  // An order filed under a line that does not exist waits instead of pointing at nothing.
  TUnOF* of = NouvelOF(p, 1, "OF1");
  p.AjouterOF(of, 3);
  EXPECT_EQ(of->CodeLigne, -1);
  EXPECT_EQ(p.NbOFLigne(-1), 1);
  EXPECT_TRUE(messages.Messages().isEmpty());
}

class ModeleLigne : public PlanningTest {};

TEST_F(ModeleLigne, LigneVideRangEtEtendue) {
  TDateTime d, f;
  p.ListeOF().EtendueLigne(10, d, f);
  EXPECT_EQ(d, -1.0);
  EXPECT_EQ(f, -1.0);
  EXPECT_EQ(p.ListeOF().ProchainRang(10), 1);
  Poser(10, 1, Jour(0, 8), 2);
  Poser(10, 2, Jour(0, 12), 1)->Rang = 2;
  p.ListeOF().EtendueLigne(10, d, f);
  EXPECT_NEAR(d, Jour(0, 8), Ms);
  EXPECT_NEAR(f, Jour(0, 13), Ms);
  EXPECT_EQ(p.ListeOF().ProchainRang(10), 3);
}

TEST_F(ModeleLigne, LigneTrieeParDebutPuisRang) {
  TUnOF* a = Poser(10, 1, Jour(0, 14));
  TUnOF* b = NouvelOF(p, 2, "OF2");
  b->Rang = 1;
  b->SetDebutOF(Jour(0, 8));
  TUnOF* c = NouvelOF(p, 3, "OF3");
  c->SetDebutOF(Jour(0, 8));
  p.AjouterOF(b, 10);
  p.AjouterOF(c, 10);
  EXPECT_EQ(Numeros(10), (QStringList{"OF3", "OF2", "OF1"}));
  EXPECT_TRUE(a->Planifie());
  EXPECT_EQ(p.NbOFPlanifies(), 3);
  // With bPrecedentSiRang an item on a sub-row gives its predecessor.
  EXPECT_EQ(p.OFLigne(10, 1, true), c);
  EXPECT_EQ(p.OFLigne(10, 1, false), b);
}

TEST_F(ModeleLigne, AjouterOFCalculeSurLaLigneEtCaleSurLeCalendrier) {
  TUnOF* of = Poser(10, 1, Jour(0, 23), 3);  // closed at night: starts Tuesday 06:00
  EXPECT_NEAR(of->DebutOF(), Jour(1, 6), Ms);
  EXPECT_NEAR(of->FinOF(), Jour(1, 9), Ms);
  EXPECT_DOUBLE_EQ(of->DureeProduction(), 3 * H);
  // In bulk loading the start is kept as given.
  p.SetPreparation(true);
  TUnOF* brut = Poser(10, 2, Jour(0, 23), 1);
  EXPECT_NEAR(brut->DebutOF(), Jour(0, 23), Ms);
  // A waiting order has no dates.
  TUnOF* attente = Poser(-1, 3, Jour(0, 8));
  EXPECT_EQ(attente->DebutOF(), 0);
  EXPECT_EQ(attente->FinOF(), 0);
}

TEST_F(ModeleLigne, FinDuChargementEnMasseRemetLesLignesDansLOrdre) {
  p.SetPreparation(true);
  Poser(10, 1, Jour(1, 8));
  Poser(10, 2, Jour(0, 8));
  EXPECT_EQ(Numeros(10), (QStringList{"OF1", "OF2"}));
  p.SetPreparation(false);
  EXPECT_EQ(Numeros(10), (QStringList{"OF2", "OF1"}));
}

TEST_F(ModeleLigne, OFALaDateEtOFAvantDate) {
  TUnOF* a = Poser(10, 1, Jour(0, 8), 2);   // 08:00-10:00
  TUnOF* b = Poser(10, 2, Jour(0, 12), 2);  // 12:00-14:00
  TUnOF* c = Poser(10, 3, Jour(0, 16), 2);  // 16:00-18:00
  auto& l = p.ListeOF();
  EXPECT_EQ(l.OFALaDate(10, 0, nullptr, Jour(0, 13)), b);
  EXPECT_EQ(l.OFALaDate(10, 1, nullptr, Jour(0, 13)), nullptr);
  EXPECT_EQ(l.OFALaDate(10, 0, b, Jour(0, 13)), nullptr);
  EXPECT_EQ(l.OFALaDate(-1, 0, nullptr, Jour(0, 13)), nullptr);

  struct Cas {
    TDateTime date;
    const TBaseOF* exclu;
    TBaseOF* resultat;
    TBaseOF* suivant;
  } cas[] = {
      {Jour(0, 7), nullptr, nullptr, a},  // before everything
      {Jour(0, 9), nullptr, a, b},        // covered by a
      {Jour(0, 11), nullptr, a, b},       // in the gap after a
      {Jour(0, 13), nullptr, b, c},       // covered by b
      {Jour(0, 9), b, a, c},              // the item after the result is excluded
      {Jour(0, 11), a, nullptr, b},       // a skipped
      {Jour(0, 20), nullptr, c, nullptr}, // past the end
  };
  for (const Cas& k : cas) {
    TBaseOF* suivant = reinterpret_cast<TBaseOF*>(0x1);
    EXPECT_EQ(l.OFAvantDate(10, k.exclu, k.date, suivant), k.resultat) << k.date;
    EXPECT_EQ(suivant, k.suivant) << k.date;
  }
  TBaseOF* inchange = a;
  EXPECT_EQ(l.OFAvantDate(-1, nullptr, Jour(0, 9), inchange), nullptr);
  EXPECT_EQ(inchange, a);
}

TEST_F(ModeleLigne, TriDeLaZoneDAttente) {
  const struct {
    int cle;
    const char* numero;
    const char* ref;
    int quantite;
  } ofs[] = {{1, "B", "R2", 5}, {2, "A", "R1", 3}, {3, "A", "R2", 5}, {4, "A", "R2", 5},
              {5, "C", "R0", 9}};
  for (const auto& o : ofs) {
    TUnOF* of = NouvelOF(p, o.cle, o.numero, o.quantite);
    of->RefProduit = o.ref;
    p.AjouterOF(of, -1);
  }
  auto ordre = [&] {
    QStringList l;
    for (TBaseOF* x : p.ListeOF().Attente()) {
      const TUnOF* o = x->GetOFReel();
      l << QStringLiteral("%1/%2/%3").arg(o->Quantite()).arg(o->NumeroOF).arg(o->CleOF);
    }
    return l;
  };
  // 0: by number, equal numbers by key
  EXPECT_EQ(ordre(), (QStringList{"3/A/2", "5/A/3", "5/A/4", "5/B/1", "9/C/5"}));
  p.SetTriAttente(2);  // by quantity, then number, then key
  EXPECT_EQ(ordre(), (QStringList{"3/A/2", "5/A/3", "5/A/4", "5/B/1", "9/C/5"}));
  p.SetTriAttente(1);  // by product reference, then number
  EXPECT_EQ(ordre(), (QStringList{"9/C/5", "3/A/2", "5/A/3", "5/A/4", "5/B/1"}));
  p.SetTriAttente(2);
  EXPECT_EQ(ordre().first(), "3/A/2");
  p.SetTriAttente(-1);  // keeps the insertion order from now on
  p.AjouterOF(NouvelOF(p, 0, "0", 9), -1);
  EXPECT_EQ(ordre().last(), "9/0/0");
  p.SetTriAttente(7);  // any other criterion: by key only
  EXPECT_EQ(ordre(), (QStringList{"9/0/0", "5/B/1", "3/A/2", "5/A/3", "5/A/4", "9/C/5"}));
}

TEST_F(ModeleLigne, FantomesSurLesLignesSuivantesEnBouclant) {
  TUnOF* of = NouvelOF(p, 1, "OF1", 2);
  of->NbLignesSup = 2;
  of->SetDebutOF(Jour(0, 8));
  p.AjouterOF(of, 30);  // the last of three lines
  EXPECT_EQ(p.NbOF(), 3);
  ASSERT_EQ(p.NbOFLigne(10), 1);
  ASSERT_EQ(p.NbOFLigne(20), 1);
  TBaseOF* fantome = p.OFLigne(10, 0);
  EXPECT_FALSE(fantome->IsOFReel());
  EXPECT_EQ(fantome->GetOFReel(), of);
  EXPECT_EQ(fantome->CodeLigne, 10);
  EXPECT_NEAR(fantome->FinOF(), of->FinOF(), Ms);  // shows the order's own dates
  EXPECT_EQ(p.ListeOF().OFParCodeInterne(fantome->CodeInterne()), of);
  EXPECT_EQ(p.ChercherOF(1), of);

  // Moving the order takes its ghosts along to the lines after the new one.
  p.PlanifierOF(of, 10, Jour(1, 8));
  EXPECT_EQ(p.NbOF(), 3);
  EXPECT_EQ(p.NbOFLigne(10), 1);
  EXPECT_EQ(p.OFLigne(10, 0), of);
  EXPECT_FALSE(p.OFLigne(20, 0)->IsOFReel());
  EXPECT_FALSE(p.OFLigne(30, 0)->IsOFReel());
  EXPECT_NEAR(p.OFLigne(30, 0)->DebutOF(), Jour(1, 8), Ms);

  // Dragging a ghost places its order; back in the waiting zone the ghosts are gone.
  p.PlanifierOF(p.OFLigne(20, 0), -1, 0);
  EXPECT_EQ(p.NbOF(), 1);
  EXPECT_EQ(p.NbOFLigne(-1), 1);
  EXPECT_EQ(p.NbOFLigne(20), 0);
  EXPECT_EQ(p.NbOFLigne(30), 0);

  // Removing an order removes its ghosts.
  p.PlanifierOF(of, 20, Jour(1, 8));
  EXPECT_EQ(p.NbOF(), 3);
  p.ListeOF().Retirer(of, true);
  EXPECT_EQ(p.NbOF(), 0);
  for (int code : {10, 20, 30}) EXPECT_EQ(p.NbOFLigne(code), 0);
}

TEST_F(ModeleLigne, SupprimerUneLigneRenvoieSesOFEnAttente) {
  TUnOF* of = Poser(20, 1, Jour(0, 8));
  TUnOF* autre = NouvelOF(p, 2, "OF2");
  autre->NbLignesSup = 1;
  autre->SetDebutOF(Jour(0, 8));
  p.AjouterOF(autre, 10);  // its ghost stands on line 20
  p.SupprimerLigne(20);
  EXPECT_EQ(of->CodeLigne, -1);
  EXPECT_FALSE(of->Planifie());
  EXPECT_EQ(p.NbOFLigne(-1), 1);
  EXPECT_EQ(p.NbOF(), 2);  // the ghost on the removed line is gone
  EXPECT_EQ(autre->CodeLigne, 10);
}

TEST_F(ModeleLigne, ViderRemetToutAZero) {
  Poser(10, 1, Jour(0, 8));
  Poser(-1, 2, 0);
  p.PlanifierOF(p.ChercherOF(2), 20, Jour(0, 9));
  p.SetSimulation(true);
  EXPECT_TRUE(p.PeutAnnuler());
  p.Vider();
  EXPECT_EQ(p.NbLigne(), 0);
  EXPECT_EQ(p.NbOF(), 0);
  EXPECT_EQ(p.NbLignesAffichees(), 0);
  EXPECT_FALSE(p.PeutAnnuler());
  EXPECT_FALSE(p.Preparation());
  EXPECT_FALSE(p.Simulation());
  EXPECT_TRUE(messages.Messages().isEmpty());
  // The numbering of items goes on: codes are never reused.
  p.AjouterLigne(1, "L", 1, 2);
  TUnOF* of = NouvelOF(p, 9, "OF9");
  p.AjouterOF(of, 1);
  EXPECT_GT(of->CodeInterne(), 2);
}

TEST(Modele, CopierOFRecopieLesChamps) {
  TPlanningMoteur p;
  TUnOF src;
  src.CleOF = 4;
  src.NumeroOF = "N4";
  src.SetDebutOF(1);
  src.SetDebutProduction(2);
  src.SetFinProduction(3);
  src.SetFinOF(4);
  src.SetQuantite(50);
  src.DureePreparation = 0.1;
  src.DureeFinalisation = 0.2;
  src.CadenceOF = 7;
  src.NbLignesSup = 1;
  src.DateAuPlusTard = 100;
  src.Couleur1 = clRed;
  src.RefClient = "C";
  src.Valide = false;
  src.SetCouleurCadreOF(clBlue);
  src.QtRealise = 12;
  src.PlanifLigne = 8;
  TUnOF* dest = nullptr;
  p.CopierOF(&src, dest);
  ASSERT_NE(dest, nullptr);
  std::unique_ptr<TUnOF> garde(dest);
  EXPECT_EQ(dest->CleOF, 4);
  EXPECT_EQ(dest->NumeroOF, "N4");
  EXPECT_EQ(dest->DebutOF(), 1);
  EXPECT_EQ(dest->FinOF(), 4);
  EXPECT_EQ(dest->Quantite(), 50);
  EXPECT_EQ(dest->DureeFinalisation, 0.2);
  EXPECT_EQ(dest->NbLignesSup, 1);
  EXPECT_EQ(dest->Couleur1, clRed);
  EXPECT_EQ(dest->RefClient, "C");
  EXPECT_FALSE(dest->Valide);
  EXPECT_EQ(dest->CouleurCadreOF(), clBlue);
  EXPECT_EQ(dest->QtRealise, 12);
  EXPECT_EQ(dest->PlanifLigne, 8);
}

}  // namespace
