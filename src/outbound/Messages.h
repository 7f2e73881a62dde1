#pragma once

#include <string>

// Monitor log lines and failure messages of the outbound direction, each built in one place.
namespace synchub::outbound::messages {

// First line of a table-mode export.
inline std::string tableStart(const std::string& tabela) {
    return "ENVIANDO TABELA " + tabela;
}
// First line of a photo-mode export.
inline std::string photoStart(const std::string& tabela) {
    return "ENVIANDO " + tabela;
}
// Last line of a table-mode export; the table name runs straight into the words.
inline std::string tableDone(const std::string& tabela) {
    return tabela + "ENVIADO COM SUCESSO";
}
// Last line of a photo-mode export.
inline std::string photoDone(const std::string& tabela) {
    return tabela + " ENVIADO COM SUCESSO.";
}
// Line of an export that failed, in either mode.
inline std::string exportFailed(const std::string& tabela, const std::string& message) {
    return "ENVIANDO " + tabela + " erro: " + message;
}

// The app refused a row in table mode; the database's own message is not carried.
inline std::string writeFailed(const std::string& tabela, const std::string& codigo) {
    return "Erro ao gravar dados da tabela: " + tabela + " codigo: " + codigo;
}
// The ERP refused the default marker.
inline std::string markFailed(const std::string& tabela) {
    return "Erro ao atualizar como sincronizado a tabela: " + tabela;
}
// The ERP refused the marker of a cliente or produto row (`kind` names which).
inline std::string markFailed(const std::string& tabela, const std::string& kind, const std::string& codigo) {
    return markFailed(tabela) + " " + kind + ": " + codigo;
}

// First line of a status return that found pending orders.
inline std::string statusStart(const std::string& tabela) {
    return "ENVIANDO STATUS DE " + tabela;
}
// Line of a status return that failed.
inline std::string statusFailed(const std::string& tabela, const std::string& message) {
    return "ENVIANDO STATUS DE " + tabela + " erro: " + message;
}

}  // namespace synchub::outbound::messages
