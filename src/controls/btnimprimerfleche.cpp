#include "controls/btnimprimerfleche.h"

#include <QHelpEvent>
#include <QMenu>
#include <QPrinterInfo>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <QToolTip>

#include "controls/icones.h"
#include "controls/traduction.h"

namespace {

std::function<QString()>& LecteurImprimante() {
  static std::function<QString()> f = [] { return QPrinterInfo::defaultPrinterName(); };
  return f;
}

bool EstListe(TImpressionDefaut v) { return v == tiListeApercu || v == tiListeImpression; }
bool EstDirecte(TImpressionDefaut v) { return v == tiListeImpression || v == tiFicheImpression; }
TImpressionDefaut Valeur(bool bDirecte, bool bListe) {
  if (bListe) return bDirecte ? tiListeImpression : tiListeApercu;
  return bDirecte ? tiFicheImpression : tiFicheApercu;
}

// The main part: the picture at the left, the caption centred in the rest, no margins
// wasted, so that "Imprimer" fits a button 62 pixels wide.
class TPartiePrincipale : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    opt.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);
    const bool enfonce = isDown();
    QRect r = rect().adjusted(3, 0, -1, 0);
    if (enfonce) r.translate(1, 1);
    const QPixmap image = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.drawPixmap(r.left(), r.top() + (r.height() - image.height()) / 2, image);
    r.setLeft(r.left() + image.width() + 2);
    // A caption too wide for the part is drawn smaller rather than cut.
    QFont police = font();
    while (QFontMetrics(police).horizontalAdvance(text()) > r.width() && police.pointSizeF() > 6)
      police.setPointSizeF(police.pointSizeF() - 0.5);
    p.setFont(police);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text());
  }
};

}  // namespace

void TBtnImprimerFleche::SetLecteurImprimante(std::function<QString()> f) {
  LecteurImprimante() = f ? std::move(f) : [] { return QPrinterInfo::defaultPrinterName(); };
}

TBtnImprimerFleche::TBtnImprimerFleche(QWidget* xParent) : QWidget(xParent) {
  FPrincipal = new TPartiePrincipale(this);
  FPrincipal->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  FPrincipal->setText(TexteRessource("Imprimer"));
  FPrincipal->setIconSize(QSize(16, 16));
  FFleche = new QToolButton(this);
  FFleche->setIcon(IconeControle("BTNFLECHEBAS"));
  FFleche->setIconSize(QSize(9, 16));
  // The tool tips come from Hint(), asked when shown.
  FPrincipal->installEventFilter(this);
  FFleche->installEventFilter(this);
  SetGlyph(QPixmap());
  connect(FPrincipal, &QToolButton::clicked, this, [this] { ClicPrincipal(); });
  connect(FFleche, &QToolButton::clicked, this, [this] { OuvrirMenu(); });
  resize(75, 25);
  PlacerParties();
}

void TBtnImprimerFleche::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PlacerParties();
}

// The main part fills the width but the 13 pixels of the arrow part at the right.
void TBtnImprimerFleche::PlacerParties() {
  FPrincipal->setGeometry(0, 0, std::max(0, width() - 13), height());
  FFleche->setGeometry(std::max(0, width() - 13), 0, 13, height());
}

void TBtnImprimerFleche::SetTypeImpression(int iType) {
  FTypeImpression = iType & (tiListe | tiFiche);
  FImpressionDefaut = (FTypeImpression & tiListe) ? tiListeApercu : tiFicheApercu;
}

void TBtnImprimerFleche::SetImpressionDefaut(TImpressionDefaut v) {
  if (EstListe(v) && !(FTypeImpression & tiListe)) return;
  if (!EstListe(v) && !(FTypeImpression & tiFiche)) return;
  FImpressionDefaut = v;
}

void TBtnImprimerFleche::SetEnabledBoutons(bool b) {
  FEnabledBoutons = b;
  MettreAJourParties();
}

void TBtnImprimerFleche::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) MettreAJourParties();
}

void TBtnImprimerFleche::MettreAJourParties() {
  const bool actif = FEnabledBoutons && isEnabled();
  FPrincipal->setEnabled(actif);
  FFleche->setEnabled(actif);
}

QString TBtnImprimerFleche::Caption() const { return FPrincipal->text(); }
void TBtnImprimerFleche::SetCaption(const QString& ch) { FPrincipal->setText(ch); }

void TBtnImprimerFleche::SetGlyph(const QPixmap& image) {
  if (image.isNull()) {
    FGlyph = ImageControle("BTNIMPRESSION");
    FNumGlyphs = 2;
  } else {
    FGlyph = image;
    FNumGlyphs = 1;
  }
  FPrincipal->setIcon(QIcon(FGlyph));
}

void TBtnImprimerFleche::SetHintDefaut(const QString& ch) { FHintDefaut = ch; }

QString TBtnImprimerFleche::Hint() const {
  if (!FHintDefaut.isEmpty()) return FHintDefaut;
  QString hint;
  switch (FImpressionDefaut) {
    case tiListeApercu: hint = TexteRessource("Aperçu de la liste"); break;
    case tiFicheApercu: hint = TexteRessource("Aperçu d'une fiche"); break;
    case tiListeImpression: hint = TexteRessource("Impression directe de la liste"); break;
    case tiFicheImpression: hint = TexteRessource("Impression directe d'une fiche"); break;
  }
  // No printer at all is an ordinary case: the hint then names none.
  const QString imprimante = LecteurImprimante()();
  if (!imprimante.isEmpty())
    hint += QChar('\n') + TexteRessource("Imprimante") + QStringLiteral(" : ") + imprimante;
  return hint;
}

// The hint is built when it is about to show, so that it names the current printer.
bool TBtnImprimerFleche::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::ToolTip && (o == FPrincipal || o == FFleche)) {
    QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), Hint(), static_cast<QWidget*>(o));
    return true;
  }
  return QWidget::eventFilter(o, e);
}

void TBtnImprimerFleche::ClicPrincipal() {
  FImpressionDirecte = EstDirecte(FImpressionDefaut);
  FImpressionListe = EstListe(FImpressionDefaut);
  if (OnClickMenu) OnClickMenu(this, FImpressionDirecte, FImpressionListe);
}

void TBtnImprimerFleche::Choisir(bool bDirecte, bool bListe) {
  FImpressionDirecte = bDirecte;
  FImpressionListe = bListe;
  FImpressionDefaut = Valeur(bDirecte, bListe);
  if (OnClickMenu) OnClickMenu(this, bDirecte, bListe);
  if (FMenu) {
    FMenu->hide();
    FMenu->deleteLater();
  }
}

void TBtnImprimerFleche::OuvrirMenu() {
  if (FMenu) FMenu->deleteLater();
  FMenu = new QMenu(this);
  auto entrees = [this](QMenu* m, bool bListe) {
    m->addAction(TexteRessource("Impression directe"), this, [this, bListe] { Choisir(true, bListe); });
    m->addAction(TexteRessource("Aperçu"), this, [this, bListe] { Choisir(false, bListe); });
  };
  const bool liste = FTypeImpression & tiListe, fiche = FTypeImpression & tiFiche;
  if (liste && fiche) {
    entrees(FMenu->addMenu(TexteRessource("Fiche")), false);
    entrees(FMenu->addMenu(TexteRessource("Liste")), true);
  } else {
    entrees(FMenu, liste);
  }
  FMenu->popup(mapToGlobal(rect().center()));
}
