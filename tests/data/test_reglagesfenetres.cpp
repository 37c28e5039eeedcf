#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "data/reglages.h"
#include "data/reglagesfenetres.h"
#include "reglagestemporaires.h"

namespace {

QApplication& Appli() {
  static int argc = 1;
  static char nom[] = "test_datawidgets";
  static char* argv[] = {nom, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

QSize Ecran() { return QGuiApplication::primaryScreen()->geometry().size(); }

const QString kBase = QStringLiteral("\\Software\\Vurt\\VestrelleDemo");

std::optional<TValeurRegistre> Stockee(const QString& chChemin, const QString& chNom) {
  return Reglages().Registre().LitValeur(TReglages::CleStore(chChemin), chNom);
}

}  // namespace

class TFormClient : public QWidget {
  Q_OBJECT
};
class TFormArticle : public QWidget {
  Q_OBJECT
};

class Positions : public TReglagesTemporaires {
 protected:
  void SetUp() override {
    Appli();
    TReglagesTemporaires::SetUp();
    OuvreLocalisation("VestrelleDemo", true);
  }
};

TEST_F(Positions, NomsDesValeurs) {
  TFormClient f;
  EXPECT_EQ(NomPositionFiche(&f), "FormClient");
  f.move(30, 40);
  f.resize(300, 200);
  SauvePositionTaille(&f);
  const QString cle = kBase + "\\Client";
  EXPECT_EQ(Stockee(cle, "FormClientX"), TValeurRegistre::DeEntier(30));
  EXPECT_EQ(Stockee(cle, "FormClientY"), TValeurRegistre::DeEntier(40));
  EXPECT_EQ(Stockee(cle, "FormClientW"), TValeurRegistre::DeEntier(300));
  EXPECT_EQ(Stockee(cle, "FormClientH"), TValeurRegistre::DeEntier(200));

  TFormClient g;
  g.resize(50, 50);
  EXPECT_TRUE(LitPositionTaille(&g));
  EXPECT_EQ(g.geometry().size(), QSize(300, 200));
  EXPECT_EQ(g.pos(), QPoint(30, 40));
}

TEST_F(Positions, FormeFixeEtRetourAuCheminCourant) {
  // No "Article" sub-key: the values are read in the current path itself.
  EcritEntier("FormArticleX", 70);
  EcritEntier("FormArticleY", 80);
  EcritEntier("FormArticleW", 500);
  EcritEntier("FormArticleH", 400);
  TFormArticle f;
  f.resize(120, 90);
  EXPECT_TRUE(LitPosition(&f));
  EXPECT_EQ(f.pos(), QPoint(70, 80));
  EXPECT_EQ(f.size(), QSize(120, 90));  // fixed-size form: place only

  f.move(5, 6);
  SauvePosition(&f);  // writes into its own sub-key, without size
  EXPECT_EQ(Stockee(kBase + "\\Article", "FormArticleX"), TValeurRegistre::DeEntier(5));
  EXPECT_FALSE(Stockee(kBase + "\\Article", "FormArticleW"));
}

TEST_F(Positions, ValeursRameneesALEcran) {
  const QSize ecran = Ecran();
  struct TCas {
    const char* quoi;
    int x, y, w, h;  // stored; INT_MIN = missing
    QRect attendu;
  } const cas[] = {
      {"trop à droite et trop bas", ecran.width() + 500, ecran.height() + 1, 200, 100,
       QRect(ecran.width(), ecran.height(), 200, 100)},
      {"négatives", -40, -1, 200, 100, QRect(0, 0, 200, 100)},
      {"trop grande", 10, 20, ecran.width() * 3, ecran.height() + 9,
       QRect(10, 20, ecran.width(), ecran.height())},
      {"taille de 10 ignorée", 10, 20, 10, 300, QRect(10, 20, 123, 45)},
      {"taille absente", 10, 20, INT_MIN, INT_MIN, QRect(10, 20, 123, 45)},
  };
  for (const TCas& c : cas) {
    SCOPED_TRACE(c.quoi);
    Reglages().Registre().SupprimeCle(TReglages::CleStore(kBase + "\\Client"));
    Section("Client");
    EcritEntier("FormClientX", c.x);
    EcritEntier("FormClientY", c.y);
    if (c.w != INT_MIN) EcritEntier("FormClientW", c.w);
    if (c.h != INT_MIN) EcritEntier("FormClientH", c.h);
    Section("");
    TFormClient f;
    f.resize(123, 45);
    EXPECT_TRUE(LitPositionTaille(&f));
    EXPECT_EQ(QRect(f.pos(), f.size()), c.attendu);
  }
}

TEST_F(Positions, RienDeStockeCentre) {
  const QSize ecran = Ecran();
  TFormClient f;
  f.resize(301, 201);
  f.move(1, 1);
  EXPECT_FALSE(LitPositionTaille(&f));
  EXPECT_EQ(f.pos(), QPoint((ecran.width() - 301) / 2, (ecran.height() - 201) / 2));
  EXPECT_FALSE(LitPosition(&f));
}

TEST_F(Positions, InterrupteurEteint) {
  OuvreLocalisation("VestrelleDemo", false);
  TFormClient f;
  f.move(30, 40);
  SauvePositionTaille(&f);
  SauvePosition(&f);
  EXPECT_FALSE(Reglages().Registre().CleExiste(TReglages::CleStore(kBase + "\\Client")));
  EcritEntier("FormClientX", 300);
  EcritEntier("FormClientY", 300);
  EXPECT_FALSE(LitPosition(&f));
  EXPECT_EQ(f.pos(), QPoint(30, 40));
}

class CouleurDialogue : public TReglagesTemporaires {
 protected:
  void SetUp() override {
    Appli();
    TReglagesTemporaires::SetUp();
    OuvreLocalisation("VestrelleDemo", true);
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, Qt::black);
  }

  // Runs xAction on the colour dialog once it is open.
  static void QuandOuvert(std::function<void(QColorDialog*)> xAction) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, xAction] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* d = qobject_cast<QColorDialog*>(w);
        if (d && d->isVisible()) {
          minuterie->stop();
          minuterie->deleteLater();
          xAction(d);
          return;
        }
      }
    });
    minuterie->start();
  }

  static void CliqueOk(QColorDialog* d) {
    auto* boutons = d->findChild<QDialogButtonBox*>();
    ASSERT_NE(boutons, nullptr);
    QTest::mouseClick(boutons->button(QDialogButtonBox::Ok), Qt::LeftButton);
  }
};

