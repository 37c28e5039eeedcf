#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <functional>

#include "base/widgets/couleurs.h"
#include "planning/widgets/monscrollbar.h"

namespace {

QApplication& Appli() {
  static int argc = 1;
  static char nom[] = "test";
  static char* argv[] = {nom, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Waits, processing events, until the condition holds or 5 s have passed.
bool Attendre(const std::function<bool()>& condition, int iMaxMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > iMaxMs) return false;
    QTest::qWait(5);
  }
  return true;
}

// A colour brought to the 8 bits per channel of a rendered image.
QColor Rvb(const QColor& c) { return QColor(c.rgb()); }

struct Compteurs {
  int change = 0;
  int user = 0;
  void Brancher(TMonScrollBar& b) {
    b.OnChange = [this](TBarreFlechee*) { ++change; };
    b.OnUserChange = [this](TBarreFlechee*) { ++user; };
  }
};

class MonScrollBar : public ::testing::Test {
 protected:
  void SetUp() override { Appli(); }
  // A shown bar, so that mouse events go through the real window system path.
  void Montrer(TMonScrollBar& b, int w, int h) {
    b.resize(w, h);
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
  }
};

}  // namespace

TEST_F(MonScrollBar, ValeursParDefaut) {
  TMonScrollBar b;
  EXPECT_EQ(b.size(), QSize(100, 16));
  EXPECT_EQ(b.Min(), 0);
  EXPECT_EQ(b.Max(), 100);
  EXPECT_EQ(b.Position(), 0);
  EXPECT_EQ(b.Kind(), sbHorizontal);
  EXPECT_EQ(b.Backgnd(), bgPattern);
  EXPECT_TRUE(b.Framed());
  EXPECT_EQ(b.Color(), clBtnShadow);
  EXPECT_EQ(b.HandleColor(), clBtnShadow);
  EXPECT_FALSE(b.AutoHandle());
}

TEST_F(MonScrollBar, CorrectionsDesBornes) {
  struct Cas {
    int min, max, position;    // starting state
    std::function<void(TMonScrollBar&)> action;
    int attMin, attMax, attPos;
  };
  const Cas cas[] = {
      {0, 100, 0, [](TMonScrollBar& b) { b.SetMax(0); }, 0, 1, 0},
      {0, 3, 0, [](TMonScrollBar& b) { b.SetMin(5); }, 2, 3, 2},
      {0, 100, 50, [](TMonScrollBar& b) { b.SetMax(20); }, 0, 20, 20},
      {0, 100, 50, [](TMonScrollBar& b) { b.SetMin(70); }, 70, 100, 70},
      {0, 100, 50, [](TMonScrollBar& b) { b.SetPosition(150); }, 0, 100, 100},
      {0, 100, 50, [](TMonScrollBar& b) { b.SetPosition(-4); }, 0, 100, 0},
      {-10, 10, 0, [](TMonScrollBar& b) { b.SetMax(-20); }, -10, -9, -9},
  };
  for (const Cas& c : cas) {
    TMonScrollBar b;
    b.SetMax(c.max);
    b.SetMin(c.min);
    b.SetPosition(c.position);
    c.action(b);
    EXPECT_EQ(b.Min(), c.attMin);
    EXPECT_EQ(b.Max(), c.attMax);
    EXPECT_EQ(b.Position(), c.attPos);
  }
  TMonScrollBar b;
  b.SetSmallChange(0);
  b.SetLargeChange(-3);
  EXPECT_EQ(b.SmallChange(), 1);
  EXPECT_EQ(b.LargeChange(), 1);
  b.SetHandleSize(-5);
  EXPECT_EQ(b.HandleSize(), 0);
}

TEST_F(MonScrollBar, ChangementsParLeProprietaire) {
  TMonScrollBar b;
  Compteurs n;
  n.Brancher(b);
  b.SetPosition(0);
  EXPECT_EQ(n.change, 0);
  b.SetPosition(500);
  EXPECT_EQ(b.Position(), 100);
  EXPECT_EQ(n.change, 1);
  b.SetMax(40);  // drags the position back with it
  EXPECT_EQ(b.Position(), 40);
  EXPECT_EQ(n.change, 2);
  EXPECT_EQ(n.user, 0);
}

