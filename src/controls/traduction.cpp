#include "controls/traduction.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

// ---------------------------------------------------------------- ini file

bool TFichierIni::Charger(const QString& chChemin) {
  QFile f(chChemin);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray octets = f.readAll();
  // Files written on the workstations are in the Western European code page; UTF-8 files
  // are read as such.
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString texte = utf8(octets);
  if (utf8.hasError()) texte = QString::fromLatin1(octets);
  ChargerTexte(texte);
  return true;
}

void TFichierIni::ChargerTexte(const QString& chTexte) {
  QString section;
  const QStringList lignes = chTexte.split(QChar('\n'));
  for (QString ligne : lignes) {
    if (ligne.endsWith(QChar('\r'))) ligne.chop(1);
    const QString net = ligne.trimmed();
    if (net.isEmpty() || net.startsWith(QChar(';'))) continue;
    if (net.startsWith(QChar('[')) && net.endsWith(QChar(']'))) {
      section = net.mid(1, net.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype egal = ligne.indexOf(QChar('='));
    if (egal <= 0) continue;
    const QString cle = ligne.left(egal).trimmed().toLower();
    // The first value of a key wins, as for a lookup in the file's order.
    auto& valeurs = FSections[section];
    if (!valeurs.contains(cle)) valeurs.insert(cle, ligne.mid(egal + 1));
  }
}

QString TFichierIni::LitTexte(const QString& chSection, const QString& chCle,
                              const QString& chDefaut) const {
  const auto s = FSections.constFind(chSection.toLower());
  if (s == FSections.constEnd()) return chDefaut;
  const auto v = s->constFind(chCle.trimmed().toLower());
  return v == s->constEnd() ? chDefaut : *v;
}

// ---------------------------------------------------------------- layer

TTraduction& Traduction() {
  static TTraduction instance;
  return instance;
}

QString TexteRessource(const QString& chTexte) { return Traduction().TraduireTexte(chTexte); }

TTraduction::TTraduction() = default;
TTraduction::~TTraduction() { delete FFichier; }

void TTraduction::SetLangue(const QString& chLangue) {
  if (chLangue == FLangue) return;
  FLangue = chLangue;
  FDebug = false;
  FCharge = false;
  delete FFichier;
  FFichier = nullptr;
  FCache.clear();
}

QString TTraduction::DossierLangues() const {
  if (!FDossier.isEmpty()) return FDossier;
  return QCoreApplication::applicationDirPath() + QStringLiteral("/Language");
}

QString TTraduction::CheminFichier(const QString& chLangue) const {
  QString nom = FNomProgramme;
  if (nom.isEmpty()) nom = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return DossierLangues() + QChar('/') + nom + QChar('.') + chLangue.toLower() + QStringLiteral(".lang");
}

bool TTraduction::Actif() {
  if (FLangue.isEmpty()) return false;
  if (FLangue.compare(QStringLiteral("xxx"), Qt::CaseInsensitive) == 0) {
    FDebug = true;
    return true;
  }
  if (FCharge) return true;
  const QString dossier = DossierLangues();
  if (FCreerDossier && !QDir(dossier).exists()) QDir().mkpath(dossier);
  QString chemin;
  if (QDir(dossier).exists()) {
    chemin = CheminFichier(FLangue);
    const QString code = FLangue.toLower();
    if (!QFileInfo::exists(chemin) && (code == QLatin1String("gb") || code == QLatin1String("en")))
      chemin = CheminFichier(code == QLatin1String("gb") ? QStringLiteral("en") : QStringLiteral("gb"));
  }
  auto* fichier = new TFichierIni;
  if (chemin.isEmpty() || !fichier->Charger(chemin)) {
    delete fichier;
    FLangue.clear();
    return false;
  }
  FFichier = fichier;
  FCharge = true;
  return true;
}

QString TTraduction::Echapper(const QString& ch) {
  QString r = ch;
  r.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
  r.replace(QStringLiteral("\n\r"), QStringLiteral("\\n"));
  if (!r.startsWith(QChar('"'))) r = QChar('"') + r + QChar('"');
  return r;
}

QString TTraduction::Desechapper(const QString& ch) {
  QString r;
  r.reserve(ch.size());
  for (qsizetype i = 0; i < ch.size(); ++i) {
    const QChar c = ch.at(i);
    if (c == QChar('\\') && i + 1 < ch.size()) {
      const QChar s = ch.at(++i);
      if (s == QChar('n'))
        r += QStringLiteral("\r\n");
      else if (s == QChar('t'))
        r += QChar('\t');
      else
        r += s;  // a backslash, or any other character, stands for itself
    } else {
      r += c;
    }
  }
  if (r.size() > 1) {
    if (r.startsWith(QChar('"'))) r.remove(0, 1);
    if (r.endsWith(QChar('"'))) r.chop(1);
  }
  return r;
}

QString TTraduction::TraduireTexte(const QString& chTexte) {
  const bool actif = Actif();
  if (!actif) {
    // No language: a bracketed key is never shown.
    if (chTexte.startsWith(QChar('['))) {
      const qsizetype fin = chTexte.indexOf(QChar(']'));
      if (fin >= 0) return chTexte.mid(fin + 1);
    }
    return chTexte;
  }
  const auto c = FCache.constFind(chTexte);
  if (c != FCache.constEnd()) return *c;
  QString resultat;
  if (FDebug) {
    resultat = QStringLiteral("XXX") + chTexte;
  } else {
    const QString section = QStringLiteral("resourcestring");
    const qsizetype fin = chTexte.indexOf(QChar(']'));
    if (chTexte.startsWith(QChar('[')) && fin >= 0) {
      const QString cle = chTexte.mid(1, fin - 1);
      const QString suite = chTexte.mid(fin + 1);
      resultat = FFichier->LitTexte(section, cle, QString());
      if (resultat.isEmpty()) resultat = FFichier->LitTexte(section, suite, suite);
    } else {
      resultat = FFichier->LitTexte(section, Echapper(chTexte), chTexte);
    }
    resultat = Desechapper(resultat);
  }
  FCache.insert(chTexte, resultat);
  return resultat;
}

QString TTraduction::TraduireValeur(const QString& chSection, const QString& chCle,
                                    const QString& chValeur) {
  if (chValeur.isEmpty()) return chValeur;
  if (FDebug) return QStringLiteral("XXX") + chValeur;
  return Desechapper(FFichier->LitTexte(chSection, chCle, chValeur));
}

void TTraduction::TraduireFiche(QWidget* xFiche) {
  if (!xFiche || !Actif()) return;
  TraduireComposant(xFiche, QString::fromLatin1(xFiche->metaObject()->className()).mid(1));
}

// Captions are what the user reads on a component: a button's or a label's text, a group's
// title, a window's title, an action's or a menu's text; "text" is an edit box's content.
void TTraduction::TraduireComposant(QObject* xComposant, const QString& chSection) {
  const QString nom = xComposant->objectName();
  auto cle = [&nom](const QString& propriete) { return nom + QChar('.') + propriete; };
  if (!nom.isEmpty()) {
    auto traduire = [&](const QString& propriete, const QString& valeur) {
      return TraduireValeur(chSection, cle(propriete), valeur);
    };
    bool aCaption = true;
    if (auto* b = qobject_cast<QAbstractButton*>(xComposant))
      b->setText(traduire("caption", b->text()));
    else if (auto* l = qobject_cast<QLabel*>(xComposant))
      l->setText(traduire("caption", l->text()));
    else if (auto* g = qobject_cast<QGroupBox*>(xComposant))
      g->setTitle(traduire("caption", g->title()));
    else if (auto* a = qobject_cast<QAction*>(xComposant))
      a->setText(traduire("caption", a->text()));
    else if (auto* m = qobject_cast<QMenu*>(xComposant))
      m->setTitle(traduire("caption", m->title()));
    else if (auto* w = qobject_cast<QWidget*>(xComposant); w && w->isWindow())
      w->setWindowTitle(traduire("caption", w->windowTitle()));
    else
      aCaption = false;

    if (!aCaption) {
      if (auto* e = qobject_cast<QLineEdit*>(xComposant)) {
        e->setText(traduire("text", e->text()));
      } else if (auto* t = qobject_cast<QPlainTextEdit*>(xComposant)) {
        if (!FDebug) {
          const QString v = Desechapper(FFichier->LitTexte(chSection, cle("lines.text"), QString()));
          if (!v.isEmpty()) t->setPlainText(QString(v).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
      } else if (auto* t2 = qobject_cast<QTextEdit*>(xComposant)) {
        if (!FDebug) {
          const QString v = Desechapper(FFichier->LitTexte(chSection, cle("lines.text"), QString()));
          if (!v.isEmpty()) t2->setPlainText(QString(v).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
      } else if (auto* c = qobject_cast<QComboBox*>(xComposant)) {
        if (!FDebug) {
          const QString v = Desechapper(FFichier->LitTexte(chSection, cle("items.text"), QString()));
          if (!v.isEmpty()) {
            const int courant = c->currentIndex();
            c->clear();
            c->addItems(v.split(QStringLiteral("\r\n")));
            c->setCurrentIndex(std::min(courant, c->count() - 1));
          }
        }
      }
    }
    if (auto* w = qobject_cast<QWidget*>(xComposant))
      w->setToolTip(traduire("hint", w->toolTip()));
    else if (auto* a = qobject_cast<QAction*>(xComposant))
      a->setToolTip(traduire("hint", a->toolTip()));

    // Column titles of a list.
    auto colonne = [&](int i, const char* propriete, const QString& valeur) {
      if (valeur.isEmpty()) return valeur;
      return TraduireValeur(chSection, nom + QStringLiteral(".Columns[%1].").arg(i) +
                                           QLatin1String(propriete), valeur);
    };
    if (auto* tw = qobject_cast<QTreeWidget*>(xComposant)) {
      QTreeWidgetItem* e = tw->headerItem();
      for (int i = 0; e && i < tw->columnCount(); ++i) {
        e->setToolTip(i, colonne(i, "hint", e->toolTip(i)));
        e->setText(i, colonne(i, "caption", e->text(i)));
      }
    } else if (auto* tb = qobject_cast<QTableWidget*>(xComposant)) {
      for (int i = 0; i < tb->columnCount(); ++i) {
        QTableWidgetItem* e = tb->horizontalHeaderItem(i);
        if (!e) continue;
        e->setToolTip(colonne(i, "hint", e->toolTip()));
        e->setText(colonne(i, "caption", e->text()));
      }
    }
    if (auto* onglets = qobject_cast<QTabWidget*>(xComposant)) {
      // Page captions are the tabs' texts.
      for (int i = 0; i < onglets->count(); ++i) {
        QWidget* page = onglets->widget(i);
        if (!page || page->objectName().isEmpty()) continue;
        onglets->setTabText(i, TraduireValeur(chSection, page->objectName() + QStringLiteral(".caption"),
                                              onglets->tabText(i)));
      }
    }
  }
  // A frame is the context of its own components.
  const QString section = xComposant->property(ProprieteCadre).toBool()
                              ? QString::fromLatin1(xComposant->metaObject()->className()).mid(1)
                              : chSection;
  const QObjectList enfants = xComposant->children();
  for (QObject* enfant : enfants) {
    if (enfant->isWidgetType() || qobject_cast<QAction*>(enfant)) TraduireComposant(enfant, section);
  }
}
