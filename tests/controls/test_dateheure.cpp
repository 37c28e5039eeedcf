#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "base/messages.h"
#include "base/reponseurscripte.h"
#include "controls/dateheure.h"
#include "outils.h"

using namespace DateHeure;

namespace {

// A fixed clock for "today" and "now": 14 March 2026 at 09:41:30.
TDateTime Horloge() { return EncodeDateHeure(2026, 3, 14, 9, 41, 30); }

class DateHeureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Appli();
    FixerHorloge(&Horloge);
  }
  void TearDown() override { FixerHorloge(nullptr); }
};

QString Texte(TDateTime dt) { return FormatDateHeure(dt); }

}  // namespace

TEST_F(DateHeureTest, GrilleDuMois) {
  struct Cas {
    int annee, mois;
    TJourSemaineNom debut;
    int colonne1, decalage;
    QPoint dernier;  // cell of the month's last day
  };
  const Cas cas[] = {
      // June 2026 begins on a Monday: first column of the first row.
      {2026, 6, Mon, 0, 1, QPoint(1, 5)},
      // February 2026 begins on a Sunday: last column with a Monday start.
      {2026, 2, Mon, 6, -5, QPoint(5, 5)},
      // ...and first column with a Sunday start.
      {2026, 2, Sun, 0, 1, QPoint(6, 4)},
      // March 2026 begins on a Sunday as well and runs over six rows.
      {2026, 3, Mon, 6, -5, QPoint(1, 6)},
      // January 2026 begins on a Thursday.
      {2026, 1, Mon, 3, -2, QPoint(5, 5)},
      {2026, 1, Sat, 5, -4, QPoint(0, 6)},
  };
  for (const Cas& c : cas) {
    TMonCalendrier cal;
    cal.SetStartOfWeek(c.debut);
    cal.SetCalendarDate(EncodeDate(c.annee, c.mois, 1));
    SCOPED_TRACE(testing::Message() << c.mois << "/" << c.annee << " debut " << c.debut);
    EXPECT_EQ(cal.DecalageMois(), c.decalage);
    EXPECT_EQ(cal.CelluleDuJour(1), QPoint(c.colonne1, 1));
    EXPECT_EQ(cal.CelluleCourante(), QPoint(c.colonne1, 1));
    const int dernier = QDate(c.annee, c.mois, 1).daysInMonth();
    EXPECT_EQ(cal.CelluleDuJour(dernier), c.dernier);
    EXPECT_EQ(cal.JourDeCellule(c.dernier.x(), c.dernier.y()), dernier);
    // Cells before day 1 and after the last day are empty.
    if (c.colonne1 > 0) EXPECT_EQ(cal.JourDeCellule(c.colonne1 - 1, 1), 0);
    if (c.dernier.x() < 6) EXPECT_EQ(cal.JourDeCellule(c.dernier.x() + 1, c.dernier.y()), 0);
  }
}

