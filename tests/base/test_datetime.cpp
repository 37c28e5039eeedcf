#include <gtest/gtest.h>

#include "base/datetime.h"

using namespace DateHeure;

TEST(DateHeure, OrigineEtJourDeLaSemaine) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(JourSemaine(0.0), 7);                       // a Saturday
  EXPECT_EQ(JourSemaine(EncodeDate(2026, 12, 13)), 1);  // Sunday
  EXPECT_EQ(JourSemaine(EncodeDate(2026, 12, 14) + 0.99), 2);
  EXPECT_EQ(JourSemaine(EncodeDate(2026, 12, 19)), 7);
}

TEST(DateHeure, IntEtFrac) {
  EXPECT_EQ(Int(45000.75), 45000.0);
  EXPECT_DOUBLE_EQ(Frac(45000.75), 0.75);
}

TEST(DateHeure, AllerRetourQDateTime) {
  const TDateTime d = EncodeDateHeure(2026, 12, 15, 7, 59, 0, 384);
  const QDateTime q = VersQDateTime(d);
  EXPECT_EQ(q.date(), QDate(2026, 12, 15));
  EXPECT_EQ(q.time(), QTime(7, 59, 0, 384));
  EXPECT_NEAR(DepuisQDateTime(q), d, 1e-9);
  // A value a hair below 08:00 reads as 08:00, not 07:59:59.
  EXPECT_EQ(VersQDateTime(EncodeDateHeure(2026, 12, 15, 8, 0) - 1e-12).time(), QTime(8, 0));
}

TEST(DateHeure, FormatsCourtsEtDatesVides) {
  const TDateTime d = EncodeDateHeure(2009, 12, 31, 22, 5);
  EXPECT_EQ(FormatDate(d), "31/12/2009");
  EXPECT_EQ(FormatDateHeure(d), "31/12/2009 22:05");
  EXPECT_EQ(FormatHeure(d), "22:05");
  for (TDateTime vide : {0.0, -3.0, 999999.0, 1000000.5}) {
    EXPECT_TRUE(FormatDate(vide).isEmpty()) << vide;
    EXPECT_TRUE(FormatDateHeure(vide).isEmpty()) << vide;
  }
}

TEST(DateHeure, NomsFrancais) {
  EXPECT_EQ(NomJour(1), "dimanche");
  EXPECT_EQ(NomJour(2), "lundi");
  EXPECT_EQ(NomMois(2), QString::fromUtf8("février"));
  EXPECT_EQ(NomMois(12), QString::fromUtf8("décembre"));
  EXPECT_TRUE(NomMois(13).isEmpty());
}

namespace {
TDateTime HorlogeFixe() { return 46000.5; }
}  // namespace

TEST(DateHeure, HorlogeRemplacable) {
  FixerHorloge(&HorlogeFixe);
  EXPECT_EQ(Maintenant(), 46000.5);
  EXPECT_EQ(Aujourdhui(), 46000.0);
  FixerHorloge(nullptr);
  EXPECT_GT(Maintenant(), 46000.0);  // the real clock is well past 2025
}
