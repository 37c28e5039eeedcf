#pragma once
// Creating a new database file from the scripts shipped inside the program (the schema
// and the demonstration data): the embedded default database is made this way the first
// time the program starts without it.
#include <QString>
#include <QStringList>

class TConnexion;

namespace CreationBase {

// Where the scripts are found in the program's resources.
inline constexpr const char* ScriptSchema = ":/db/schema.sql";
inline constexpr const char* ScriptDemo = ":/db/demo.sql";

// Splits a script written for isql into the statements to send: ";" ends a statement
// until "SET TERM x ;" makes x the terminator (for PSQL bodies); terminators inside
// strings, quoted names and comments do not count; comments are dropped. The isql
// settings (SET TERM, SET SQL DIALECT, SET NAMES, other SET commands) are not returned;
// "COMMIT" is returned as such. A last statement without terminator is kept. Throws
// EErreur for what a program cannot run (INPUT, CREATE DATABASE, CONNECT) and for an
// unterminated string or comment.
QStringList DecouperScript(const QString& chScript);

// Runs the statements of a script on an open connection, in one transaction committed
// after each run of definitions (rows cannot use definitions not committed yet), at each
// "COMMIT" and at the end. An error rolls back what was not committed
// yet and throws it again with the statement's number in front of the server's message.
void ExecuterScript(TConnexion& cnx, const QString& chScript);

// Reads a script (a file or a resource) as UTF-8. Throws EErreur when it cannot be read.
QString LireScript(const QString& chChemin);

// Creates the database chChemin with the connection parameters (user_name, password,
// lc_ctype...), runs the schema and, when bDemo, the demonstration data. On failure the
// half-made file is dropped and the error thrown ("Erreur dans CreerBase : " + message).
void CreerBase(const QString& chChemin, const QStringList& params, bool bDemo = true);

// True when chChemin names a file of this computer (not "serveur:chemin").
bool EstCheminLocal(const QString& chChemin);

// Creates the database when chChemin is a local path whose file does not exist yet;
// returns true when it did. A server path or an existing file is left alone.
bool CreerSiAbsente(const QString& chChemin, const QStringList& params, bool bDemo = true);

}  // namespace CreationBase