TEST_F(DateHeureTest, ProprietesJourMoisAnnee) {
  TMonCalendrier cal;
  EXPECT_EQ(cal.CalendarDate(), EncodeDate(2026, 3, 14));
  EXPECT_TRUE(cal.UseCurrentDate());
  int changes = 0;
  cal.OnChange = [&](TMonCalendrier*) { ++changes; };
  struct Cas {
    std::function<void(TMonCalendrier&)> action;
    TDateTime attendu;
    int changes;
  };
  const Cas cas[] = {
      {[](TMonCalendrier& c) { c.SetDay(0); }, EncodeDate(2026, 3, 14), 0},
      {[](TMonCalendrier& c) { c.SetDay(32); }, EncodeDate(2026, 3, 14), 0},
      {[](TMonCalendrier& c) { c.SetDay(14); }, EncodeDate(2026, 3, 14), 0},
      {[](TMonCalendrier& c) { c.SetMonth(13); }, EncodeDate(2026, 3, 14), 0},
      {[](TMonCalendrier& c) { c.SetDay(31); }, EncodeDate(2026, 3, 31), 1},
      // A month without a 31st takes its last day.
      {[](TMonCalendrier& c) { c.SetMonth(4); }, EncodeDate(2026, 4, 30), 1},
      {[](TMonCalendrier& c) { c.SetDay(31); }, EncodeDate(2026, 4, 30), 0},
      {[](TMonCalendrier& c) { c.SetCalendarDate(EncodeDateHeure(2024, 2, 29, 17, 5)); },
       EncodeDate(2024, 2, 29), 1},
      {[](TMonCalendrier& c) { c.SetYear(2025); }, EncodeDate(2025, 2, 28), 1},
      {[](TMonCalendrier& c) { c.SetYear(0); }, EncodeDate(2025, 2, 28), 0},
  };
  for (const Cas& c : cas) {
    changes = 0;
    c.action(cal);
    EXPECT_EQ(cal.CalendarDate(), c.attendu) << FormatDate(cal.CalendarDate()).toStdString();
    EXPECT_EQ(changes, c.changes);
  }
  EXPECT_FALSE(cal.UseCurrentDate());
  cal.SetUseCurrentDate(true);
  EXPECT_EQ(cal.CalendarDate(), EncodeDate(2026, 3, 14));
}

TEST_F(DateHeureTest, CalendrierSourisEtClavier) {
  TMonCalendrier cal;
  cal.resize(148, 106);
  cal.SetCalendarDate(EncodeDate(2026, 3, 1));  // a Sunday: column 6 of row 1
  ASSERT_TRUE(Montrer(cal));
  // A click on the cell of 10 March (Tuesday, row 3, column 1).
  QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.RectCellule(1, 3).center());
  EXPECT_EQ(cal.Day(), 10);
  // An empty cell, and the header, change nothing.
  QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.RectCellule(0, 1).center());
  QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.RectCellule(3, 0).center());
  EXPECT_EQ(cal.Day(), 10);
  cal.SetReadOnly(true);
  QTest::mouseClick(&cal, Qt::LeftButton, {}, cal.RectCellule(2, 3).center());
  QTest::keyClick(&cal, Qt::Key_Right);
  EXPECT_EQ(cal.Day(), 10);
  cal.SetReadOnly(false);

  struct Cas {
    TDateTime depart;
    Qt::Key touche;
    Qt::KeyboardModifiers modifs;
    TDateTime attendu;
  };
  const Cas cas[] = {
      {EncodeDate(2026, 3, 1), Qt::Key_Left, Qt::NoModifier, EncodeDate(2026, 2, 28)},
      {EncodeDate(2026, 3, 31), Qt::Key_Right, Qt::NoModifier, EncodeDate(2026, 4, 1)},
      {EncodeDate(2025, 12, 31), Qt::Key_Plus, Qt::KeypadModifier, EncodeDate(2026, 1, 1)},
      {EncodeDate(2026, 1, 1), Qt::Key_Minus, Qt::KeypadModifier, EncodeDate(2025, 12, 31)},
      {EncodeDate(2020, 5, 5), Qt::Key_T, Qt::NoModifier, EncodeDate(2026, 3, 14)},
      // With Shift the arrows keep to the grid: no leaving the month.
      {EncodeDate(2026, 3, 1), Qt::Key_Left, Qt::ShiftModifier, EncodeDate(2026, 3, 1)},
      {EncodeDate(2026, 3, 10), Qt::Key_Down, Qt::NoModifier, EncodeDate(2026, 3, 17)},
      {EncodeDate(2026, 3, 3), Qt::Key_Up, Qt::NoModifier, EncodeDate(2026, 3, 3)},
  };
  for (const Cas& c : cas) {
    cal.SetCalendarDate(c.depart);
    QTest::keyClick(&cal, c.touche, c.modifs);
    EXPECT_EQ(cal.CalendarDate(), c.attendu) << FormatDate(c.depart).toStdString() << " key " << c.touche;
  }
}

