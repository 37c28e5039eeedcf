// The move memory, undo of the last group of moves, and the debug trace.

#include <QDir>
#include <QTemporaryDir>

#include "fixture.h"
#include "planning/core/trace.h"

using namespace fixture;

namespace {

TEST(MemoPositions, GroupesEtDepilement) {
  TPlanningMoteur p;
  TMemoPositions& m = p.MemoPositions();
  m.Enregistrer(1, 10, 5.0, 20);  // not recording: ignored
  EXPECT_EQ(m.NbPositions(), 0);
  m.Commencer();
  m.Enregistrer(1, 10, 5.0, 20);
  m.Enregistrer(2, -1, 0.0, 20);
  m.Arreter();
  m.Commencer();
  m.Enregistrer(3, 20, 6.0, 20);
  m.Arreter();
  EXPECT_EQ(m.Niveau(), 2);
  TMemoPosition r;
  EXPECT_FALSE(m.Depiler(1, true, r));  // not the last group
  EXPECT_TRUE(m.Depiler(2, false, r));
  EXPECT_EQ(r.CodeInterne, 3);
  EXPECT_EQ(m.NbPositions(), 3);
  EXPECT_TRUE(m.Depiler(2, true, r));
  EXPECT_EQ(m.NbPositions(), 2);
  m.AbandonnerNiveau(1);  // not the current group: nothing
  EXPECT_EQ(m.Niveau(), 2);
  m.AbandonnerNiveau(2);
  EXPECT_EQ(m.Niveau(), 1);
  EXPECT_TRUE(m.Depiler(1, false, r));
  EXPECT_EQ(r.LigneAvant, -1);
  m.ViderMemoire();
  EXPECT_EQ(m.Niveau(), 0);
  EXPECT_EQ(m.NbPositions(), 0);
  QString texte;
  m.Decrire(texte);
  EXPECT_EQ(texte, QString::fromUtf8("pas de déplacement"));
}

class Annulation : public PlanningTest {};

TEST_F(Annulation, RetourEnAttentePuisAnnulationRemetLOFSurSaLigne) {
  TUnOF* of = Poser(10, 1, Jour(0, 8), 2);
  of->NumeroOF = "1234";
  const TDateTime debut = of->DebutOF();
  EXPECT_FALSE(p.PeutAnnuler());
  p.PlanifierOF(of, -1, 0);
  ASSERT_TRUE(p.PeutAnnuler());
  messages.RepondreOui();
  EXPECT_TRUE(p.AnnulerDerniereModif());
  EXPECT_EQ(messages.Textes(),
            QStringList{QString::fromUtf8("Dernier déplacement :\n\r"
                                          "OF \"1234\" : déplacé de ligne \"A\" => \"zone attente\""
                                          "\n\r\n\rAnnuler les dernières modifications (1) ?")});
  EXPECT_EQ(of->CodeLigne, 10);
  EXPECT_EQ(of->EtatOF, eoPlannifie);
  EXPECT_NEAR(of->DebutOF(), debut, Ms);
  EXPECT_NEAR(of->FinOF(), Jour(0, 10), Ms);
  EXPECT_FALSE(p.PeutAnnuler());
  EXPECT_FALSE(p.RestaurePosition());
}

TEST_F(Annulation, DeplacementEntreLignesEtRepositionnement) {
  TUnOF* a = Poser(10, 1, Jour(0, 8), 2);
  TUnOF* b = Poser(-1, 2, 0, 2);
  p.PlanifierOF(b, 20, Jour(0, 9));    // group 1: waiting -> B
  p.PlanifierOF(a, 20, Jour(0, 8));    // group 2: A -> B, pushes b
  p.PlanifierOF(a, 20, Jour(1, 8));    // group 3: moved along B
  EXPECT_NEAR(b->DebutOF(), Jour(0, 10), Ms);

  QString texte;
  p.MemoPositions().Decrire(texte);
  EXPECT_EQ(texte, QString::fromUtf8("OF \"OF1\" : repositionné sur ligne \"B\""));
  messages.RepondreOui();
  messages.RepondreOui();
  ASSERT_TRUE(p.AnnulerDerniereModif());
  EXPECT_NEAR(a->DebutOF(), Jour(0, 8), Ms);
  ASSERT_TRUE(p.AnnulerDerniereModif());
  EXPECT_EQ(a->CodeLigne, 10);
  EXPECT_NEAR(a->DebutOF(), Jour(0, 8), Ms);
  EXPECT_EQ(b->CodeLigne, 20);
  EXPECT_NEAR(b->DebutOF(), Jour(0, 9), Ms);  // pushed back where it was
  EXPECT_TRUE(messages.Textes().at(1).contains(
      QString::fromUtf8("OF \"OF1\" : déplacé de ligne \"A\" => ligne \"B\"")));
  EXPECT_EQ(p.MemoPositions().Niveau(), 1);
}

TEST_F(Annulation, ReponseNonNeChangeRien) {
  TUnOF* of = Poser(-1, 1, 0, 2);
  p.PlanifierOF(of, 10, Jour(0, 8));
  const int nb = p.MemoPositions().NbPositions();
  messages.RepondreNon();
  EXPECT_FALSE(p.AnnulerDerniereModif());
  EXPECT_EQ(of->CodeLigne, 10);
  EXPECT_EQ(p.MemoPositions().NbPositions(), nb);
  EXPECT_EQ(p.MemoPositions().Niveau(), 1);
  EXPECT_TRUE(p.PeutAnnuler());
}

// Twenty orders moved by one packing: the oldest move, "...", then the fifteen most recent.
TEST_F(Annulation, RetassageDeVingtOFDecritEtAnnule) {
  QVector<TUnOF*> ofs;
  QVector<TDateTime> debuts;
  for (int i = 0; i < 20; ++i) {
    ofs << Poser(10, i + 1, Jour(i / 4, 8 + 3 * (i % 4)), 1);
    debuts << ofs.last()->DebutOF();
  }
  p.SetMaintenant(Jour(0, 6));
  p.Retasser(-1, true);
  EXPECT_NEAR(ofs[1]->DebutOF(), Jour(0, 7), Ms);
  ASSERT_EQ(p.MemoPositions().NbPositions(), 20);

  QString texte;
  p.MemoPositions().Decrire(texte);
  const QStringList lignes = texte.split(QStringLiteral("\n\r"));
  ASSERT_EQ(lignes.size(), 17);
  EXPECT_EQ(lignes[0], QString::fromUtf8("OF \"OF1\" : repositionné sur ligne \"A\""));
  EXPECT_EQ(lignes[1], "...");
  EXPECT_EQ(lignes[2], QString::fromUtf8("OF \"OF6\" : repositionné sur ligne \"A\""));
  EXPECT_EQ(lignes[16], QString::fromUtf8("OF \"OF20\" : repositionné sur ligne \"A\""));

  messages.RepondreOui();
  ASSERT_TRUE(p.AnnulerDerniereModif());
  EXPECT_TRUE(messages.Textes().first().endsWith(
      QString::fromUtf8("Annuler les dernières modifications (1) ?")));
  for (int i = 0; i < 20; ++i) EXPECT_NEAR(ofs[i]->DebutOF(), debuts[i], Ms) << i;
  EXPECT_FALSE(p.PeutAnnuler());
}

TEST_F(Annulation, GroupeSansDeplacementNEstPasPropose) {
  TUnOF* of = Poser(-1, 1, 0, 1);
  p.PlanifierOF(of, 10, Jour(0, 8));
  EXPECT_EQ(p.MemoPositions().Niveau(), 1);
  p.Retasser(-1, false);  // nothing to pack
  EXPECT_EQ(p.MemoPositions().Niveau(), 1);
  p.OnAvantPlanificationOF = [](TPlanningMoteur*, TUnOF*, bool& b) { b = false; };
  p.PlanifierOF(of, 20, Jour(0, 8));  // refused
  EXPECT_EQ(p.MemoPositions().Niveau(), 1);
  QString texte;
  p.MemoPositions().Decrire(texte);
  EXPECT_EQ(texte, QString::fromUtf8("OF \"OF1\" : déplacé de \"zone attente\" => ligne \"A\""));
}

TEST_F(Annulation, OFDisparuEstIgnore) {
  TUnOF* of = Poser(-1, 1, 0, 1);
  TUnOF* autre = Poser(-1, 2, 0, 1);
  p.PlanifierOF(of, 10, Jour(0, 8));
  p.PlanifierOF(autre, 10, Jour(0, 8));
  p.ListeOF().Retirer(autre, true);
  QString texte;
  p.MemoPositions().Decrire(texte);
  EXPECT_TRUE(texte.isEmpty());
  messages.RepondreOui();
  EXPECT_TRUE(p.AnnulerDerniereModif());
  EXPECT_EQ(of->CodeLigne, 10);
}

class Trace : public PlanningTest {
 protected:
  void SetUp() override {
    PlanningTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    fichier = dir.filePath("debug.txt");
    SetFichierTrace(fichier);
  }
  void TearDown() override {
    FinTrace();
    SetFichierTrace(QStringLiteral("debug.txt"));
  }
  QStringList Lignes() {
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  QTemporaryDir dir;
  QString fichier;
};

TEST_F(Trace, SansDebutTraceAucunFichier) {
  TUnOF* of = Poser(-1, 1, 0, 1);
  p.PlanifierOF(of, 10, Jour(0, 8));
  p.Retasser(-1, true);
  EcrireTrace("x");
  EcrireTraceFormat("%d", 3);
  FinTrace();
  EXPECT_FALSE(TraceActive());
  EXPECT_FALSE(QFile::exists(fichier));
}

TEST_F(Trace, TextesDuRetassageEtDesDeplacements) {
  {
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ancienne ligne\n");  // an existing file is kept
  }
  TUnOF* a = Poser(10, 1, Jour(0, 8), 2);
  TUnOF* b = Poser(10, 2, Jour(0, 12), 1);
  TUnOF* c = Poser(10, 3, Jour(0, 9, 30), 1, eoEnCours);  // started, moves by itself
  c->SetDebutProduction(Jour(0, 9, 30));
  (void)a;
  (void)b;
  DebutTrace();
  EXPECT_TRUE(TraceActive());
  p.SetMaintenant(Jour(0, 6));
  p.Retasser(-1, true);
  FinTrace();
  const QStringList l = Lignes();
  ASSERT_GE(l.size(), 5);
  EXPECT_EQ(l[0], "ancienne ligne");
  EXPECT_TRUE(l[1].startsWith(QString::fromUtf8("Début débuggage : ")));
  EXPECT_EQ(l[2], QString::fromUtf8("-Début mémorisation plannif (retassage)"));
  // The first order restarts from now directly: it is chained in place, with no move to trace.
  EXPECT_TRUE(l.filter(QString::fromUtf8("Déplacement1")).isEmpty());
  EXPECT_FALSE(l.filter(QString::fromUtf8("Calcul fin OF = ")).isEmpty());
  EXPECT_EQ(l.filter(QString::fromUtf8("Déplacement2 : OF=OF2 : début ")).size(), 1);
  EXPECT_EQ(l[l.size() - 2], QString::fromUtf8("-Fin mémorisation plannif (retassage)"));
  EXPECT_EQ(l.last(), QString::fromUtf8("Fin débuggage"));
}

}  // namespace