TEST_F(CouleurDialogue, ConfirmeEtGardeLesCouleursPersonnalisees) {
  EcritTexte("CustomColor", "ColorA=0000FF\r\nColorB=00FF00");
  QColor initiale;
  QList<QColor> chargees;
  QuandOuvert([&](QColorDialog* d) {
    initiale = d->currentColor();
    for (int i = 0; i < 3; ++i) chargees << QColorDialog::customColor(i);
    d->setCurrentColor(QColor(10, 20, 30));
    QColorDialog::setCustomColor(15, QColor(1, 2, 3));  // the user adds a custom colour
    CliqueOk(d);
  });
  TColor c = clNone;
  EXPECT_TRUE(ChoisitCouleur(clYellow, c));
  EXPECT_EQ(initiale, QColor(255, 255, 0));
  EXPECT_EQ(chargees, (QList<QColor>{QColor(255, 0, 0), QColor(0, 255, 0), QColor(Qt::white)}));
  EXPECT_EQ(c, RGBCouleur(10, 20, 30));

  const QString texte = LitTexte("CustomColor", "");
  const QStringList lignes = texte.split("\r\n");
  ASSERT_EQ(lignes.size(), 16);
  EXPECT_EQ(lignes[0], "ColorA=0000FF");
  EXPECT_EQ(lignes[1], "ColorB=00FF00");
  EXPECT_EQ(lignes[2], "ColorC=FFFFFF");
  EXPECT_EQ(lignes[15], "ColorP=030201");

  // Next time, the colour added is offered again.
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, Qt::black);
  QColor rechargee;
  QuandOuvert([&](QColorDialog* d) {
    rechargee = QColorDialog::customColor(15);
    CliqueOk(d);
  });
  EXPECT_TRUE(ChoisitCouleur(clWindow, c));
  EXPECT_EQ(rechargee, QColor(1, 2, 3));
}

TEST_F(CouleurDialogue, AnnulerNEcritRien) {
  EcritTexte("CustomColor", "ColorA=0000FF");
  QuandOuvert([](QColorDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
  TColor c = 123;
  EXPECT_FALSE(ChoisitCouleur(clRed, c));
  EXPECT_EQ(c, 123);
  EXPECT_EQ(LitTexte("CustomColor", ""), "ColorA=0000FF");
}

TEST_F(CouleurDialogue, ListeIlisibleVidee) {
  EcritTexte("CustomColor", "ColorA=0000FF\r\nn'importe quoi");
  QList<QColor> chargees;
  QuandOuvert([&](QColorDialog* d) {
    for (int i = 0; i < 16; ++i) chargees << QColorDialog::customColor(i);
    QTest::keyClick(d, Qt::Key_Escape);
  });
  TColor c = 0;
  EXPECT_FALSE(ChoisitCouleur(clRed, c));
  EXPECT_EQ(chargees, QList<QColor>(16, QColor(Qt::white)));
}

#include "test_reglagesfenetres.moc"
