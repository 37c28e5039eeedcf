#include <gtest/gtest.h>

#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <thread>

#include "base/widgets/couleurs.h"
#include "controls/alignboutons.h"
#include "controls/barregestion.h"
#include "controls/majauge.h"
#include "controls/pagectrlplus.h"
#include "outils.h"

namespace {

class Composants : public ::testing::Test {
 protected:
  void SetUp() override { Appli(); }
};

// A stand-in for the record-management bar: a widget that tells its visible buttons.
class BarreFactice : public QWidget, public IBarreGestion {
 public:
  BarreFactice(QWidget* parent, int n) : QWidget(parent), FN(n) {}
  int NbBoutonVisible() const override { return FN; }
  int FN;
};

}  // namespace

// ---------------------------------------------------------------- gauge

TEST_F(Composants, JaugeBornes) {
  TMaJauge j;
  EXPECT_EQ(j.size(), QSize(150, 16));
  EXPECT_EQ(j.Max(), 10);
  struct Cas { int max, position, attMax, attPos; };
  const Cas cas[] = {{0, 3, 1, 1}, {-5, 3, 1, 1}, {10, 15, 10, 10}, {10, -1, 10, 0}, {7, 4, 7, 4}};
  for (const Cas& c : cas) {
    j.SetMax(c.max);
    j.SetPosition(c.position);
    EXPECT_EQ(j.Max(), c.attMax);
    EXPECT_EQ(j.Position(), c.attPos);
  }
  j.SetMax(20);  // back to 0
  EXPECT_EQ(j.Position(), 0);
  j.Incremente(3);
  j.Incremente(30);
  EXPECT_EQ(j.Position(), 20);
}

TEST_F(Composants, JaugeContinue) {
  TMaJauge j;
  j.SetMax(10);
  j.SetPosition(10);
  int redessins = 0;
  j.OnRedraw = [&](TMaJauge*) { ++redessins; };
  QImage img = j.grab().toImage();
  EXPECT_EQ(redessins, 1);
  EXPECT_EQ(j.PositionDessinee(), 10);
  const QColor face = Rvb(VersQColor(clBtnFace, j.palette()));
  // Ten touching blocks from x = 2 to x = 148, blue first, red last.
  EXPECT_EQ(img.pixelColor(1, 8), face);
  EXPECT_EQ(img.pixelColor(2, 8), QColor(0, 0, 255));
  EXPECT_EQ(img.pixelColor(16, 8), QColor(0, 0, 255));
  EXPECT_EQ(img.pixelColor(147, 8), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(148, 8), face);
  EXPECT_EQ(img.pixelColor(80, 1), face);   // blocks span y 2..13
  EXPECT_EQ(img.pixelColor(80, 2).red() + img.pixelColor(80, 2).blue(), 255);
  int ruptures = 0;
  for (int x = 3; x < 148; ++x)
    if (img.pixelColor(x, 8) != img.pixelColor(x - 1, 8)) ++ruptures;
  EXPECT_EQ(ruptures, 9);
  // Border: grey on the left and top, white on the right and bottom.
  EXPECT_EQ(img.pixelColor(0, 5), QColor(128, 128, 128));
  EXPECT_EQ(img.pixelColor(70, 0), QColor(128, 128, 128));
  EXPECT_EQ(img.pixelColor(149, 5), QColor(255, 255, 255));
  EXPECT_EQ(img.pixelColor(70, 15), QColor(255, 255, 255));

  // Half full: nothing drawn after the fifth block.
  j.SetPosition(5);
  img = j.grab().toImage();
  EXPECT_EQ(img.pixelColor(75, 8), face);
  EXPECT_NE(img.pixelColor(74, 8), face);
}

TEST_F(Composants, JaugeCarreaux) {
  TMaJauge j;  // 150 x 16: 9 blocks of 146 / 9 pixels
  j.SetCarreau(true);
  j.SetPosition(10);
  QImage img = j.grab().toImage();
  const QColor face = Rvb(VersQColor(clBtnFace, j.palette()));
  EXPECT_EQ(img.pixelColor(2, 8), QColor(0, 0, 255));
  EXPECT_EQ(img.pixelColor(15, 8), QColor(0, 0, 255));
  EXPECT_EQ(img.pixelColor(16, 8), face);  // two pixels between blocks
  EXPECT_EQ(img.pixelColor(17, 8), face);
  EXPECT_NE(img.pixelColor(18, 8), face);
  EXPECT_EQ(img.pixelColor(145, 8), QColor(255, 0, 0));
  // Position 5 of 10 is MulDiv(5, 9, 10) = 4 blocks (4.5 to the even neighbour).
  j.SetPosition(5);
  img = j.grab().toImage();
  int blocs = 0;
  for (int x = 3; x < 148; ++x)
    if (img.pixelColor(x, 8) != face && img.pixelColor(x - 1, 8) == face) ++blocs;
  EXPECT_EQ(blocs + 1, 4);
}

