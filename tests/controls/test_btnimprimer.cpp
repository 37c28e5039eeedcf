#include <gtest/gtest.h>

#include <QMenu>
#include <QToolButton>

#include "controls/btnimprimerfleche.h"
#include "outils.h"

namespace {

class BtnImprimer : public ::testing::Test {
 protected:
  void SetUp() override {
    Appli();
    TBtnImprimerFleche::SetLecteurImprimante([] { return QString(); });
  }
  void TearDown() override { TBtnImprimerFleche::SetLecteurImprimante(nullptr); }
};

struct Choix {
  int n = 0;
  bool directe = false, liste = false;
  void Brancher(TBtnImprimerFleche& b) {
    b.OnClickMenu = [this](TBtnImprimerFleche*, bool d, bool l) { ++n; directe = d; liste = l; };
  }
};

QAction* Entree(QMenu* m, const QString& texte) {
  for (QAction* a : m->actions())
    if (a->text() == texte) return a;
  return nullptr;
}

// Clicks an entry of a shown menu with the mouse.
void Cliquer(QMenu* m, QAction* a) {
  ASSERT_NE(a, nullptr);
  QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
}

// Opens the menu with a click on the arrow part; nullptr when it does not show.
QMenu* OuvrirMenu(TBtnImprimerFleche& b) {
  QTest::mouseClick(b.PartieFleche(), Qt::LeftButton);
  QMenu* menu = b.Menu();
  if (!menu || !Attendre([&] { return menu->isVisible(); })) return nullptr;
  return menu;
}

}  // namespace

TEST_F(BtnImprimer, PartiesEtValeursParDefaut) {
  TBtnImprimerFleche b;
  EXPECT_EQ(b.size(), QSize(75, 25));
  EXPECT_EQ(b.Caption(), QString("Imprimer"));
  EXPECT_EQ(b.PartiePrincipale()->geometry(), QRect(0, 0, 62, 25));
  EXPECT_EQ(b.PartieFleche()->geometry(), QRect(62, 0, 13, 25));
  EXPECT_EQ(b.TypeImpression(), tiListe);
  EXPECT_EQ(b.ImpressionDefaut(), tiListeApercu);
  EXPECT_EQ(b.NumGlyphs(), 2);
  EXPECT_FALSE(b.Glyph().isNull());
  QPixmap autre(16, 16);
  autre.fill(Qt::red);
  b.SetGlyph(autre);
  EXPECT_EQ(b.NumGlyphs(), 1);
  b.SetGlyph(QPixmap());
  EXPECT_EQ(b.NumGlyphs(), 2);
  ASSERT_TRUE(Montrer(b));
  b.resize(120, 30);
  EXPECT_EQ(b.PartieFleche()->geometry(), QRect(107, 0, 13, 30));

  b.SetEnabledBoutons(false);
  EXPECT_FALSE(b.PartiePrincipale()->isEnabled());
  EXPECT_FALSE(b.PartieFleche()->isEnabled());
  b.SetEnabledBoutons(true);
  b.setEnabled(false);
  EXPECT_FALSE(b.PartieFleche()->isEnabled());
  b.setEnabled(true);
  EXPECT_TRUE(b.PartieFleche()->isEnabled());
}

TEST_F(BtnImprimer, ChoixDuMenuDevientLeDefaut) {
  TBtnImprimerFleche b;
  b.SetTypeImpression(tiListe | tiFiche);
  ASSERT_TRUE(Montrer(b));
  Choix choix;
  choix.Brancher(b);
  QMenu* menu = OuvrirMenu(b);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QString("Fiche"));
  QAction* liste = Entree(menu, "Liste");
  ASSERT_NE(liste, nullptr);
  QMenu* sousMenu = liste->menu();
  ASSERT_NE(sousMenu, nullptr);
  Cliquer(menu, liste);  // opens the submenu
  ASSERT_TRUE(Attendre([&] { return sousMenu->isVisible(); }));
  Cliquer(sousMenu, Entree(sousMenu, "Impression directe"));
  EXPECT_EQ(choix.n, 1);
  EXPECT_TRUE(choix.directe);
  EXPECT_TRUE(choix.liste);
  EXPECT_EQ(b.ImpressionDefaut(), tiListeImpression);
  ASSERT_TRUE(Attendre([&] { return b.Menu() == nullptr; }));  // the menu is emptied

  // A later click on the main part prints the list directly.
  QTest::mouseClick(b.PartiePrincipale(), Qt::LeftButton);
  EXPECT_EQ(choix.n, 2);
  EXPECT_TRUE(choix.directe);
  EXPECT_TRUE(choix.liste);
  EXPECT_TRUE(b.ImpressionDirecte());
  EXPECT_TRUE(b.ImpressionListe());
}

TEST_F(BtnImprimer, MenuSimple) {
  TBtnImprimerFleche b;
  b.SetTypeImpression(tiFiche);
  ASSERT_TRUE(Montrer(b));
  Choix choix;
  choix.Brancher(b);
  QMenu* menu = OuvrirMenu(b);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QString("Impression directe"));
  EXPECT_EQ(menu->actions()[1]->text(), QString::fromUtf8("Aperçu"));
  Cliquer(menu, menu->actions()[0]);
  EXPECT_EQ(choix.n, 1);
  EXPECT_TRUE(choix.directe);
  EXPECT_FALSE(choix.liste);
  EXPECT_EQ(b.ImpressionDefaut(), tiFicheImpression);
}

TEST_F(BtnImprimer, DefautSelonLeTypeEtBulle) {
  TBtnImprimerFleche b;
  b.SetTypeImpression(tiFiche);
  EXPECT_EQ(b.ImpressionDefaut(), tiFicheApercu);
  b.SetImpressionDefaut(tiListeImpression);  // refused
  EXPECT_EQ(b.ImpressionDefaut(), tiFicheApercu);
  b.SetImpressionDefaut(tiFicheImpression);
  EXPECT_EQ(b.ImpressionDefaut(), tiFicheImpression);
  b.SetTypeImpression(tiListe | tiFiche);
  EXPECT_EQ(b.ImpressionDefaut(), tiListeApercu);

  struct Cas { TImpressionDefaut defaut; const char* bulle; };
  const Cas cas[] = {{tiListeApercu, "Aperçu de la liste"},
                     {tiFicheApercu, "Aperçu d'une fiche"},
                     {tiListeImpression, "Impression directe de la liste"},
                     {tiFicheImpression, "Impression directe d'une fiche"}};
  for (const Cas& c : cas) {
    b.SetImpressionDefaut(c.defaut);
    EXPECT_EQ(b.Hint(), QString::fromUtf8(c.bulle));
  }
  TBtnImprimerFleche::SetLecteurImprimante([] { return QString("Atelier-Laser"); });
  EXPECT_EQ(b.Hint(), QString::fromUtf8("Impression directe d'une fiche\nImprimante : Atelier-Laser"));
  b.SetHintDefaut("Imprimer la fiche");
  EXPECT_EQ(b.Hint(), QString("Imprimer la fiche"));
}
