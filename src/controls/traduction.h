#pragma once
// The translation layer: every resource text of the program goes through TraduireTexte and
// every window through TraduireFiche. With no language set (the normal case) a text that
// begins with a key in square brackets is shown without it and forms keep their own texts.
//
// A language file is an ini file "Language/<program>.<code>.lang" beside the executable:
// section "resourcestring" for the resource texts (keyed by their bracketed key, or by their
// escaped text), one section per form or frame class (class name without its first letter)
// with keys "<component>.<property>".

#include <QHash>
#include <QString>

class QObject;
class QWidget;

// A small ini file read whole into memory: sections and keys are compared without case.
class TFichierIni {
 public:
  bool Charger(const QString& chChemin);
  void ChargerTexte(const QString& chTexte);
  QString LitTexte(const QString& chSection, const QString& chCle, const QString& chDefaut) const;

 private:
  QHash<QString, QHash<QString, QString>> FSections;
};

class TTraduction {
 public:
  TTraduction();
  ~TTraduction();

  const QString& Langue() const { return FLangue; }
  // A new code is looked up again on the next text; "xxx" is the debug mode.
  void SetLangue(const QString& chLangue);
  bool ModeDebug() const { return FDebug; }
  // Whether a language is in use; loads its file on the first call after a code is set.
  bool Actif();

  // The folder of the language files ("Language" beside the program) and the program's
  // name used for the file names; tests point them elsewhere.
  void SetDossierLangues(const QString& chDossier) { FDossier = chDossier; }
  void SetNomProgramme(const QString& chNom) { FNomProgramme = chNom; }
  QString DossierLangues() const;
  QString CheminFichier(const QString& chLangue) const;

  // A resource text of the program, translated; the result is cached under the text.
  QString TraduireTexte(const QString& chTexte);
  // Every caption, text, hint, list and column title of a window and of its components.
  void TraduireFiche(QWidget* xFiche);

  static QString Echapper(const QString& ch);
  static QString Desechapper(const QString& ch);

 private:
  void TraduireComposant(QObject* xComposant, const QString& chSection);
  QString TraduireValeur(const QString& chSection, const QString& chCle, const QString& chValeur);

  QString FLangue;
  bool FDebug = false;
  bool FCharge = false;
  bool FCreerDossier = true;
  TFichierIni* FFichier = nullptr;
  QHash<QString, QString> FCache;
  QString FDossier;
  QString FNomProgramme;
};

// The layer of the process, created on first use.
TTraduction& Traduction();
// Shorthand for a resource text of the program.
QString TexteRessource(const QString& chTexte);
// A component marked so is a frame: its components are translated in its own section.
inline constexpr const char* ProprieteCadre = "cadre";
