// Dates of an order on its line, chaining, placement with its events and hooks, packing,
// the automatic range and the refusal of drops before started orders.

#include <QTemporaryDir>

#include "fixture.h"
#include "planning/core/trace.h"

using namespace fixture;

namespace {

QString Num(const TBaseOF* x) { return x ? x->GetOFReel()->NumeroOF : QStringLiteral("nil"); }

// A planning that writes down every hook the engine calls.
class PlanningEspion : public TPlanningMoteur {
 public:
  QStringList journal;
  TDateTime preparation = 0;  // preparation needed after a predecessor
  bool verrouDistinct = false;

  void AvantPlanification(TBaseOF* x, int l) override {
    journal << QStringLiteral("AvantPlanification %1 %2").arg(Num(x)).arg(l);
  }
  void AvantChangementLigne(TBaseOF* x, int l) override {
    journal << QStringLiteral("AvantChangementLigne %1 %2").arg(Num(x)).arg(l);
  }
  void ApresPlanification(TBaseOF* x, int l, TDateTime) override {
    journal << QStringLiteral("ApresPlanification %1 %2").arg(Num(x)).arg(l);
  }
  int RecalculerTempsUnOF(int l, TUnOF* x, int mode) override {
    journal << QStringLiteral("RecalculerTempsUnOF %1 %2 %3").arg(l).arg(Num(x)).arg(mode);
    return 0;
  }
  TDateTime DureePreparationOF(TBaseOF* prec, TBaseOF*, int) override {
    return prec ? preparation : 0;
  }
  void AttenteOnPlanif() override { journal << QStringLiteral("Attente.OnPlanif"); }
};

// Orders that are locked without being in production, as a customer variant may have them.
class OFVerrouille : public TUnOF {
 public:
  bool EnCours() const override { return EtatOF >= eoEnCours; }
  bool Verrouille() const override { return EtatOF >= eoEnPreparation; }
};
class PlanningVerrous : public TPlanningMoteur {
 public:
  TUnOF* CreerOF() override { return new OFVerrouille; }
};

class Ordonnancement : public PlanningTest {};
class Placement : public PlanningTestDe<PlanningEspion> {};
class Depot : public PlanningTestDe<PlanningVerrous> {};

struct CasCalcul {
  const char* nom;
  std::uint8_t etat;
  TDateTime debutOF, debutProd, finProd;  // before the computation
  TDateTime pointage;
  int quantite, realise;
  double prep, fin;
  TDateTime maintenant;
  TDateTime debut;  // argument
  // expected
  TDateTime aDebutOF, aDebutProd, aFinProd, aFinOF;
};

class CalculerOF : public ::testing::TestWithParam<CasCalcul> {};

TEST_P(CalculerOF, DonneLesQuatreDates) {
  const CasCalcul& c = GetParam();
  TReponseurScripte messages;
  TPlanningMoteur p;
  p.AjouterLigne(1, "L", 1, 2);  // one piece an hour
  SemaineDeuxEquipes(p, 1);
  p.SetMaintenant(c.maintenant);
  TUnOF* of = p.CreerOF();
  of->EtatOF = c.etat;
  of->SetDebutOF(c.debutOF);
  of->SetDebutProduction(c.debutProd);
  of->SetFinProduction(c.finProd);
  of->SetDatePointage(c.pointage);
  of->SetQuantite(c.quantite);
  of->QtRealise = c.realise;
  of->DureePreparation = c.prep;
  of->DureeFinalisation = c.fin;
  p.SetPreparation(true);
  p.AjouterOF(of, 1);
  p.CalculerOF(1, of, true, c.debut);
  EXPECT_NEAR(of->DebutOF(), c.aDebutOF, Ms) << FormatDateHeureSecondes(of->DebutOF()).toStdString();
  EXPECT_NEAR(of->DebutProduction(), c.aDebutProd, Ms)
      << FormatDateHeureSecondes(of->DebutProduction()).toStdString();
  EXPECT_NEAR(of->FinProduction(), c.aFinProd, Ms)
      << FormatDateHeureSecondes(of->FinProduction()).toStdString();
  EXPECT_NEAR(of->FinOF(), c.aFinOF, Ms) << FormatDateHeureSecondes(of->FinOF()).toStdString();
}

const TDateTime tot = 40000;  // a "now" long before the examples

INSTANTIATE_TEST_SUITE_P(
    Etats, CalculerOF,
    ::testing::Values(
        CasCalcul{"planifie", eoPlannifie, 0, 0, 0, 0, 2, 0, H, H, tot, Jour(0, 8),
                  Jour(0, 8), Jour(0, 9), Jour(0, 11), Jour(0, 12)},
        CasCalcul{"cale_sur_le_matin", eoPlannifie, 0, 0, 0, 0, 2, 0, 0, 0, tot, Jour(0, 23),
                  Jour(1, 6), Jour(1, 6), Jour(1, 8), Jour(1, 8)},
        CasCalcul{"traverse_la_nuit", eoPlannifie, 0, 0, 0, 0, 2, 0, 0, 0, tot, Jour(0, 21),
                  Jour(0, 21), Jour(0, 21), Jour(1, 6, 59, 0, 384), Jour(1, 6, 59, 0, 384)},
        // In production with a progress report: the rest is carried from the report.
        CasCalcul{"en_cours_pointe", eoEnCours, Jour(0, 7), Jour(0, 9), 0, Jour(0, 10), 5, 3, H,
                  0, tot, Jour(3, 8), Jour(0, 7), Jour(0, 9), Jour(0, 12), Jour(0, 12)},
        // In production without a report since the start: the whole quantity.
        CasCalcul{"en_cours_sans_pointage", eoEnCours, Jour(0, 7), Jour(0, 9), 0, 0, 5, 3, 0, 0,
                  tot, Jour(3, 8), Jour(0, 7), Jour(0, 9), Jour(0, 14), Jour(0, 14)},
        // In preparation: production cannot start before the last report.
        CasCalcul{"en_preparation", eoEnPreparation, Jour(0, 7), 0, 0, Jour(0, 10), 2, 0, H, 0,
                  tot, Jour(3, 8), Jour(0, 7), Jour(0, 10), Jour(0, 12), Jour(0, 12)},
        // Nothing unfinished ends before now.
        CasCalcul{"fin_avant_maintenant", eoPlannifie, 0, 0, 0, 0, 2, 0, 0, H, Jour(1, 23),
                  Jour(0, 8), Jour(0, 8), Jour(0, 8), Jour(2, 6), Jour(2, 7)},
        // In finalisation: plain addition, never before now.
        CasCalcul{"en_finalisation", eoEnFinalisation, Jour(0, 7), Jour(0, 8), Jour(0, 21), 0, 2,
                  0, 0, 2 * H, tot, Jour(3, 8), Jour(0, 7), Jour(0, 8), Jour(0, 21), Jour(0, 23)},
        CasCalcul{"finalisation_avant_maintenant", eoEnFinalisation, Jour(0, 7), Jour(0, 8),
                  Jour(0, 21), 0, 2, 0, 0, 2 * H, Jour(2, 3), Jour(3, 8), Jour(0, 7), Jour(0, 8),
                  Jour(0, 21), Jour(2, 3)},
        CasCalcul{"termine", eoTermine, Jour(0, 7), Jour(0, 8), Jour(0, 9), 0, 2, 0, 0, H, tot,
                  Jour(3, 8), Jour(0, 7), Jour(0, 8), Jour(0, 9), 0}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Ordonnancement, PlanningFigeNeRecalculeRien) {
  TUnOF* of = Poser(10, 1, Jour(0, 8), 2);
  p.SetPlanningFige(true);
  p.CalculerOF(10, of, true, Jour(2, 8));
  EXPECT_NEAR(of->DebutOF(), Jour(0, 8), Ms);
  // Placements still move the order between lines.
  p.PlanifierOF(of, 20, Jour(2, 8));
  EXPECT_EQ(of->CodeLigne, 20);
}

TEST_F(Ordonnancement, EnchainerLigneSansChevauchement) {
  Poser(10, 1, Jour(0, 8), 3);                        // 08:00-11:00
  TUnOF* b = Poser(10, 2, Jour(0, 9), 2);             // overlaps: pushed to 11:00
  TUnOF* c = Poser(10, 3, Jour(0, 15), 1);            // after a gap: stays
  TUnOF* d = Poser(10, 4, Jour(0, 15, 30), 1, eoEnCours);  // started: keeps its start
  d->SetDebutProduction(Jour(0, 15, 30));
  TUnOF* e = Poser(10, 5, Jour(0, 16), 2);            // behind the started one
  EXPECT_TRUE(p.EnchainerLigne(10, false));  // b and e had to move
  EXPECT_NEAR(b->DebutOF(), Jour(0, 11), Ms);
  EXPECT_NEAR(c->DebutOF(), Jour(0, 15), Ms);
  EXPECT_NEAR(d->DebutOF(), Jour(0, 15, 30), Ms);
  EXPECT_NEAR(e->DebutOF(), Jour(0, 16, 30), Ms);
  EXPECT_NEAR(e->FinOF(), Jour(0, 18, 30), Ms);

  // Packing closes the gap before c but never moves the started order.
  EXPECT_TRUE(p.EnchainerLigne(10, true));
  EXPECT_NEAR(c->DebutOF(), Jour(0, 13), Ms);
  EXPECT_NEAR(d->DebutOF(), Jour(0, 15, 30), Ms);
  EXPECT_EQ(p.EnchainerLigne(-1, true), false);
  EXPECT_EQ(p.EnchainerLigne(20, true), false);
}

TEST_F(Ordonnancement, EnchainerLigneSousRangsEnParallele) {
  Poser(10, 1, Jour(0, 8), 3);
  TUnOF* b = NouvelOF(p, 2, "OF2", 1);
  b->Rang = 1;
  b->SetDebutOF(Jour(0, 20));
  p.AjouterOF(b, 10);
  TUnOF* c = Poser(10, 3, Jour(1, 8), 1);
  p.EnchainerLigne(10, true);
  // Sub-row orders follow the end reached so far and push it when they end later.
  EXPECT_NEAR(b->DebutOF(), Jour(0, 11), Ms);
  EXPECT_NEAR(c->DebutOF(), Jour(0, 12), Ms);
}

TEST_F(Placement, DeposeDansUnOFEnPlaceRepousseApresLuiAvecTrace) {
  QTemporaryDir dir;
  SetFichierTrace(dir.filePath("debug.txt"));
  DebutTrace();
  p.PlanifierOF(Poser(-1, 1, 0, 3), 10, Jour(0, 8));  // 08:00-11:00
  TUnOF* of = Poser(-1, 2, 0, 1);
  of->NumeroOF = "OF-B";
  EXPECT_EQ(p.PlanifierOF(of, 10, Jour(0, 10)), 1);
  FinTrace();
  EXPECT_NEAR(of->DebutOF(), Jour(0, 11), Ms);
  EXPECT_EQ(of->EtatOF, eoPlannifie);
  EXPECT_TRUE(of->Planifie());
  QFile f(dir.filePath("debug.txt"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString texte = QString::fromUtf8(f.readAll());
  EXPECT_TRUE(texte.contains(QString::fromUtf8("Déplacement : OF=OF-B : ligne -1, début 0.000000 => ligne 10, début ")));
  EXPECT_TRUE(texte.contains(QString::fromUtf8("Déplacement2 : OF=OF-B : début %1 => %2")
                                 .arg(Jour(0, 10), 0, 'f', 6)
                                 .arg(of->DebutOF(), 0, 'f', 6)));
  EXPECT_TRUE(texte.contains(QString::fromUtf8("-Début mémorisation plannif\n")));
  EXPECT_TRUE(texte.contains("Calcul fin OF = "));
  EXPECT_TRUE(texte.endsWith(QString::fromUtf8("-Fin mémorisation plannif\nFin débuggage\n")));
  SetFichierTrace(QStringLiteral("debug.txt"));
}

TEST_F(Placement, PreparationDuPredecesseurEtOrdreDesCrochets) {
  p.preparation = H;
  TUnOF* a = Poser(10, 1, Jour(0, 8), 2);  // 08:00-10:00
  TUnOF* b = Poser(10, 2, Jour(0, 14), 1);
  TUnOF* x = Poser(-1, 3, 0, 2);
  int nbPlanif = 0, nbModif = 0;
  QString evenement;
  p.OnPlanif = [&](TPlanningMoteur*) { ++nbPlanif; };
  p.OnModifPlanning = [&](TPlanningMoteur*) { ++nbModif; };
  p.OnPlanificationOF = [&](TPlanningMoteur*, TUnOF* o, int ancienne, TActionPlanif& action) {
    evenement = QStringLiteral("%1 depuis %2").arg(Num(o)).arg(ancienne);
    EXPECT_TRUE(TPlanningMoteur::GardeEvenements());
    EXPECT_EQ(action, apRien);
  };
  p.journal.clear();
  // Dropped at 11:00 (start of production): preparation after a from 10:00.
  p.PlanifierOF(x, 10, Jour(0, 11));
  EXPECT_NEAR(x->DebutOF(), Jour(0, 10), Ms);
  EXPECT_NEAR(x->DebutProduction(), Jour(0, 11), Ms);
  EXPECT_NEAR(x->FinOF(), Jour(0, 13), Ms);
  EXPECT_NEAR(b->DebutOF(), Jour(0, 14), Ms);  // no overlap: b stays
  EXPECT_EQ(p.journal, (QStringList{"AvantPlanification OF3 10", "AvantChangementLigne OF3 10",
                                    "RecalculerTempsUnOF 10 OF1 1", "RecalculerTempsUnOF 10 OF3 2",
                                    "RecalculerTempsUnOF 10 OF2 0", "ApresPlanification OF3 10",
                                    "Attente.OnPlanif"}));
  EXPECT_EQ(evenement, "OF3 depuis -1");
  EXPECT_EQ(nbPlanif, 1);
  EXPECT_EQ(nbModif, 1);
  EXPECT_TRUE(p.ModifPlanning());
  EXPECT_FALSE(TPlanningMoteur::GardeEvenements());
  (void)a;
}

TEST_F(Placement, RetourEnAttenteRemetEtatEtDatesAZeroEtRechaineLAncienneLigne) {
  TUnOF* a = Poser(10, 1, Jour(0, 8), 2);
  TUnOF* x = Poser(10, 2, Jour(0, 10), 2);
  TUnOF* c = Poser(10, 3, Jour(0, 12), 1);
  int ancienne = 0;
  TActionPlanif recu = apRecalculOF;
  p.OnDeplanificationOF = [&](TPlanningMoteur*, TUnOF*, int iAnc, TActionPlanif& action) {
    ancienne = iAnc;
    recu = action;
  };
  p.journal.clear();
  EXPECT_EQ(p.PlanifierOF(x, -1, Jour(3, 8)), 1);
  EXPECT_EQ(x->EtatOF, eoPasPlannifie);
  EXPECT_FALSE(x->Planifie());
  for (TDateTime d : {x->DebutOF(), x->DebutProduction(), x->FinProduction(), x->FinOF()})
    EXPECT_EQ(d, 0);
  EXPECT_EQ(ancienne, 10);
  EXPECT_EQ(recu, apRien);
  EXPECT_EQ(Numeros(10), (QStringList{"OF1", "OF3"}));
  EXPECT_TRUE(p.journal.contains("RecalculerTempsUnOF 10 OF1 1"));
  EXPECT_TRUE(p.journal.contains("RecalculerTempsUnOF 10 OF3 0"));
  EXPECT_EQ(p.journal.last(), "Attente.OnPlanif");
  EXPECT_NEAR(c->DebutOF(), Jour(0, 12), Ms);  // chaining does not pull waiting orders back
  (void)a;
}

TEST_F(Placement, RefusParOnAvantPlanificationOF) {
  TUnOF* x = Poser(10, 1, Jour(0, 8), 2);
  p.OnAvantPlanificationOF = [&](TPlanningMoteur*, TUnOF*, bool& peut) { peut = false; };
  bool planifie = false;
  p.OnPlanificationOF = [&](TPlanningMoteur*, TUnOF*, int, TActionPlanif&) { planifie = true; };
  p.journal.clear();
  EXPECT_EQ(p.PlanifierOF(x, 20, Jour(1, 8)), 0);
  EXPECT_EQ(x->CodeLigne, 10);
  EXPECT_NEAR(x->DebutOF(), Jour(0, 8), Ms);
  EXPECT_TRUE(p.journal.isEmpty());
  EXPECT_FALSE(planifie);
  EXPECT_FALSE(p.ModifPlanning());
  EXPECT_FALSE(p.PeutAnnuler());
  EXPECT_EQ(p.PlanifierOF(nullptr, 20, Jour(1, 8)), -1);
  // A line that does not exist refuses the order.
  p.OnAvantPlanificationOF = nullptr;
  EXPECT_EQ(p.PlanifierOF(x, 99, Jour(1, 8)), 0);
  EXPECT_EQ(x->CodeLigne, 10);
}

// A handler that moves other orders gets no nested notification for those moves.
TEST_F(Placement, GardeDesEvenementsImbriques) {
  TUnOF* x = Poser(-1, 1, 0, 1);
  TUnOF* y = Poser(-1, 2, 0, 1);
  QStringList vus;
  p.OnAvantPlanificationOF = [&](TPlanningMoteur* s, TUnOF* o, bool&) {
    vus << "avant " + o->NumeroOF;
    if (o == x) s->PlanifierOF(y, 20, Jour(0, 8));
  };
  p.OnPlanificationOF = [&](TPlanningMoteur* s, TUnOF* o, int, TActionPlanif& action) {
    vus << "apres " + o->NumeroOF;
    o->SetQuantite(4);
    action = apRecalculOF;  // the quantity changed: chain again
  };
  p.PlanifierOF(x, 10, Jour(0, 8));
  EXPECT_EQ(vus, (QStringList{"avant OF1", "apres OF1"}));
  EXPECT_EQ(y->CodeLigne, 20);
  EXPECT_NEAR(x->FinOF(), Jour(0, 12), Ms);
}

TEST_F(Ordonnancement, SimulationEtLectureSeule) {
  p.SetLectureSeule(true);
  TUnOF* x = Poser(-1, 1, 0, 1);
  EXPECT_FALSE(p.PeutPlanifierSurLigne(x, 10, Jour(0, 8)));
  p.SetSimulation(true);
  EXPECT_TRUE(p.PeutPlanifierSurLigne(x, 10, Jour(0, 8)));
  bool demande = false;
  p.OnTestPeutCommencerPlanif = [&](TPlanningMoteur*, bool&) { demande = true; };
  EXPECT_TRUE(p.PeutCommencerPlanif());
  EXPECT_FALSE(demande);  // nothing to ask in simulation
  p.PlanifierOF(x, 10, Jour(0, 8));
  EXPECT_FALSE(p.ModifPlanning());
}

TEST_F(Ordonnancement, PeutCommencerPlanifDemandeLeDroitUneFois) {
  int demandes = 0, modifs = 0;
  bool reponse = false;
  p.OnTestPeutCommencerPlanif = [&](TPlanningMoteur*, bool& peut) {
    ++demandes;
    peut = reponse;
  };
  p.OnModifPlanning = [&](TPlanningMoteur*) { ++modifs; };
  EXPECT_FALSE(p.PeutCommencerPlanif());
  EXPECT_FALSE(p.ModifPlanning());
  reponse = true;
  EXPECT_TRUE(p.PeutCommencerPlanif());
  EXPECT_TRUE(p.ModifPlanning());
  EXPECT_TRUE(p.PeutCommencerPlanif());  // already granted: not asked again
  EXPECT_EQ(demandes, 2);
  EXPECT_EQ(modifs, 1);
  p.SetModifPlanning(false);
  EXPECT_EQ(modifs, 2);
}

TEST_F(Ordonnancement, MessageInterdiction) {
  const std::pair<int, const char*> cas[] = {
      {0, "Plannification interdite : en lecture seule"},
      {1, "Plannification interdite : cet OF est verrouillé"},
      {2, "Plannification interdite : cet OF n'est pas validé"},
      {7, "Plannification interdite"}};
  QString texte;
  for (auto [code, attendu] : cas) {
    p.MessageInterdiction(code, nullptr, texte);
    EXPECT_EQ(texte, QString::fromUtf8(attendu));
  }
  p.OnMessageErreur = [](TPlanningMoteur*, TUnOF*, int code, QString& m) {
    if (code == 1) m = QStringLiteral("OF lancé : demandez au chef d'atelier");
  };
  p.MessageInterdiction(1, nullptr, texte);
  EXPECT_EQ(texte, QStringLiteral("OF lancé : demandez au chef d'atelier"));
}

namespace horloge {
TDateTime maintenant = 0;
TDateTime Lire() { return maintenant; }
}  // namespace horloge

TEST_F(Ordonnancement, CalculerPlage) {
  horloge::maintenant = Jour(2, 15);
  FixerHorloge(&horloge::Lire);
  EXPECT_FALSE(p.CalculerPlage());  // only with the automatic range
  p.SetPlageAuto(true);             // no planned order: one day from two hours before now
  EXPECT_NEAR(p.PlageDebut(), Jour(2, 13), Ms);
  EXPECT_NEAR(p.PlageFin(), Jour(3, 13), Ms);
  EXPECT_FALSE(p.CalculerPlage());
  Poser(10, 1, Jour(0, 8), 2);
  Poser(20, 2, Jour(1, 8), 3);
  EXPECT_TRUE(p.CalculerPlage());
  EXPECT_NEAR(p.PlageDebut(), Jour(0, 7), Ms);
  EXPECT_NEAR(p.PlageFin(), Jour(1, 12), Ms);
  // A short plan still shows at least one day.
  p.Vider();
  p.AjouterLigne(1, "L", 1, 2);
  p.SetPlageAuto(true);
  Poser(1, 3, Jour(0, 8), 2);
  EXPECT_TRUE(p.CalculerPlage());
  EXPECT_NEAR(p.PlageFin(), Jour(1, 7), Ms);
  FixerHorloge(nullptr);
}

TEST_F(Ordonnancement, RetasserDepuisMaintenant) {
  p.SetMaintenant(Jour(0, 23));  // Monday night: the line opens on Tuesday 06:00
  TUnOF* a = Poser(10, 1, Jour(2, 8), 2);
  TUnOF* b = Poser(10, 2, Jour(3, 8), 2);
  TUnOF* r = Poser(10, 3, Jour(3, 12), 1);
  r->Rang = 1;
  TUnOF* c = Poser(20, 4, Jour(4, 8), 1, eoEnCours);  // started first order: stays
  c->SetDebutProduction(Jour(4, 8));
  TUnOF* d = Poser(20, 5, Jour(4, 12), 1);
  EXPECT_EQ(p.Retasser(-1, true), 1);
  EXPECT_NEAR(a->DebutOF(), Jour(1, 6), Ms);
  EXPECT_NEAR(b->DebutOF(), Jour(1, 8), Ms);
  EXPECT_NEAR(c->DebutOF(), Jour(4, 8), Ms);
  EXPECT_NEAR(d->DebutOF(), Jour(4, 9), Ms);
  EXPECT_TRUE(p.ModifPlanning());
  EXPECT_TRUE(p.PeutAnnuler());
  // Nested packing opens no group of its own.
  const int niveau = p.MemoPositions().Niveau();
  p.RetasserImbrique(-1, true);
  EXPECT_EQ(p.MemoPositions().Niveau(), niveau);
}

TEST_F(Ordonnancement, DureeLibreEtOFBloquant) {
  Poser(10, 1, Jour(0, 8), 2);                       // 08:00-10:00
  TUnOF* lance = Poser(10, 2, Jour(0, 14), 2, eoEnCours);  // 14:00-16:00, started
  lance->SetDebutProduction(Jour(0, 14));
  p.EnchainerLigne(10, false);
  EXPECT_NEAR(p.DureeLibre(10, Jour(0, 14), Jour(0, 6)), 6 * H, Ms);
  EXPECT_NEAR(p.DureeLibre(10, Jour(1, 8), Jour(0, 20)), 4 * H, Ms);  // night skipped
  EXPECT_EQ(p.DureeLibre(-1, Jour(1, 8), Jour(0, 20)), 0);
  TBaseOF* b = nullptr;
  EXPECT_EQ(p.ChercherOFBloquant(10, b, Jour(0, 9)), 1);
  EXPECT_EQ(b, lance);
  EXPECT_EQ(p.ChercherOFBloquant(10, b, Jour(0, 15)), 0);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(p.ChercherOFBloquant(-1, b, Jour(0, 9)), 0);
}

TEST_F(Ordonnancement, DepotAvantUnOFEnCoursRefuse) {
  TUnOF* lance = Poser(10, 1, Jour(0, 14), 2, eoEnCours);
  lance->NumeroOF = "L-1";
  TUnOF* x = Poser(-1, 2, 0, 1);
  EXPECT_FALSE(p.PlacerOFDepose(x, 10, Jour(0, 8)));
  EXPECT_EQ(x->CodeLigne, -1);
  EXPECT_EQ(messages.NbBips(), 1);
  EXPECT_EQ(messages.Textes(TReponseurScripte::TGenre::Attention),
            QStringList{QString::fromUtf8("Impossible de plannifier un OF avant un OF vérrouillé "
                                          "(en cours)\r\nRemarque : OF verrouillé = L-1")});
  EXPECT_EQ(p.OFGlisse(), nullptr);
  // After it, the drop is accepted.
  EXPECT_TRUE(p.PlacerOFDepose(x, 10, Jour(0, 17)));
  EXPECT_EQ(x->CodeLigne, 10);
}

TEST_F(Depot, AvantUnOFVerrouilleConfirmationSiLaPlaceManque) {
  TUnOF* v = Poser(10, 1, Jour(0, 14), 2, eoEnPreparation);
  v->NumeroOF = "V-1";
  TUnOF* x = Poser(-1, 2, 0, 1);
  x->SetDureeProduction(4 * H);
  const QString question = QString::fromUtf8(
      "Vous essayer de plannifier un OF avant un OF verrouillé (\"V-1\"), et l'OF verrouillé va "
      "être déplacé dans le futur. Plannifier quand même cet OF ?");
  // 12:00 to 14:00 is too short for 4 hours: asked, answered No.
  messages.RepondreNon();
  EXPECT_FALSE(p.PlacerOFDepose(x, 10, Jour(0, 12)));
  EXPECT_EQ(x->CodeLigne, -1);
  EXPECT_EQ(messages.Textes(), QStringList{question});
  // Answered Yes: placed.
  messages.RepondreOui();
  EXPECT_TRUE(p.PlacerOFDepose(x, 10, Jour(0, 12)));
  EXPECT_EQ(x->CodeLigne, 10);
  // Enough room: not asked.
  TUnOF* y = Poser(-1, 3, 0, 1);
  y->SetDureeProduction(H);
  messages.Effacer();
  EXPECT_TRUE(p.PlacerOFDepose(y, 10, Jour(0, 6)));
  EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(Placement, RecalculerTempsLigne) {
  Poser(10, 1, Jour(0, 8));
  Poser(10, 2, Jour(0, 9));
  p.journal.clear();
  EXPECT_TRUE(p.RecalculerTempsLigne(10));
  EXPECT_EQ(p.journal, (QStringList{"RecalculerTempsUnOF 10 OF1 2", "RecalculerTempsUnOF 10 OF2 2"}));
  EXPECT_FALSE(p.RecalculerTempsLigne(-1));
}

}  // namespace
