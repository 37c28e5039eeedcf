#pragma once
// The split print button of the data screens: the main part runs the default choice, the
// arrow part offers direct printing or preview of the list and/or of a single record. It
// prints nothing itself: it reports the user's choice to its owner.

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>

#include <QMenu>
class QToolButton;

enum TTypeImpressionElement { tiListe = 1, tiFiche = 2 };
enum TImpressionDefaut { tiListeApercu, tiFicheApercu, tiListeImpression, tiFicheImpression };

class TBtnImprimerFleche : public QWidget {
  Q_OBJECT
 public:
  explicit TBtnImprimerFleche(QWidget* xParent = nullptr);

  // A combination of tiListe and tiFiche.
  int TypeImpression() const { return FTypeImpression; }
  void SetTypeImpression(int iType);
  TImpressionDefaut ImpressionDefaut() const { return FImpressionDefaut; }
  void SetImpressionDefaut(TImpressionDefaut v);
  bool ImpressionDirecte() const { return FImpressionDirecte; }
  void SetImpressionDirecte(bool b) { FImpressionDirecte = b; }
  bool ImpressionListe() const { return FImpressionListe; }
  bool EnabledBoutons() const { return FEnabledBoutons; }
  void SetEnabledBoutons(bool b);
  QString Caption() const;
  void SetCaption(const QString& ch);
  QPixmap Glyph() const { return FGlyph; }
  // An empty picture gives the default one back (with 2 glyphs); a given one has 1.
  void SetGlyph(const QPixmap& image);
  int NumGlyphs() const { return FNumGlyphs; }
  QString HintDefaut() const { return FHintDefaut; }
  void SetHintDefaut(const QString& ch);

  // The hint of the main part: HintDefaut, or the default choice and the default printer.
  QString Hint() const;
  // The default printer's name; replaceable for tests. Empty when there is none.
  static void SetLecteurImprimante(std::function<QString()> f);

  QToolButton* PartiePrincipale() const { return FPrincipal; }
  QToolButton* PartieFleche() const { return FFleche; }
  QMenu* Menu() const { return FMenu; }

  std::function<void(TBtnImprimerFleche*, bool bDirecte, bool bListe)> OnClickMenu;

  QSize sizeHint() const override { return QSize(75, 25); }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ClicPrincipal();
  void OuvrirMenu();
  void Choisir(bool bDirecte, bool bListe);
  void MettreAJourParties();
  void PlacerParties();

  int FTypeImpression = tiListe;
  TImpressionDefaut FImpressionDefaut = tiListeApercu;
  bool FImpressionDirecte = false;
  bool FImpressionListe = true;
  bool FEnabledBoutons = true;
  QPixmap FGlyph;
  int FNumGlyphs = 2;
  QString FHintDefaut;
  QToolButton* FPrincipal;
  QToolButton* FFleche;
  QPointer<QMenu> FMenu;
};
