#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace synchub::test {

using Rows = std::vector<std::vector<std::string>>;

// The description tables that the product selection joins.
inline const std::string kProdutoDescricoes = R"(
    create table marca (codigo int primary key, descricao varchar(20));
    create table modelo (codigo int primary key, descricao varchar(20));
    create table grupo (codigo int primary key, descricao varchar(20));
    create table unidade (codigo int primary key, descricao varchar(20));
)";

// One export run against schemas and rows of its own, with what both databases and the monitor
// log must hold afterwards.
struct ExportCase {
    const char* name;
    const char* tabela;
    bool foto;
    std::string erpSchema;
    const char* appSchema;
    const char* appQuery;
    Rows appRows;
    const char* erpQuery;
    Rows erpRows;
    std::vector<std::string> log;
};

inline void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.name;
}

class ExportCaseTest : public SyncFixture, public ::testing::WithParamInterface<ExportCase> {
  protected:
    // Builds both schemas, runs the export and checks the log and both databases.
    void runCase() {
        const ExportCase& c = GetParam();
        erp.script(c.erpSchema);
        app.script(c.appSchema);

        module->Enviasincronizmo(c.tabela, c.foto);

        EXPECT_EQ(logLines(), c.log);
        EXPECT_EQ(app.rows(c.appQuery), c.appRows);
        EXPECT_EQ(erp.rows(c.erpQuery), c.erpRows);
    }
};

// Test names from the cases' names.
inline std::string caseName(const ::testing::TestParamInfo<ExportCase>& info) {
    return info.param.name;
}

}  // namespace synchub::test
