#pragma once
// The one exception type of the program's own refusals and failures; database errors
// derive from it and add the server's codes.

#include <QString>
#include <exception>

class EErreur : public std::exception {
 public:
  explicit EErreur(QString chMessage) : FMessage(std::move(chMessage)), FUtf8(FMessage.toUtf8()) {}
  const QString& Message() const { return FMessage; }
  const char* what() const noexcept override { return FUtf8.constData(); }

 private:
  QString FMessage;
  QByteArray FUtf8;
};
