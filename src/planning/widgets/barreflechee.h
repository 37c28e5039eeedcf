#pragma once
// A bar of our own drawing with an arrow button at each end and a track between them. It
// remembers which part the left button went down on and repeats the press on a timer:
// once at once, again after 600 ms, then every 100 ms while the button stays down.

#include <QWidget>
#include <functional>

#include "base/tcolor.h"

class QTimer;

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TRBBackgnd { bgPattern, bgSolid, bgMix };
enum TDirectionFleche { dfGauche, dfHaut, dfDroite, dfBas };

// Colour helpers of the bar's painting; colours are plain RGB after resolving system colours.
namespace CouleursBarre {
// Each of red, green and blue + iDelta, kept within 0..255.
TColor Eclaircir(TColor c, int iDelta);
// Each channel = (c1 * alpha + c2 * (255 - alpha)) div 255, alpha kept within 0..255.
TColor Melanger(TColor c1, TColor c2, int iAlpha);
TColor EnRGB(TColor c);
}  // namespace CouleursBarre

class TBarreFlechee : public QWidget {
  Q_OBJECT
 public:
  // Parts of the bar, as HitTest returns them.
  enum TPartie { ptAucune = 0, ptFleche1 = 1, ptFleche2 = 2, ptCurseur = 3, ptAvant = 4, ptApres = 5 };

  explicit TBarreFlechee(QWidget* xParent = nullptr);
  ~TBarreFlechee() override;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind v);
  TRBBackgnd Backgnd() const { return FBackgnd; }
  void SetBackgnd(TRBBackgnd v);
  bool Framed() const { return FFramed; }
  void SetFramed(bool v);
  TColor HandleColor() const { return FHandleColor; }
  void SetHandleColor(TColor v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);

  // Fired on every position change, then OnUserChange when the change came from the mouse.
  std::function<void(TBarreFlechee*)> OnChange;
  std::function<void(TBarreFlechee*)> OnUserChange;
  // Mouse events, fired before the bar's own handling.
  std::function<void(TBarreFlechee*, QMouseEvent*)> OnMouseDown;
  std::function<void(TBarreFlechee*, QMouseEvent*)> OnMouseMove;
  std::function<void(TBarreFlechee*, QMouseEvent*)> OnMouseUp;

  int PartiePressee() const { return FPartiePressee; }
  QTimer* TimerRepetition() const { return FTimer; }

  // Geometry along the bar's axis.
  int Longueur() const;    // Width for a horizontal bar, Height for a vertical one
  int Epaisseur() const;   // the other dimension
  int TailleFleche() const;
  QRect RectFleche1() const;
  QRect RectFleche2() const;
  QRect RectPiste() const;  // between the arrows, the whole thickness

  QSize sizeHint() const override;

 protected:
  virtual void Change();
  virtual void DrawArrow(QPainter& p, const QRect& r, bool bPressed, bool bEnabled,
                         TDirectionFleche direction);
  virtual void BuildPattern();
  virtual bool IsEnabled() const;
  virtual int HitTest(int X, int Y) const;
  virtual void TimerTick();

  // Paints the frame, the arrows and the track; the scroll bar adds its thumb.
  void paintEvent(QPaintEvent*) override;
  void PeindreBarre(QPainter& p);
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void changeEvent(QEvent* e) override;

  bool FChangementUtilisateur = false;
  int FPartiePressee = ptAucune;
  QImage* FMotif;
  QTimer* FTimer;
  bool FPremierTick = false;
  QPoint FPointPression;

 private:
  TScrollBarKind FKind = sbHorizontal;
  TRBBackgnd FBackgnd = bgPattern;
  bool FFramed = true;
  TColor FHandleColor = clBtnShadow;
  TColor FColor = clBtnShadow;
};

// Outline of one pixel along the inner edges of r.
void CadreRect(QPainter& p, const QRect& r, const QColor& c);
// Left and top edges in cHaut, right and bottom edges in cBas; r then shrinks by one pixel.
void Cadre3D(QPainter& p, QRect& r, const QColor& cHaut, const QColor& cBas);
