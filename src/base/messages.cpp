#include "base/messages.h"

#include <cstdio>

namespace {

class TServiceConsole : public IServiceMessages {
 public:
  void Attention(const QString& chTexte) override { Ecrire("Attention", chTexte); }
  void Erreur(const QString& chTexte) override { Ecrire("Erreur", chTexte); }
  bool Confirmation(const QString& chTexte) override {
    Ecrire("Question (réponse : Non)", chTexte);
    return false;
  }
  void Bip() override {}

 private:
  static void Ecrire(const char* chGenre, const QString& chTexte) {
    std::fprintf(stderr, "[%s] %s\n", chGenre, chTexte.toUtf8().constData());
  }
};

TServiceConsole gConsole;
IServiceMessages* gService = &gConsole;

}  // namespace

IServiceMessages* InstallerServiceMessages(IServiceMessages* xService) {
  IServiceMessages* ancien = gService;
  gService = xService ? xService : &gConsole;
  return ancien;
}

IServiceMessages& ServiceMessages() { return *gService; }

void MsgAttention(const QString& chTexte) { gService->Attention(chTexte); }
void MsgErreur(const QString& chTexte) { gService->Erreur(chTexte); }
bool MsgConfirmation(const QString& chTexte) { return gService->Confirmation(chTexte); }
void Bip() { gService->Bip(); }

void MessageBip(const QString& chTexte) {
  gService->Bip();
  gService->Attention(chTexte);
}