TEST_F(MonScrollBar, Geometrie) {
  struct Cas {
    TScrollBarKind kind;
    int w, h, handleSize, position;
    int fleche, debutCurseur, longueurCurseur;
  };
  const Cas cas[] = {
      // 100 x 16: arrows 16, track 68, thumb as long as the bar is thick.
      {sbHorizontal, 100, 16, 0, 0, 16, 16, 16},
      {sbHorizontal, 100, 16, 0, 100, 16, 68, 16},
      {sbHorizontal, 100, 16, 0, 50, 16, 42, 16},
      // A bar too short for arrows of 16: no track at all.
      {sbHorizontal, 24, 16, 0, 0, 12, 12, 0},
      // HandleSize 0 on a bar 15 high: the thumb is 15 long.
      {sbHorizontal, 60, 15, 0, 0, 16, 16, 15},
      // A thumb not shorter than the track becomes the track minus one.
      {sbHorizontal, 60, 16, 40, 0, 16, 16, 27},
      {sbVertical, 16, 200, 20, 100, 16, 164, 20},
      // (L - h) * position / range = 53 * 50 / 100 = 26.5, rounded to the even 26.
      {sbHorizontal, 101, 16, 16, 50, 16, 42, 16},
  };
  for (const Cas& c : cas) {
    TMonScrollBar b;
    b.SetKind(c.kind);
    b.resize(c.w, c.h);
    b.SetHandleSize(c.handleSize);
    b.SetPosition(c.position);
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " pos " << c.position);
    EXPECT_EQ(b.TailleFleche(), c.fleche);
    const QRect r = b.RectCurseur();
    if (c.kind == sbHorizontal) {
      EXPECT_EQ(r.left(), c.debutCurseur);
      EXPECT_EQ(r.width(), c.longueurCurseur);
    } else {
      EXPECT_EQ(r.top(), c.debutCurseur);
      EXPECT_EQ(r.height(), c.longueurCurseur);
    }
    EXPECT_EQ(b.PositionPixel(), c.debutCurseur);
  }
}

TEST_F(MonScrollBar, ConversionsPixelPosition) {
  TMonScrollBar b;
  b.resize(200, 16);  // track 168, thumb 16: 152 free pixels
  b.SetMax(152);
  EXPECT_EQ(b.PositionToPixel(0), 16);
  EXPECT_EQ(b.PositionToPixel(76), 92);
  EXPECT_EQ(b.PositionToPixel(999), 168);
  for (int p : {0, 1, 37, 76, 151, 152}) EXPECT_EQ(b.PixelToPosition(b.PositionToPixel(p)), p);
  EXPECT_EQ(b.PixelToPosition(0), 0);
  // Past the free part of the track the position stays at Max.
  EXPECT_EQ(b.PixelToPosition(190), 152);
}

TEST_F(MonScrollBar, PisteTropCourtePourLeCurseur) {
  TMonScrollBar b;
  Montrer(b, 24, 16);  // arrows of 12, no track
  b.SetMin(10);
  b.SetMax(20);
  EXPECT_EQ(b.PixelToPosition(5), 10);
  EXPECT_EQ(b.PixelToPosition(50), 10);
  // Pressing and dragging between the arrows does nothing and does not fail.
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(12, 8));
  QTest::mouseMove(&b, QPoint(20, 8));
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(20, 8));
  EXPECT_GE(b.Position(), 10);
  EXPECT_LE(b.Position(), 20);
}

TEST_F(MonScrollBar, TestDesParties) {
  TMonScrollBar b;
  b.resize(100, 16);
  b.SetPosition(50);  // thumb from 42 to 57
  struct Cas { int x, y, partie; };
  const Cas cas[] = {{0, 8, 1},  {15, 8, 1}, {16, 8, 4},  {41, 8, 4},  {42, 8, 3},
                     {57, 8, 3}, {58, 8, 5}, {83, 8, 5}, {84, 8, 2}, {99, 8, 2},
                     {100, 8, 0}, {50, -1, 0}, {50, 16, 0}};
  for (const Cas& c : cas) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(c.x, c.y), QPointF(c.x, c.y), Qt::RightButton,
                  Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &e);  // a right press only reports, but let the bar see it
    EXPECT_EQ(b.PartiePressee(), 0);
  }
  // The hit test itself, through a left press on each point.
  for (const Cas& c : cas) {
    TMonScrollBar t;
    t.resize(100, 16);
    t.SetPosition(50);
    if (c.partie == 4 || c.partie == 5) t.SetLargeChange(1);
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(c.x, c.y), QPointF(c.x, c.y), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&t, &e);
    SCOPED_TRACE(testing::Message() << "(" << c.x << "," << c.y << ")");
    EXPECT_EQ(t.PartiePressee(), c.partie);
  }
}

