// A window that shows every shared control, to look at them and to take screenshots:
//   galerie                  opens the window
//   galerie --capture f.png  paints the window into f.png and ends
//   galerie --capture f.png --echelle 3   the same, enlarged three times (pixels kept sharp)
//   galerie --capture f.png --zone x,y,w,h  only that part of the window

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/alignboutons.h"
#include "controls/barregestion.h"
#include "controls/btnimprimerfleche.h"
#include "controls/dateheure.h"
#include "controls/majauge.h"
#include "controls/pagectrlplus.h"
#include "controls/traduction.h"
#include "planning/widgets/monscrollbar.h"

namespace {

// A record bar as the data screens will have it: a row of small buttons.
class TBarreExemple : public QWidget, public IBarreGestion {
 public:
  explicit TBarreExemple(QWidget* xParent) : QWidget(xParent) {
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    for (const char* t : {"|<", "<", ">"}) {
      auto* b = new QToolButton(this);
      b->setText(QString::fromLatin1(t));
      b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      l->addWidget(b);
    }
    resize(90, 24);
  }
  int NbBoutonVisible() const override { return 3; }
};

QGroupBox* Groupe(const QString& titre, QLayout* contenu) {
  auto* g = new QGroupBox(titre);
  g->setLayout(contenu);
  return g;
}

QWidget* Fixe(QWidget* w, int largeur, int hauteur) {
  w->setFixedSize(largeur, hauteur);
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString capture;
  const QStringList args = app.arguments();
  const qsizetype i = args.indexOf("--capture");
  if (i >= 0 && i + 1 < args.size()) capture = args[i + 1];
  const qsizetype e = args.indexOf("--echelle");
  const int echelle = (e >= 0 && e + 1 < args.size()) ? std::max(1, args[e + 1].toInt()) : 1;
  QRect zone;
  const qsizetype z = args.indexOf("--zone");
  if (z >= 0 && z + 1 < args.size()) {
    const QStringList v = args[z + 1].split(',');
    if (v.size() == 4) zone = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
  }

  QWidget fenetre;
  fenetre.setWindowTitle(QString::fromUtf8("Galerie des contrôles"));
  auto* principal = new QHBoxLayout(&fenetre);
  auto* gauche = new QVBoxLayout;
  auto* droite = new QVBoxLayout;
  principal->addLayout(gauche);
  principal->addLayout(droite);

  // Scroll bars: horizontal, vertical, automatic thumb, disabled.
  {
    auto* l = new QHBoxLayout;
    auto* colonne = new QVBoxLayout;
    auto* h = new TMonScrollBar;
    h->SetPosition(30);
    h->SetHandleColor(clBtnFace);
    h->SetLargeChange(10);
    colonne->addWidget(Fixe(h, 260, 16));
    auto* auto_ = new TMonScrollBar;
    auto_->SetMax(10);
    auto_->SetAutoHandle(true);
    auto_->SetBackgnd(bgMix);
    auto_->SetPosition(6);
    colonne->addWidget(Fixe(auto_, 260, 16));
    auto* solide = new TMonScrollBar;
    solide->SetBackgnd(bgSolid);
    solide->SetColor(RGBCouleur(160, 180, 210));
    solide->SetHandleColor(RGBCouleur(60, 90, 150));
    solide->SetPosition(75);
    colonne->addWidget(Fixe(solide, 260, 16));
    auto* inactif = new TMonScrollBar;
    inactif->setEnabled(false);
    colonne->addWidget(Fixe(inactif, 260, 16));
    auto* valeur = new QLabel(QStringLiteral("Position : 30"));
    h->OnChange = [valeur](TBarreFlechee* b) {
      valeur->setText(QStringLiteral("Position : %1").arg(static_cast<TMonScrollBar*>(b)->Position()));
    };
    colonne->addWidget(valeur);
    colonne->addStretch();
    l->addLayout(colonne);
    auto* v = new TMonScrollBar;
    v->SetKind(sbVertical);
    v->SetPosition(60);
    v->SetHandleColor(clBtnFace);
    l->addWidget(Fixe(v, 16, 120));
    gauche->addWidget(Groupe(QString::fromUtf8("Barres de défilement"), l));
  }

  // Gauges.
  {
    auto* l = new QVBoxLayout;
    auto* continue_ = new TMaJauge;
    continue_->SetMax(10);
    continue_->SetPosition(7);
    l->addWidget(Fixe(continue_, 260, 16));
    auto* carreaux = new TMaJauge;
    carreaux->SetCarreau(true);
    carreaux->SetMax(20);
    carreaux->SetPosition(13);
    carreaux->SetCouleurDebut(RGBCouleur(0, 160, 0));
    carreaux->SetCouleurFin(RGBCouleur(255, 200, 0));
    l->addWidget(Fixe(carreaux, 260, 16));
    auto* minuterie = new QTimer(continue_);
    QObject::connect(minuterie, &QTimer::timeout, continue_, [continue_] {
      continue_->SetPosition(continue_->Position() == continue_->Max() ? 0 : continue_->Position() + 1);
    });
    if (capture.isEmpty()) minuterie->start(400);
    gauche->addWidget(Groupe(QStringLiteral("Jauges"), l));
  }

  // Button rows.
  {
    auto* l = new QVBoxLayout;
    auto* pondere = new TAlignBoutons;
    pondere->setFixedSize(260, 24);
    new TBarreExemple(pondere);
    auto* copier = new QPushButton(QStringLiteral("Copier"), pondere);
    copier->move(200, 0);
    l->addWidget(new QLabel(QString::fromUtf8("Rangée pondérée (barre de 3 boutons + 1)")));
    l->addWidget(pondere);
    auto* droiteDlg = new TAlignBoutonsDlg;
    droiteDlg->setFixedSize(260, 28);
    droiteDlg->SetLargeurBouton(84);
    droiteDlg->SetMargeGaucheDroite(30);
    droiteDlg->SetMargeHautBas(2);
    droiteDlg->SetMargeMini(30);
    droiteDlg->SetEspacement(10);
    droiteDlg->SetTypeAlignement(taDroite);
    droiteDlg->SetQueVisible(true);
    droiteDlg->SetCommeCouleurTitre(true);
    auto* valider = new QPushButton(QStringLiteral("Valider"), droiteDlg);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), droiteDlg);
    valider->move(0, 0);
    annuler->move(100, 0);
    l->addWidget(new QLabel(QString::fromUtf8("Boutons à droite, fond de barre de titre")));
    l->addWidget(droiteDlg);
    auto* justifie = new TAlignBoutonsDlg;
    justifie->setFixedSize(260, 30);
    auto* b1 = new QPushButton(QStringLiteral("Premier"), justifie);
    auto* b2 = new QPushButton(QStringLiteral("Second"), justifie);
    auto* b3 = new QPushButton(QStringLiteral("Troisième"), justifie);
    b1->move(0, 0);
    b2->move(100, 0);
    b3->move(200, 0);
    l->addWidget(new QLabel(QString::fromUtf8("Boutons justifiés")));
    l->addWidget(justifie);
    gauche->addWidget(Groupe(QString::fromUtf8("Rangées de boutons"), l));
  }

  // Split print button.
  {
    auto* l = new QHBoxLayout;
    auto* simple = new TBtnImprimerFleche;
    auto* double_ = new TBtnImprimerFleche;
    double_->SetTypeImpression(tiListe | tiFiche);
    auto* choix = new QLabel(QStringLiteral("(aucun choix)"));
    auto rapporter = [choix](TBtnImprimerFleche*, bool bDirecte, bool bListe) {
      choix->setText(QString::fromUtf8("%1 %2").arg(bDirecte ? QString::fromUtf8("Impression directe")
                                                             : QString::fromUtf8("Aperçu"),
                                                    bListe ? QStringLiteral("de la liste")
                                                           : QString::fromUtf8("d'une fiche")));
    };
    simple->OnClickMenu = rapporter;
    double_->OnClickMenu = rapporter;
    l->addWidget(Fixe(simple, 75, 25));
    l->addWidget(Fixe(double_, 75, 25));
    l->addWidget(choix, 1);
    gauche->addWidget(Groupe(QStringLiteral("Bouton d'impression"), l));
  }
  gauche->addStretch();

  // Page control.
  {
    auto* l = new QVBoxLayout;
    auto* pages = new TPageCtrlPlus;
    pages->addTab(new QLabel(QStringLiteral("  La liste des enregistrements")), QStringLiteral("Liste"));
    pages->addTab(new QLabel(QStringLiteral("  Un enregistrement")), QStringLiteral("Fiche"));
    auto* inactive = new QLabel(QStringLiteral("  Page inactive"));
    inactive->setEnabled(false);
    pages->addTab(inactive, QStringLiteral("Historique"));
    pages->setFixedHeight(90);
    l->addWidget(pages);
    droite->addWidget(Groupe(QStringLiteral("Pages"), l));
  }

  // Date and time.
  {
    auto* l = new QVBoxLayout;
    auto* ligne = new QHBoxLayout;
    auto* calendrier = new TMonCalendrier;
    ligne->addWidget(Fixe(calendrier, 148, 106));
    auto* horloge = new TMonHorloge;
    horloge->SetHorlogeHeure(DateHeure::Maintenant());
    ligne->addWidget(Fixe(horloge, 101, 101));
    ligne->addStretch();
    l->addLayout(ligne);
    auto* panneau = new TCustomDateHeure;
    panneau->SetDate(DateHeure::Maintenant());
    l->addWidget(panneau);
    auto* boite = new TComboDateHeure;
    boite->setFixedWidth(150);
    auto* vide = new TComboDateHeure;
    vide->SetDateHeure(0);
    vide->setFixedWidth(150);
    auto* boites = new QHBoxLayout;
    boites->addWidget(boite);
    boites->addWidget(vide);
    boites->addStretch();
    l->addLayout(boites);
    droite->addWidget(Groupe(QStringLiteral("Date et heure"), l));
  }
  droite->addStretch();

  fenetre.show();
  if (!capture.isEmpty()) {
    QTimer::singleShot(200, &fenetre, [&] {
      QImage image = fenetre.grab().toImage();
      if (!zone.isEmpty()) image = image.copy(zone);
      if (echelle > 1)
        image = image.scaled(image.size() * echelle, Qt::IgnoreAspectRatio, Qt::FastTransformation);
      const bool ok = image.save(capture);
      app.exit(ok ? 0 : 1);
    });
  }
  return app.exec();
}