TEST_F(DateHeureTest, PeintureDuCalendrier) {
  TMonCalendrier cal;
  cal.resize(148, 106);
  cal.SetCalendarDate(EncodeDate(2026, 3, 10));
  const QImage img = cal.grab().toImage();
  // Sunday 1 March (weekend, column 6) has red text; the selected cell is highlighted.
  auto contientCouleur = [&](QRect r, QColor c) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (img.pixelColor(x, y) == c) return true;
    return false;
  };
  EXPECT_TRUE(contientCouleur(cal.RectCellule(6, 1), QColor(255, 0, 0)));
  EXPECT_FALSE(contientCouleur(cal.RectCellule(5, 1), QColor(255, 0, 0)));
  const QColor surbrillance = Rvb(cal.palette().color(QPalette::Highlight));
  EXPECT_EQ(img.pixelColor(cal.RectCellule(1, 3).topLeft() + QPoint(1, 1)), surbrillance);
  EXPECT_NE(img.pixelColor(cal.RectCellule(2, 3).topLeft() + QPoint(1, 1)), surbrillance);
}

TEST_F(DateHeureTest, BoutonsDuPanneau) {
  struct Cas {
    TDateTime depart;
    const char* bouton;
    TDateTime attendu;
  };
  const Cas cas[] = {
      {EncodeDateHeure(2026, 1, 31, 10, 0), "Mois suivant", EncodeDateHeure(2026, 2, 28, 10, 0)},
      {EncodeDateHeure(2024, 1, 31, 10, 0), "Mois suivant", EncodeDateHeure(2024, 2, 29, 10, 0)},
      {EncodeDateHeure(2026, 3, 31, 10, 0), "Mois précédant", EncodeDateHeure(2026, 2, 28, 10, 0)},
      {EncodeDateHeure(2025, 12, 15, 10, 0), "Mois suivant", EncodeDateHeure(2026, 1, 15, 10, 0)},
      {EncodeDateHeure(2026, 1, 15, 10, 0), "Mois précédant", EncodeDateHeure(2025, 12, 15, 10, 0)},
      {EncodeDateHeure(2024, 2, 29, 10, 0), "Année suivante", EncodeDateHeure(2025, 2, 28, 10, 0)},
      {EncodeDateHeure(2024, 2, 29, 10, 0), "Année précédante", EncodeDateHeure(2023, 2, 28, 10, 0)},
      {EncodeDateHeure(2026, 3, 14, 23, 59), "Minute suivante", EncodeDateHeure(2026, 3, 15, 0, 0)},
      {EncodeDateHeure(2026, 3, 14, 10, 59), "Minute suivante", EncodeDateHeure(2026, 3, 14, 11, 0)},
      {EncodeDateHeure(2026, 3, 1, 0, 0), "Minute précédante", EncodeDateHeure(2026, 2, 28, 23, 59)},
      {EncodeDateHeure(2026, 3, 14, 11, 0), "Minute précédante", EncodeDateHeure(2026, 3, 14, 10, 59)},
      {EncodeDateHeure(2026, 3, 14, 0, 0), "Heure précédante", EncodeDateHeure(2026, 3, 13, 23, 0)},
      {EncodeDateHeure(2026, 12, 31, 23, 30), "Heure suivante", EncodeDateHeure(2027, 1, 1, 0, 30)},
      {EncodeDateHeure(2026, 3, 14, 7, 30), "Heure suivante", EncodeDateHeure(2026, 3, 14, 8, 30)},
  };
  TCustomDateHeure panneau;
  ASSERT_TRUE(Montrer(panneau));
  for (const Cas& c : cas) {
    panneau.SetDate(c.depart);
    QToolButton* b = panneau.BoutonPas(QString::fromUtf8(c.bouton));
    ASSERT_NE(b, nullptr) << c.bouton;
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.bouton));
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(Texte(panneau.Date()), Texte(c.attendu)) << Texte(c.depart).toStdString() << " " << c.bouton;
  }
  // The labels follow.
  panneau.SetDate(EncodeDateHeure(2026, 1, 5, 7, 5));
  EXPECT_EQ(panneau.LabelDate()->text(), QString::fromUtf8("5 janv. 2026"));
  EXPECT_EQ(panneau.LabelHeure()->text(), QString("07:05"));
}