TEST_F(MonScrollBar, RepetitionSurUneFleche) {
  TMonScrollBar b;
  Montrer(b, 100, 16);
  b.SetSmallChange(3);
  Compteurs n;
  n.Brancher(b);
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(92, 8));  // second arrow
  EXPECT_EQ(b.Position(), 3);  // at once
  EXPECT_EQ(n.user, 1);
  EXPECT_EQ(b.TimerRepetition()->interval(), 600);
  EXPECT_TRUE(b.TimerRepetition()->isActive());
  QTest::qWait(300);
  EXPECT_EQ(b.Position(), 3);  // nothing before 600 ms
  ASSERT_TRUE(Attendre([&] { return b.Position() == 6; }));
  EXPECT_EQ(b.TimerRepetition()->interval(), 100);  // then every 100 ms
  ASSERT_TRUE(Attendre([&] { return b.Position() == 9; }, 1000));
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(92, 8));
  EXPECT_FALSE(b.TimerRepetition()->isActive());
  const int p = b.Position();
  QTest::qWait(250);
  EXPECT_EQ(b.Position(), p);
  EXPECT_EQ(n.user, n.change);
  EXPECT_EQ(b.PartiePressee(), 0);
}

TEST_F(MonScrollBar, UnDoubleClicEstDeuxPressions) {
  TMonScrollBar b;
  Montrer(b, 100, 16);
  // Through the window, as the platform delivers it: press, release, press, double click,
  // release.
  int descentes = 0;
  b.OnMouseDown = [&](TBarreFlechee*, QMouseEvent*) { ++descentes; };
  QTest::mouseDClick(b.windowHandle(), Qt::LeftButton, {}, QPoint(92, 8));
  QTest::mouseRelease(b.windowHandle(), Qt::LeftButton, {}, QPoint(92, 8));
  EXPECT_EQ(descentes, 2);
  EXPECT_EQ(b.Position(), 2);
  EXPECT_FALSE(b.TimerRepetition()->isActive());
}

TEST_F(MonScrollBar, BoutonsDroitEtMilieuNeDeplacentRien) {
  TMonScrollBar b;
  Montrer(b, 100, 16);
  int descentes = 0;
  b.OnMouseDown = [&](TBarreFlechee*, QMouseEvent*) { ++descentes; };
  for (Qt::MouseButton bouton : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(&b, bouton, {}, QPoint(92, 8));
    EXPECT_FALSE(b.TimerRepetition()->isActive());
    QTest::mouseRelease(&b, bouton, {}, QPoint(92, 8));
  }
  EXPECT_EQ(descentes, 2);
  EXPECT_EQ(b.Position(), 0);
}

TEST_F(MonScrollBar, PaginationJusquAuPointPresse) {
  TMonScrollBar b;
  Montrer(b, 216, 16);  // track 184, thumb 16: 168 free pixels for 0..100
  b.SetLargeChange(20);
  Compteurs n;
  n.Brancher(b);
  const QPoint point(150, 8);
  QTest::mousePress(&b, Qt::LeftButton, {}, point);
  EXPECT_EQ(b.Position(), 20);
  ASSERT_TRUE(Attendre([&] { return !b.TimerRepetition()->isActive(); }));
  // The thumb now covers the press point, although the button is still down.
  const QRect c = b.RectCurseur();
  EXPECT_TRUE(c.contains(point)) << c.left() << ".." << c.right();
  EXPECT_EQ(b.Position(), 80);
  EXPECT_EQ(b.PartiePressee(), 0);
  EXPECT_EQ(n.user, 4);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, point);

  // Backwards from the end, the same.
  b.SetPosition(100);
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 8));
  ASSERT_TRUE(Attendre([&] { return !b.TimerRepetition()->isActive(); }));
  EXPECT_TRUE(b.RectCurseur().contains(QPoint(30, 8)));
  EXPECT_EQ(b.Position(), 0);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(30, 8));
}

