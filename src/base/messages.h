#pragma once
// Message boxes and beeps go through one replaceable service. The application installs the
// dialog service of base/widgets; tests install a TReponseurScripte; with nothing installed
// texts go to the standard error output and questions are answered No.

#include <QString>

class IServiceMessages {
 public:
  virtual ~IServiceMessages() = default;
  virtual void Attention(const QString& chTexte) = 0;   // warning box
  virtual void Erreur(const QString& chTexte) = 0;      // error box
  virtual bool Confirmation(const QString& chTexte) = 0;  // Yes / No question; True = Yes
  virtual void Bip() = 0;
};

// Installs a service (not owned); nullptr gives the default one back. Returns the previous one.
IServiceMessages* InstallerServiceMessages(IServiceMessages* xService);
IServiceMessages& ServiceMessages();

void MsgAttention(const QString& chTexte);
void MsgErreur(const QString& chTexte);
bool MsgConfirmation(const QString& chTexte);
void Bip();
// Beeps, then shows the text in a warning box.
void MessageBip(const QString& chTexte);
