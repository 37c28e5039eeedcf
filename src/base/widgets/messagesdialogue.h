#pragma once
#include "base/messages.h"

// The message service of the running application: real modal boxes in French, and the
// system beep.
class TServiceMessagesDialogue : public IServiceMessages {
 public:
  void Attention(const QString& chTexte) override;
  void Erreur(const QString& chTexte) override;
  bool Confirmation(const QString& chTexte) override;
  void Bip() override;
};