TEST_F(MonScrollBar, GlisserLeCurseur) {
  struct Cas { TScrollBarKind kind; int ecart; int attendu; };
  // Track 168 - thumb 16 = 152 free pixels for a range of 0..100.
  const Cas cas[] = {{sbHorizontal, 152, 100}, {sbHorizontal, 76, 50}, {sbHorizontal, 500, 100},
                     {sbVertical, 152, 100},   {sbVertical, 38, 25},    {sbVertical, -20, 0}};
  for (const Cas& c : cas) {
    TMonScrollBar b;
    b.SetKind(c.kind);
    Montrer(b, c.kind == sbHorizontal ? 200 : 16, c.kind == sbHorizontal ? 16 : 200);
    Compteurs n;
    n.Brancher(b);
    const QPoint prise = c.kind == sbHorizontal ? QPoint(20, 8) : QPoint(8, 20);
    QTest::mousePress(&b, Qt::LeftButton, {}, prise);
    EXPECT_EQ(b.PartiePressee(), TBarreFlechee::ptCurseur);
    EXPECT_FALSE(b.TimerRepetition()->isActive());
    const QPoint fin = prise + (c.kind == sbHorizontal ? QPoint(c.ecart, 0) : QPoint(0, c.ecart));
    QTest::mouseMove(&b, fin);
    EXPECT_EQ(b.Position(), c.attendu);
    // While dragged the thumb is grey.
    const QImage img = b.grab().toImage();
    const QRect r = b.RectCurseur();
    EXPECT_EQ(img.pixelColor(r.center()), QColor(128, 128, 128));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, fin);
    EXPECT_EQ(n.user, c.attendu == 0 ? 0 : 1);
    EXPECT_EQ(b.PartiePressee(), 0);
  }
}

TEST_F(MonScrollBar, CurseurAutomatique) {
  struct Cas { TScrollBarKind kind; int w, h, max, attendu; };
  const Cas cas[] = {
      {sbHorizontal, 100, 16, 10, 10},
      {sbHorizontal, 100, 16, 50, 6},
      // A vertical bar takes its length, not its thickness.
      {sbVertical, 16, 200, 10, 20},
      {sbVertical, 16, 100, 50, 6},
  };
  for (const Cas& c : cas) {
    TMonScrollBar b;
    b.SetKind(c.kind);
    b.resize(c.w, c.h);
    b.SetMax(c.max);
    b.SetAutoHandle(true);
    EXPECT_EQ(b.HandleSize(), c.attendu) << c.w << "x" << c.h << " max " << c.max;
  }
  // It follows size and range changes.
  TMonScrollBar b;
  b.SetAutoHandle(true);
  b.SetMax(10);
  Montrer(b, 300, 16);
  EXPECT_EQ(b.HandleSize(), 30);
  b.SetMin(5);
  EXPECT_EQ(b.HandleSize(), 60);
}

TEST_F(MonScrollBar, Peinture) {
  TMonScrollBar b;
  b.resize(100, 16);
  b.SetHandleColor(RGBCouleur(0, 0, 200));
  b.SetColor(RGBCouleur(200, 0, 0));
  b.SetPosition(100);  // thumb from 68 to 83
  QImage img = b.grab().toImage();
  const QColor fenetre = Rvb(VersQColor(clWindowFrame, b.palette()));
  const QColor face = Rvb(VersQColor(clBtnFace, b.palette()));
  EXPECT_EQ(img.pixelColor(0, 0), fenetre);
  EXPECT_EQ(img.pixelColor(75, 8), QColor(0, 0, 200));   // thumb interior
  EXPECT_EQ(img.pixelColor(68, 8), fenetre);              // thumb outline
  // The track's checkerboard alternates the track colour and the button face.
  const QColor a = img.pixelColor(40, 6), bb = img.pixelColor(41, 6), c = img.pixelColor(41, 7);
  EXPECT_NE(a, bb);
  EXPECT_EQ(a, c);
  EXPECT_TRUE((a == QColor(200, 0, 0) && bb == face) || (a == face && bb == QColor(200, 0, 0)));

  b.setEnabled(false);
  img = b.grab().toImage();
  EXPECT_EQ(img.pixelColor(0, 0), Rvb(VersQColor(clBtnShadow, b.palette())));
  EXPECT_EQ(img.pixelColor(75, 8), face);  // no thumb, plain track
  EXPECT_EQ(img.pixelColor(40, 6), face);

  b.setEnabled(true);
  b.SetBackgnd(bgSolid);
  img = b.grab().toImage();
  EXPECT_EQ(img.pixelColor(40, 6), QColor(200, 0, 0));
}
