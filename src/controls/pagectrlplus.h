#pragma once
// The page control of the data screens: tabs drawn by the control itself, the active tab
// and the tab under the pointer in their own colour, disabled pages not selectable by the
// user, optionally tabs sharing the whole width.

#include <QTabBar>
#include <QTabWidget>

#include "base/tcolor.h"

class TPageCtrlPlus;

class TBarreOngletsPlus : public QTabBar {
  Q_OBJECT
 public:
  explicit TBarreOngletsPlus(TPageCtrlPlus* xPages);
  int OngletSurvole() const { return FSurvole; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  QSize tabSizeHint(int index) const override;

 private:
  TPageCtrlPlus* FPages;
  int FSurvole = -1;
};

class TPageCtrlPlus : public QTabWidget {
  Q_OBJECT
 public:
  explicit TPageCtrlPlus(QWidget* xParent = nullptr);

  TColor CouleurOnglet() const { return FCouleurOnglet; }
  void SetCouleurOnglet(TColor c);
  TColor CouleurOngletSelect() const { return FCouleurOngletSelect; }
  void SetCouleurOngletSelect(TColor c);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool b);
  // Enables or disables every page and the control itself.
  void SetEnabledOnglets(bool b);

  bool PageActive(int index) const;
  // A change of page by the user: allowed only when the tab under the pointer exists and
  // belongs to an enabled page.
  bool ChangementPermis(const QPoint& ptBarre) const;
  TBarreOngletsPlus* Barre() const { return FBarre; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void tabInserted(int index) override;
  void tabRemoved(int index) override;

 private:
  TBarreOngletsPlus* FBarre;
  TColor FCouleurOnglet = clWindowText;
  TColor FCouleurOngletSelect = clBlue;
  bool FAutoSize = false;
};