TEST_F(DateHeureTest, DispositionDuPanneau) {
  TCustomDateHeure panneau;
  EXPECT_EQ(panneau.size(), QSize(298, 140));
  EXPECT_EQ(panneau.Calendrier()->geometry(), QRect(1, 17, 148, 106));
  EXPECT_EQ(panneau.Horloge()->geometry(), QRect(172, 17, 101, 101));
  EXPECT_EQ(panneau.BoutonMaintenant()->geometry(), QRect(1, 123, 98, 16));
  EXPECT_EQ(panneau.BoutonValider()->geometry(), QRect(99, 123, 98, 16));
  EXPECT_EQ(panneau.BoutonAnnuler()->geometry(), QRect(197, 123, 100, 16));
  EXPECT_EQ(panneau.BoutonPas(QString::fromUtf8("Année précédante"))->geometry().x(), 1);
  EXPECT_EQ(panneau.BoutonPas(QString::fromUtf8("Heure suivante"))->geometry().x(), 281);
  EXPECT_EQ(panneau.LabelDate()->geometry(), QRect(33, 1, 84, 16));
  EXPECT_FALSE(panneau.BoutonPas("Mois suivant")->icon().isNull());
}

TEST_F(DateHeureTest, ValiderAnnulerMaintenant) {
  TCustomDateHeure panneau;
  ASSERT_TRUE(Montrer(panneau));
  QList<std::pair<bool, TDateTime>> fermetures;
  panneau.OnFermer = [&](TCustomDateHeure*, bool v, TDateTime dt) { fermetures.append({v, dt}); };
  panneau.SetDate(EncodeDateHeure(2026, 6, 2, 8, 15));
  QTest::mouseClick(panneau.BoutonValider(), Qt::LeftButton);
  QTest::mouseClick(panneau.BoutonAnnuler(), Qt::LeftButton);
  panneau.Calendrier()->setFocus();
  QTest::keyClick(panneau.Calendrier(), Qt::Key_Return);
  QTest::keyClick(panneau.Calendrier(), Qt::Key_Escape);
  QTest::mouseDClick(panneau.Calendrier(), Qt::LeftButton, {}, panneau.Calendrier()->RectCellule(3, 2).center());
  ASSERT_EQ(fermetures.size(), 5);
  EXPECT_TRUE(fermetures[0].first);
  EXPECT_FALSE(fermetures[1].first);
  EXPECT_TRUE(fermetures[2].first);
  EXPECT_FALSE(fermetures[3].first);
  EXPECT_TRUE(fermetures[4].first);
  EXPECT_EQ(Texte(fermetures[0].second), Texte(EncodeDateHeure(2026, 6, 2, 8, 15)));
  // The double click chose Thursday 11 June (row 2, column 3) first.
  EXPECT_EQ(Texte(fermetures[4].second), Texte(EncodeDateHeure(2026, 6, 11, 8, 15)));

  QTest::mouseClick(panneau.BoutonMaintenant(), Qt::LeftButton);
  EXPECT_EQ(Texte(panneau.Date()), Texte(EncodeDateHeure(2026, 3, 14, 9, 41)));
  panneau.SetDate(EncodeDateHeure(2020, 1, 1, 1, 1));
  QTest::mouseDClick(panneau.LabelHeure(), Qt::LeftButton);
  EXPECT_EQ(Texte(panneau.Date()), Texte(EncodeDateHeure(2026, 3, 14, 9, 41)));

  // 0 is today at midnight; an impossible date is ignored.
  panneau.SetDate(0);
  EXPECT_EQ(panneau.Date(), EncodeDate(2026, 3, 14));
  panneau.SetDate(EncodeDateHeure(2026, 7, 1, 12, 0));
  panneau.SetDate(std::nan(""));
  panneau.SetDate(1e9);
  EXPECT_EQ(Texte(panneau.Date()), Texte(EncodeDateHeure(2026, 7, 1, 12, 0)));

  // Other keys on the panel itself beep.
  TReponseurScripte reponses;
  panneau.setFocus();
  QTest::keyClick(&panneau, Qt::Key_X);
  EXPECT_EQ(reponses.NbBips(), 1);
}

