// Carrying working durations over a line's calendar.

#include "fixture.h"

using namespace fixture;

namespace {

struct CasCalcul {
  const char* nom;
  TDateTime debut;
  double duree;
  TDateTime attendu;
};

class CalculDateSemaine : public ::testing::TestWithParam<CasCalcul> {};

TEST_P(CalculDateSemaine, DonneLInstantAttendu) {
  TReponseurScripte messages;
  TCalendrier c;
  SemaineDeuxEquipes(c);
  const CasCalcul& cas = GetParam();
  EXPECT_NEAR(c.CalculDate(cas.debut, cas.duree), cas.attendu, Ms)
      << FormatDateHeureSecondes(c.CalculDate(cas.debut, cas.duree)).toStdString();
  EXPECT_TRUE(messages.Messages().isEmpty());
}

// Each crossing of a boundary after the first loses 0.00069 day (59.616 s) forwards.
INSTANTIATE_TEST_SUITE_P(
    LundiAuVendredi6h22h, CalculDateSemaine,
    ::testing::Values(
        CasCalcul{"lundi20h_plus4h", Jour(0, 20), 4 * H, Jour(1, 7, 59, 0, 384)},
        CasCalcul{"vendredi20h_plus4h", Jour(4, 20), 4 * H, Jour(7, 7, 59, 0, 384)},
        CasCalcul{"lundi23h_cale", Jour(0, 23), 0, Jour(1, 6)},
        CasCalcul{"dans_creneau_inchange", Jour(1, 9, 30), 0, Jour(1, 9, 30)},
        CasCalcul{"samedi_cale_lundi", Jour(5, 11), 0, Jour(7, 6)},
        CasCalcul{"dimanche_cale_lundi", Jour(6, 3), 0, Jour(7, 6)},
        CasCalcul{"meme_creneau", Jour(1, 8), 2 * H, Jour(1, 10)},
        CasCalcul{"mardi8h_moins4h", Jour(1, 8), -4 * H, Jour(0, 20)},
        CasCalcul{"lundi8h_moins4h_vendredi", Jour(7, 8), -4 * H, Jour(4, 20)},
        CasCalcul{"recul_dans_creneau", Jour(1, 12), -2 * H, Jour(1, 10)}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Calendrier, FinCreneauDuWeekEndEstLundi6h) {
  TCalendrier c;
  SemaineDeuxEquipes(c);
  for (TDateTime d : {Jour(5, 10), Jour(6, 23), Jour(4, 22)}) {
    bool bPeriode = false;
    int eff = -1;
    TDateTime debut = 0;
    const int idx = c.CreneauA(d, bPeriode, eff, debut);
    EXPECT_EQ(idx, 9) << FormatDateHeure(d).toStdString();  // the Friday 22:00 slot
    EXPECT_EQ(eff, 0);
    EXPECT_NEAR(c.FinCreneau(idx, bPeriode, d), Jour(7, 6), Ms);
  }
}

TEST(Calendrier, SansCreneauNiPeriodeArithmetiqueSimple) {
  TReponseurScripte messages;
  TCalendrier c;
  for (double duree : {0.0, 0.25, -0.25, 3.5, -3.5}) {
    EXPECT_DOUBLE_EQ(c.CalculDate(Jour(0, 20), duree), Jour(0, 20) + duree) << duree;
  }
  bool bPeriode = true;
  int eff = 0;
  TDateTime debut = 0;
  EXPECT_EQ(c.CreneauA(Jour(2, 3), bPeriode, eff, debut), -1);
  EXPECT_EQ(eff, 100);
  EXPECT_FALSE(bPeriode);
  EXPECT_NEAR(c.DureeTravail(Jour(0, 0), Jour(1, 0)), 1.0, Ms);
  EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST(Calendrier, PeriodeFermeeCoupeLeCreneau) {
  TCalendrier c;
  SemaineDeuxEquipes(c);
  c.AjouterPeriode({Jour(1, 10), Jour(1, 12), 0, clRed, 3, 4});
  // One hour before the period, the period skipped, one hour after it.
  EXPECT_NEAR(c.CalculDate(Jour(1, 9), 2 * H), Jour(1, 12, 59, 0, 384), Ms);
  EXPECT_NEAR(c.DureeTravail(Jour(1, 9), Jour(1, 13)), 2 * H, Ms);
  bool bPeriode = false;
  int eff = -1;
  TDateTime debut = 0;
  const int idx = c.CreneauA(Jour(1, 11), bPeriode, eff, debut);
  EXPECT_TRUE(bPeriode);
  EXPECT_EQ(idx, 0);
  EXPECT_EQ(eff, 0);
  EXPECT_NEAR(debut, Jour(1, 10), Ms);
  int etat = 0;
  std::uint8_t motif = 0;
  TColor couleur = 0;
  ASSERT_TRUE(c.InfoCreneau(idx, true, etat, motif, couleur));
  EXPECT_EQ(couleur, clRed);
  EXPECT_EQ(motif, 3);
  EXPECT_EQ(etat, 4);
  // After the period the slot in force only starts at the period's end.
  c.CreneauA(Jour(1, 12, 30), bPeriode, eff, debut);
  EXPECT_FALSE(bPeriode);
  EXPECT_NEAR(debut, Jour(1, 12), Ms);
}

TEST(Calendrier, PeriodeOuvreeUnSamedi) {
  TCalendrier c;
  SemaineDeuxEquipes(c);
  c.AjouterPeriode({Jour(5, 8), Jour(5, 12), 100, clGreen, 0, 5});
  // Friday 21:00 + 2 h: one hour on Friday, then Saturday from 08:00.
  EXPECT_NEAR(c.CalculDate(Jour(4, 21), 2 * H), Jour(5, 9) - TCalendrier::PasFrontiere, Ms);
  EXPECT_NEAR(c.DureeTravail(Jour(4, 21), Jour(7, 7)), 6 * H, Ms);
}

TEST(Calendrier, DureeTravail) {
  TCalendrier c;
  SemaineDeuxEquipes(c);
  EXPECT_NEAR(c.DureeTravail(Jour(0, 20), Jour(1, 8)), 4 * H, Ms);
  EXPECT_NEAR(c.DureeTravail(Jour(4, 20), Jour(7, 8)), 4 * H, Ms);
  EXPECT_NEAR(c.DureeTravail(Jour(0, 6), Jour(7, 6)), 5 * 16 * H, Ms);
  EXPECT_EQ(c.DureeTravail(Jour(1, 8), Jour(0, 20)), 0.0);
}

TEST(Calendrier, ChercherCreneauEtPeriode) {
  TCalendrier c;
  bool trouve = true;
  EXPECT_EQ(c.ChercherCreneau(2, 0.5, trouve), -3);
  EXPECT_FALSE(trouve);
  EXPECT_EQ(c.ChercherPeriode(Jour(0, 0), trouve), -3);
  SemaineDeuxEquipes(c);
  EXPECT_EQ(c.ChercherCreneau(2, 5 * H, trouve), 0);  // before Monday 06:00
  EXPECT_FALSE(trouve);
  EXPECT_EQ(c.ChercherCreneau(3, 23 * H, trouve), 3);  // Tuesday 22:00
  EXPECT_TRUE(trouve);
  c.AjouterPeriode({Jour(1, 0), Jour(1, 2), 0, 0, 0, 0});
  c.AjouterPeriode({Jour(2, 0), Jour(2, 2), 0, 0, 0, 0});
  EXPECT_EQ(c.ChercherPeriode(Jour(1, 1), trouve), 0);
  EXPECT_TRUE(trouve);
  EXPECT_EQ(c.ChercherPeriode(Jour(1, 5), trouve), 0);  // after the first, before the second
  EXPECT_FALSE(trouve);
  EXPECT_EQ(c.ChercherPeriode(Jour(0, 5), trouve), -3);
  EXPECT_FALSE(trouve);
}

TEST(Calendrier, FinCreneauDUnePeriodeDisparueBipeEtDonneMinuitSuivant) {
  TReponseurScripte messages;
  TCalendrier c;
  SemaineDeuxEquipes(c);
  bool bPeriode = true;
  EXPECT_EQ(c.FinCreneau(4, bPeriode, Jour(1, 9)), Jour(2, 0));
  EXPECT_FALSE(bPeriode);
  EXPECT_EQ(messages.NbBips(), 1);
}

// A week whose every slot is closed: the computation gives up, says so once per failure,
// and from the third failure on the calendar is ignored without a word.
TEST(Calendrier, SemaineToujoursFermeeAbandonneEtFinitParIgnorerLeCalendrier) {
  TReponseurScripte messages;
  TCalendrier c;
  c.NomLigne = QStringLiteral("Presse 1");
  for (int jour = 1; jour <= 7; ++jour) c.AjouterCreneau({static_cast<std::uint8_t>(jour), 0, 0, 0, 0, 0});

  EXPECT_NEAR(c.CalculDate(Jour(0, 8), 2 * H), Jour(0, 10), Ms);
  EXPECT_NEAR(c.CalculDate(Jour(0, 8), -2 * H), Jour(0, 6), Ms);
  EXPECT_EQ(c.NbEchecs, 2);
  EXPECT_NEAR(c.CalculDate(Jour(0, 8), H), Jour(0, 9), Ms);
  EXPECT_EQ(c.NbEchecs, 3);
  EXPECT_NEAR(c.CalculDate(Jour(0, 8), H), Jour(0, 9), Ms);  // silently now
  EXPECT_NEAR(c.DureeTravail(Jour(0, 8), Jour(0, 10)), 2 * H, Ms);
  EXPECT_EQ(messages.Textes(),
            (QStringList{
                QString::fromUtf8("Erreur : boucle 1 sans fin dans CalculDate (ligne=\"Presse 1\")"),
                QString::fromUtf8("Erreur : boucle 2 sans fin dans CalculDate (ligne=\"Presse 1\")"),
                QString::fromUtf8("Erreur : boucle 1 sans fin dans CalculDate (ligne=\"Presse 1\")"),
                QString::fromUtf8("Le calendrier de la ligne \"Presse 1\" est ignoré.")}));

  // Reloading a slot gives the calendar a new chance.
  c.AjouterCreneau({2, 6 * H, 100, 0, 0, 0}, 1);
  EXPECT_EQ(c.NbEchecs, 0);
}

// Bad calendars never hang: unsorted slots, dates at the ends of the range.
TEST(Calendrier, DonneesAberrantesSeTerminent) {
  TReponseurScripte messages;
  TCalendrier desordre;
  desordre.AjouterCreneau({6, 22 * H, 0, 0, 0, 0});
  desordre.AjouterCreneau({2, 6 * H, 100, 0, 0, 0});
  desordre.AjouterCreneau({4, 12 * H, 0, 0, 0, 0});
  desordre.AjouterCreneau({3, 1 * H, 100, 0, 0, 0});
  for (TDateTime d : {Jour(0, 8), Jour(2, 13), Jour(5, 3)}) {
    for (double duree : {0.0, 4 * H, -4 * H, 10.0}) {
      const TDateTime r = desordre.CalculDate(d, duree);
      EXPECT_TRUE(std::isfinite(r));
    }
    EXPECT_GE(desordre.DureeTravail(d, d + 3), 0.0);
  }
  TCalendrier c;
  SemaineDeuxEquipes(c);
  EXPECT_NEAR(c.CalculDate(0, 0), 2 + 6 * H, Ms);  // 30/12/1899 was a Saturday
  EXPECT_TRUE(std::isfinite(c.CalculDate(DateHeure::SansLimite, 4 * H)));
  EXPECT_TRUE(std::isfinite(c.CalculDate(DateHeure::SansLimite, -4 * H)));
}

}  // namespace