TEST_F(Composants, JaugeRafraichissementForce) {
  TMaJauge j;
  ASSERT_TRUE(Montrer(j));
  QTest::qWait(20);
  int redessins = 0;
  j.OnRedraw = [&](TMaJauge*) { ++redessins; };
  j.SetPosition(1);
  EXPECT_EQ(redessins, 0);  // only invalidated
  j.SetForceRefreshMS(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
  j.SetPosition(2);
  EXPECT_EQ(redessins, 1);  // painted at once
  j.SetForceRefreshMS(60000);
  j.SetPosition(3);  // too soon after the last one
  EXPECT_EQ(redessins, 1);
}

// ---------------------------------------------------------------- button rows

TEST_F(Composants, RangeePonderee) {
  TAlignBoutons panneau;
  EXPECT_EQ(panneau.size(), QSize(185, 24));
  auto* autre = new QPushButton("Copier", &panneau);
  autre->move(100, 0);
  auto* barre = new BarreFactice(&panneau, 3);
  barre->setGeometry(0, 0, 50, 22);
  panneau.Arranger();
  EXPECT_EQ(panneau.Ordre(), (QList<QWidget*>{barre, autre}));
  EXPECT_EQ(barre->geometry(), QRect(0, 0, 135, 22));   // its own height
  EXPECT_EQ(autre->geometry(), QRect(139, 0, 45, 24));  // Hauteur

  // Only the visible children, when asked.
  ASSERT_TRUE(Montrer(panneau));
  panneau.SetQueVisible(true);
  barre->hide();
  QTest::qWait(1);
  EXPECT_EQ(autre->geometry(), QRect(0, 0, 184, 24));
  barre->show();
  EXPECT_EQ(autre->geometry(), QRect(139, 0, 45, 24));

  // Setter bounds.
  struct Cas { int valeur, attendu; };
  for (Cas c : {Cas{15, 10}, Cas{-3, 0}, Cas{7, 7}}) {
    panneau.SetEspacement(c.valeur);
    EXPECT_EQ(panneau.Espacement(), c.attendu);
  }
  panneau.SetHauteur(5);
  EXPECT_EQ(panneau.Hauteur(), 10);
  panneau.SetHauteur(40);
  EXPECT_EQ(panneau.height(), 40);  // the panel grew first
}

TEST_F(Composants, RangeeDeBoutonsEgaux) {
  struct Cas {
    int largeurRangee, nbBoutons;
    TTypeAlignement type;
    QList<int> gauches;
    int largeurBouton;
  };
  const Cas cas[] = {
      {400, 2, taDroite, {172, 286}, 84},
      {400, 2, taJustifie, {30, 286}, 84},
      {200, 3, taDroite, {30, 87, 144}, 27},
      // One button is centred; in a row narrower than it, it takes the whole row.
      {400, 1, taDroite, {158}, 84},
      {60, 1, taJustifie, {0}, 60},
      {3, 1, taJustifie, {0}, 5},
      // Justified with little room: equal gaps, narrower buttons.
      {200, 3, taJustifie, {30, 87, 144}, 27},
  };
  for (const Cas& c : cas) {
    TAlignBoutonsDlg rangee;
    rangee.resize(c.largeurRangee, 30);
    rangee.SetLargeurBouton(84);
    rangee.SetMargeGaucheDroite(30);
    rangee.SetMargeMini(30);
    rangee.SetMargeHautBas(2);
    rangee.SetTypeAlignement(c.type);
    QList<QPushButton*> boutons;
    for (int i = 0; i < c.nbBoutons; ++i) boutons.append(new QPushButton(QString::number(i), &rangee));
    // The order follows the positions the buttons were given.
    for (int i = 0; i < c.nbBoutons; ++i) boutons[i]->move(i * 10, 0);
    rangee.Arranger();
    SCOPED_TRACE(testing::Message() << c.largeurRangee << " px, " << c.nbBoutons << " buttons, type " << c.type);
    for (int i = 0; i < c.nbBoutons; ++i) {
      EXPECT_EQ(boutons[i]->x(), c.gauches[i]);
      EXPECT_EQ(boutons[i]->width(), c.largeurBouton);
      EXPECT_EQ(boutons[i]->y(), 2);
      EXPECT_EQ(boutons[i]->height(), 26);
    }
  }
  TAlignBoutonsDlg r;
  r.SetLargeurBouton(10);
  EXPECT_EQ(r.LargeurBouton(), 20);
  r.SetMargeGaucheDroite(-1);
  EXPECT_EQ(r.MargeGaucheDroite(), 0);
}

TEST_F(Composants, OrdreDeLaRangeeSuitLesPositions) {
  TAlignBoutonsDlg rangee;
  rangee.resize(400, 30);
  rangee.SetLargeurBouton(84);
  rangee.SetMargeGaucheDroite(30);
  rangee.SetMargeMini(30);
  rangee.SetTypeAlignement(taDroite);
  auto* valider = new QPushButton("Valider", &rangee);
  auto* annuler = new QPushButton("Annuler", &rangee);
  // Put "Annuler" first by its position; the order follows.
  annuler->move(0, 0);
  valider->move(300, 0);
  rangee.Arranger();
  EXPECT_EQ(annuler->x(), 172);
  EXPECT_EQ(valider->x(), 286);
  // Resizing the row lays it out again.
  ASSERT_TRUE(Montrer(rangee));
  rangee.resize(500, 30);
  EXPECT_EQ(valider->x(), 386);
}

// ---------------------------------------------------------------- page control

TEST_F(Composants, PagesDesactiveesNonSelectionnables) {
  TPageCtrlPlus pages;
  pages.resize(400, 200);
  auto* liste = new QWidget;
  auto* fiche = new QWidget;
  auto* autre = new QWidget;
  pages.addTab(liste, "Liste");
  pages.addTab(fiche, "Fiche");
  pages.addTab(autre, "Autre");
  fiche->setEnabled(false);
  ASSERT_TRUE(Montrer(pages));
  TBarreOngletsPlus* barre = pages.Barre();
  QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(1).center());
  EXPECT_EQ(pages.currentIndex(), 0);
  QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(2).center());
  EXPECT_EQ(pages.currentIndex(), 2);
  QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(0).center());
  EXPECT_EQ(pages.currentIndex(), 0);

  // Ctrl+Tab with the pointer away from the tabs.
  QCursor::setPos(pages.mapToGlobal(QPoint(200, 150)));
  QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages.currentIndex(), 0);
  // With the pointer on an enabled tab it goes on, past the disabled page.
  QCursor::setPos(barre->mapToGlobal(barre->tabRect(0).center()));
  QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages.currentIndex(), 2);
  QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pages.currentIndex(), 0);
  pages.setCurrentIndex(0);
  // The program itself may change the page.
  pages.setCurrentIndex(1);
  EXPECT_EQ(pages.currentIndex(), 1);

  pages.SetEnabledOnglets(false);
  EXPECT_FALSE(liste->isEnabled());
  EXPECT_FALSE(pages.isEnabled());
  pages.SetEnabledOnglets(true);
  EXPECT_TRUE(fiche->isEnabled());
  EXPECT_TRUE(pages.isEnabled());
}

