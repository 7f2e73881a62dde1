#include "service/ServiceSettings.h"

#include <cstdint>
#include <string>
#include <variant>

#include "service/TcadQuarvex.h"

namespace synchub::service {
namespace {

// Where a key's value goes: a text member, an integer member, or nowhere (read and checked only).
using Target = std::variant<std::string TcadQuarvex::*, std::int32_t TcadQuarvex::*, std::monostate>;

struct Setting {
    const char* key;
    const char* def;
    Target target;
};

// In the order the keys are read: a failed conversion stops the reading right there.
const Setting kSettings[] = {
    {"HOST", "", &TcadQuarvex::host},
    {"BANCO", "ERP", &TcadQuarvex::banco},
    {"PORTA", "3306", &TcadQuarvex::porta},
    {"USUARIO", "SYNCUSER", &TcadQuarvex::usuario},
    {"SENHA", "531862", &TcadQuarvex::senha},
    {"HOST_I", "", &TcadQuarvex::hostint},
    {"BANCO_I", "ERP", &TcadQuarvex::bancoint},
    {"PORTA_I", "3306", &TcadQuarvex::portaint},
    {"USUARIO_I", "SYNCUSER", &TcadQuarvex::usuarioint},
    {"SENHA_I", "531862", &TcadQuarvex::senhaint},
    {"EMPRESA", "1", &TcadQuarvex::_empresa},
    {"TIPOMOVIMENTO", "0", &TcadQuarvex::_tipomovimento},
    {"SETOR", "0", std::monostate{}},  // checked as an integer, not used further
    {"HISTORICO", "0", &TcadQuarvex::_historico},
    {"TABELACUSTO", "0", &TcadQuarvex::_tabelacusto},
    {"TEMPOQUARVEX", "1800000", &TcadQuarvex::tempo},
};

}  // namespace

void readSettings(TcadQuarvex& module, const IniFile& ini) {
    for (const Setting& s : kSettings) {
        const std::string value = ini.readString(kIniSection, s.key, s.def);
        if (const auto* text = std::get_if<std::string TcadQuarvex::*>(&s.target)) {
            module.*(*text) = value;
        } else if (const auto* number = std::get_if<std::int32_t TcadQuarvex::*>(&s.target)) {
            module.*(*number) = toInt32(value);
        } else {
            (void)toInt32(value);
        }
    }
}

}  // namespace synchub::service