namespace {

// The point of the clock face at a given dial angle (degrees clockwise from 12 o'clock).
QPoint SurLeCadran(const TMonHorloge& h, double degres, double distance) {
  const double t = (degres - 90) * std::numbers::pi / 180;
  return h.PointSur(t, distance);
}

}  // namespace

TEST_F(DateHeureTest, AiguillesGlissees) {
  struct Cas {
    int heure, minute;
    bool aiguilleHeures;
    QList<double> angles;  // dial positions passed by the drag, in order
    int attHeure, attMinute, attJour;
  };
  const Cas cas[] = {
      // The minute hand from 58 past 12 o'clock to 2, at 23:58: 00:02 the next day.
      {23, 58, false, {354, 6, 12}, 0, 2, 1},
      // Back from 3 past to 55 past at 00:03: 23:55 the day before.
      {0, 3, false, {18, 354, 333}, 23, 55, -1},
      // Within the hour: no carry.
      {10, 10, false, {90, 180}, 10, 30, 0},
      {10, 50, false, {354, 9}, 11, 1, 0},
      // The hour hand forward past 12 o'clock in the evening: the next morning.
      {23, 0, true, {330, 15, 60}, 2, 0, 1},
      // ...and in the morning: the afternoon of the same day.
      {11, 0, true, {330, 30}, 13, 0, 0},
      // Backward past 12 o'clock in the night: the evening before.
      {1, 0, true, {30, 330, 300}, 22, 0, -1},
      {13, 0, true, {30, 330}, 11, 0, 0},
      // Within a half-day the hour keeps its half.
      {14, 0, true, {60, 150}, 17, 0, 0},
  };
  for (const Cas& c : cas) {
    TMonHorloge h;
    h.resize(101, 101);
    ASSERT_TRUE(Montrer(h));
    h.SetHeure(c.heure);
    h.SetMinute(c.minute);
    int jour = 0, changements = 0;
    h.OnChangeJour = [&](TMonHorloge*, int s) { jour += s; };
    h.OnChange = [&](TMonHorloge*) { ++changements; };
    // Grab the hour hand halfway along it, the minute hand beyond the hour hand's tip.
    const QPoint prise = c.aiguilleHeures ? SurLeCadran(h, (c.heure % 12) * 30 + c.minute / 2.0, 20)
                                          : SurLeCadran(h, c.minute * 6, 42);
    QTest::mousePress(&h, Qt::LeftButton, {}, prise);
    ASSERT_EQ(h.AiguilleSaisie(), c.aiguilleHeures ? TMonHorloge::aiHeures : TMonHorloge::aiMinutes)
        << c.heure << ":" << c.minute;
    for (double a : c.angles) {
      QMouseEvent e(QEvent::MouseMove, SurLeCadran(h, a, 40), h.mapToGlobal(SurLeCadran(h, a, 40)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&h, &e);
    }
    QTest::mouseRelease(&h, Qt::LeftButton, {}, SurLeCadran(h, c.angles.last(), 40));
    SCOPED_TRACE(testing::Message() << c.heure << ":" << c.minute);
    EXPECT_EQ(h.Heure(), c.attHeure);
    EXPECT_EQ(h.Minute(), c.attMinute);
    EXPECT_EQ(jour, c.attJour);
    EXPECT_EQ(changements, c.angles.size());
    EXPECT_EQ(h.AiguilleSaisie(), TMonHorloge::aiAucune);
  }
}

TEST_F(DateHeureTest, PriseDesAiguilles) {
  TMonHorloge h;
  h.resize(101, 101);
  ASSERT_TRUE(Montrer(h));
  h.SetHeure(3);   // hour hand towards 3 o'clock
  h.SetMinute(0);  // minute hand towards 12 o'clock
  struct Cas { QPoint point; TMonHorloge::TAiguille attendue; };
  const Cas cas[] = {
      {QPoint(51, 49), TMonHorloge::aiCentre},
      {QPoint(70, 53), TMonHorloge::aiHeures},    // 3 pixels off the hour hand
      {QPoint(70, 57), TMonHorloge::aiAucune},    // 7 pixels off
      {QPoint(54, 20), TMonHorloge::aiMinutes},
      {QPoint(50, 97), TMonHorloge::aiAucune},    // the other side of the centre
  };
  for (const Cas& c : cas) {
    QTest::mousePress(&h, Qt::LeftButton, {}, c.point);
    EXPECT_EQ(h.AiguilleSaisie(), c.attendue) << c.point.x() << "," << c.point.y();
    QTest::mouseRelease(&h, Qt::LeftButton, {}, c.point);
  }
  // The panel's clock carries the day into the calendar.
  TCustomDateHeure panneau;
  ASSERT_TRUE(Montrer(panneau));
  panneau.SetDate(EncodeDateHeure(2026, 2, 28, 23, 58));
  TMonHorloge* hp = panneau.Horloge();
  QTest::mousePress(hp, Qt::LeftButton, {}, SurLeCadran(*hp, 58 * 6, 42));
  ASSERT_EQ(hp->AiguilleSaisie(), TMonHorloge::aiMinutes);
  for (double a : {354.0, 12.0}) {
    QMouseEvent e(QEvent::MouseMove, SurLeCadran(*hp, a, 40), hp->mapToGlobal(SurLeCadran(*hp, a, 40)),
                  Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(hp, &e);
  }
  QTest::mouseRelease(hp, Qt::LeftButton);
  EXPECT_EQ(Texte(panneau.Date()), Texte(EncodeDateHeure(2026, 3, 1, 0, 2)));
  EXPECT_EQ(panneau.LabelHeure()->text(), QString("00:02"));
}

TEST_F(DateHeureTest, ProprietesDeLHorloge) {
  TMonHorloge h;
  h.SetHeure(25);
  h.SetMinute(-1);
  EXPECT_EQ(h.Heure(), 1);
  EXPECT_EQ(h.Minute(), 59);
  h.SetHorlogeHeure(EncodeDateHeure(2026, 3, 3, 17, 45, 59));
  EXPECT_EQ(h.Heure(), 17);
  EXPECT_EQ(h.Minute(), 45);
  EXPECT_DOUBLE_EQ(h.HorlogeHeure(), EncodeTime(17, 45));
  // Painting: the hour hand is grey along its length.
  h.SetHorlogeHeure(EncodeTime(3, 0));
  h.resize(101, 101);
  const QImage img = h.grab().toImage();
  EXPECT_EQ(img.pixelColor(h.PointSur(0, 20)), QColor(128, 128, 128));
  EXPECT_EQ(img.pixelColor(h.PointSur(-std::numbers::pi / 2, 4)), QColor(192, 192, 192));
}

TEST_F(DateHeureTest, BoiteDateHeure) {
  QWidget fenetre;
  fenetre.resize(300, 200);
  TComboDateHeure* boite = new TComboDateHeure(&fenetre);
  boite->setGeometry(150, 150, 130, 22);
  // A box created without a value takes the current date and time.
  EXPECT_EQ(boite->DateHeure(), Horloge());
  EXPECT_EQ(boite->text(), QString("14/03/2026 09:41"));
  ASSERT_TRUE(Montrer(fenetre));
  EXPECT_EQ(boite->BoutonDeroulant()->geometry(), QRect(110, 2, 16, 18));

  boite->SetDateHeure(0);
  EXPECT_EQ(boite->text(), QString::fromUtf8("(non défini)"));
  int modifs = 0, annulations = 0;
  boite->OnModif = [&](TComboDateHeure*) { ++modifs; };
  boite->OnAnnuleModif = [&](TComboDateHeure*) { ++annulations; };

  // Opening shows today at 00:00.
  QTest::mouseClick(boite->BoutonDeroulant(), Qt::LeftButton);
  ASSERT_TRUE(boite->PopupOuvert());
  EXPECT_EQ(modifs, 1);
  TCustomDateHeure* panneau = boite->Popup()->Panneau();
  EXPECT_EQ(panneau->Date(), EncodeDate(2026, 3, 14));
  // Page Down goes one month on, Ctrl+Page Up one year back.
  QTest::keyClick(panneau->Calendrier(), Qt::Key_PageDown);
  QTest::keyClick(panneau->Calendrier(), Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(panneau->Date(), EncodeDate(2025, 4, 14));
  // "Annuler": nothing changes.
  QTest::mouseClick(panneau->BoutonAnnuler(), Qt::LeftButton);
  EXPECT_FALSE(boite->PopupOuvert());
  EXPECT_EQ(annulations, 1);
  EXPECT_EQ(boite->DateHeure(), 0);
  EXPECT_EQ(modifs, 1);

  // "Valider": the value is stored, then OnModif once more.
  boite->SetDateHeure(EncodeDateHeure(2026, 5, 20, 6, 30));
  QTest::mouseClick(boite->BoutonDeroulant(), Qt::LeftButton);
  ASSERT_TRUE(boite->PopupOuvert());
  EXPECT_EQ(Texte(panneau->Date()), QString("20/05/2026 06:30"));
  EXPECT_EQ(modifs, 2);
  double vuDansModif = -1;
  boite->OnModif = [&](TComboDateHeure* b) { ++modifs; vuDansModif = b->DateHeure(); };
  QTest::mouseClick(panneau->BoutonPas(QString::fromUtf8("Heure suivante")), Qt::LeftButton);
  QTest::mouseClick(panneau->BoutonValider(), Qt::LeftButton);
  EXPECT_FALSE(boite->PopupOuvert());
  EXPECT_EQ(modifs, 3);
  EXPECT_EQ(Texte(vuDansModif), QString("20/05/2026 07:30"));
  EXPECT_EQ(boite->text(), QString("20/05/2026 07:30"));
  EXPECT_EQ(annulations, 1);

  // A click elsewhere closes it: a cancel.
  QTest::mouseClick(boite->BoutonDeroulant(), Qt::LeftButton);
  ASSERT_TRUE(boite->PopupOuvert());
  QTest::mouseClick(boite->Popup(), Qt::LeftButton, {}, QPoint(-50, -50));
  ASSERT_TRUE(Attendre([&] { return !boite->PopupOuvert(); }));
  EXPECT_EQ(annulations, 2);
  EXPECT_EQ(boite->text(), QString("20/05/2026 07:30"));

  // The pop-up covers the box: a second click on the box's button while open reaches it
  // only when the screen edges pushed the pop-up aside; it then closes the pop-up alone.
  QTest::mouseClick(boite->BoutonDeroulant(), Qt::LeftButton);
  ASSERT_TRUE(boite->PopupOuvert());
  const int modifsAvant = modifs;
  QTest::mouseClick(boite->BoutonDeroulant(), Qt::LeftButton);
  EXPECT_FALSE(boite->PopupOuvert());
  EXPECT_EQ(modifs, modifsAvant);
  EXPECT_EQ(annulations, 3);
}

TEST_F(DateHeureTest, PlacementDuPopup) {
  const QRect ecran(0, 0, 1024, 768);
  const QSize taille(298, 140);
  struct Cas { QPoint boite, attendu; };
  const Cas cas[] = {
      {QPoint(300, 300), QPoint(290, 200)},
      {QPoint(5, 50), QPoint(0, 0)},
      {QPoint(900, 700), QPoint(1024 - 298, 600)},
      {QPoint(900, 900), QPoint(1024 - 298, 768 - 140)},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(TComboDateHeure::PlacerPopup(c.boite, taille, ecran), c.attendu);
}