TEST_F(Composants, DessinDesOnglets) {
  TPageCtrlPlus pages;
  pages.resize(400, 200);
  pages.addTab(new QWidget, "Liste");
  pages.addTab(new QWidget, "Fiche");
  auto* inactive = new QWidget;
  pages.addTab(inactive, "Inactive");
  inactive->setEnabled(false);
  pages.SetCouleurOnglet(RGBCouleur(0, 160, 0));
  ASSERT_TRUE(Montrer(pages));
  TBarreOngletsPlus* barre = pages.Barre();
  const QImage img = barre->grab().toImage();
  auto compte = [&](int onglet, QColor c) {
    int n = 0;
    const QRect r = barre->tabRect(onglet);
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (img.pixelColor(x, y) == c) ++n;
    return n;
  };
  const QColor bleu(0, 0, 255), vert(0, 160, 0);
  EXPECT_GT(compte(0, bleu), 0);   // active tab in the selection colour
  EXPECT_EQ(compte(0, vert), 0);
  EXPECT_GT(compte(1, vert), 0);   // ordinary tab
  EXPECT_EQ(compte(1, bleu), 0);
  EXPECT_EQ(compte(2, vert), 0);   // disabled page: neither
  EXPECT_EQ(compte(2, bleu), 0);

  // Tabs sharing the whole width.
  pages.SetAutoSize(true);
  QTest::qWait(1);
  EXPECT_EQ(barre->tabRect(0).width(), (pages.width() - 4) / 3);
  EXPECT_EQ(barre->tabRect(2).width(), (pages.width() - 4) / 3);
}
