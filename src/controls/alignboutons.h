#pragma once
// Panels that place their child controls side by side. TAlignBoutons shares its width by
// weight (a record-management bar weighs its number of visible buttons, any other child 1);
// TAlignBoutonsDlg gives every child the same width, right-aligned or justified.

#include <QList>
#include <QWidget>

#include "base/tcolor.h"

class TAlignBoutons : public QWidget {
  Q_OBJECT
 public:
  static constexpr int NbPlaces = 11;

  explicit TAlignBoutons(QWidget* xParent = nullptr);

  int Espacement() const { return FEspacement; }
  void SetEspacement(int v);
  int Hauteur() const { return FHauteur; }
  void SetHauteur(int v);
  bool QueVisible() const { return FQueVisible; }
  void SetQueVisible(bool b);
  bool CommeCouleurTitre() const { return FCommeCouleurTitre; }
  void SetCommeCouleurTitre(bool b);
  TColor Color() const { return FCouleur; }
  void SetColor(TColor c);

  // The children in arrangement order (taking part or not).
  QList<QWidget*> Ordre() const;
  // Rebuilds the order and lays the children out; returns whether one moved.
  bool Arranger();

  QSize sizeHint() const override { return QSize(185, 24); }

 protected:
  // Places the children taking part, in order; returns whether one moved.
  virtual bool Disposer();
  QList<QWidget*> Participants() const;
  // Sets a child's bounds when one of them differs.
  static bool Placer(QWidget* w, const QRect& r);

  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void childEvent(QChildEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  bool Ordonner();

  int FEspacement = 4;
  int FHauteur = 24;
  bool FQueVisible = false;
  bool FCommeCouleurTitre = false;
  TColor FCouleur = clBtnFace;
  QList<QWidget*> FEnfants;
  int FPlaces[NbPlaces];
  bool FPremierePeinture = true;
};

enum TTypeAlignement { taJustifie, taDroite };

class TAlignBoutonsDlg : public TAlignBoutons {
  Q_OBJECT
 public:
  explicit TAlignBoutonsDlg(QWidget* xParent = nullptr);

  int LargeurBouton() const { return FLargeurBouton; }
  void SetLargeurBouton(int v);
  int MargeGaucheDroite() const { return FMargeGaucheDroite; }
  void SetMargeGaucheDroite(int v);
  int MargeHautBas() const { return FMargeHautBas; }
  void SetMargeHautBas(int v);
  int MargeMini() const { return FMargeMini; }
  void SetMargeMini(int v);
  TTypeAlignement TypeAlignement() const { return FTypeAlignement; }
  void SetTypeAlignement(TTypeAlignement t);

 protected:
  bool Disposer() override;

 private:
  void Rearranger();

  int FLargeurBouton = 75;
  int FMargeGaucheDroite = 40;
  int FMargeHautBas = 3;
  int FMargeMini = 5;
  TTypeAlignement FTypeAlignement = taJustifie;
};
