#include <gtest/gtest.h>

#include "inbound_fixture.h"

namespace synchub::test {
namespace {

using InboundRows = InboundFixture;

TEST_F(InboundRows, NewCustomersFindOrCreateTheirNeighbourhoodAndExistingOnesAreOnlyMarked) {
    erp.script(R"(
insert into bairro (codigo, nome) values (1, 'CENTRO');
insert into cliente (codigo, razao, fantasia, bairro, id_internet, sincronizado) values (50, 'ANTIGA', 'A', 1, 4, 1);
)");
    app.script(R"(
insert into cliente (codigo, razao, fantasia, bairro, sincronizado, apelido) values
  (1, 'Loja Um', 'Um', 'centro', 0, 'u'),
  (2, 'Loja Dois', 'Dois', 'são joão', 0, 'd'),
  (3, 'O''Brien "\\" Ltda', 'Três', 'd''ajuda \\ "sul"', 0, 't'),
  (4, 'Antiga no app', 'Quatro', 'centro', 0, 'q'),
  (5, 'Sem bairro', 'Cinco', null, 0, 'c'),
  (6, 'Já levado', 'Seis', 'centro', 1, 's');
)");

    const Lines log = logOf([&] { module->Recebesincronizmo("cliente", "id_internet"); });

    EXPECT_EQ(log, (Lines{"RECEBENDO DADOS DE cliente", "cliente RECEBIDO COM SUCESSO."}));
    EXPECT_EQ(erp.rows("select codigo, nome from bairro order by codigo"),
              (Rows{{"1", "CENTRO"}, {"2", "SãO JOãO"}, {"3", "D'AJUDA \\ \"SUL\""}, {"4", ""}}));
    EXPECT_EQ(erp.rows("select codigo, razao, fantasia, bairro, id_internet, sincronizado, opcao, limite "
                       "from cliente order by codigo"),
              (Rows{{"50", "ANTIGA", "A", "1", "4", "1", "CLIENTE", "NULL"},
                    {"51", "Loja Um", "Um", "1", "1", "1", "CLIENTE", "NULL"},
                    {"52", "Loja Dois", "Dois", "2", "2", "1", "CLIENTE", "NULL"},
                    {"53", "O'Brien \"\\\" Ltda", "Três", "3", "3", "1", "CLIENTE", "NULL"},
                    {"54", "Sem bairro", "Cinco", "4", "5", "1", "CLIENTE", "NULL"}}));
    EXPECT_EQ(app.rows("select codigo, sincronizado, id_interno from cliente order by codigo"),
              (Rows{{"1", "1", "51"},
                    {"2", "1", "52"},
                    {"3", "1", "53"},
                    {"4", "1", "50"},
                    {"5", "1", "54"},
                    {"6", "1", "NULL"}}));
}

TEST_F(InboundRows, NewCitiesTakeTheErpNumberAndExistingOnesKeepTheirs) {
    erp.script(
        "insert into cidade (codigo, nome, uf, id_cidade, sincronizado) values (10, 'Lages', 'SC', 3, 'S');");
    app.script(R"(
insert into cidade (codigo, cod, nome, uf, sincronizado) values
  (10, 3, 'Lages do app', 'SC', 'N'),
  (900, 77, 'Nova Érechim', 'SC', 'N'),
  (901, null, 'Sem código', 'PR', 'N'),
  (902, 78, 'Levada', 'RS', 'S');
)");

    const Lines log = logOf([&] { module->Recebesincronizmo("cidade", "codigo"); });

    EXPECT_EQ(log, (Lines{"RECEBENDO DADOS DE cidade", "cidade RECEBIDO COM SUCESSO."}));
    EXPECT_EQ(erp.rows("select codigo, nome, uf, id_cidade, sincronizado from cidade order by codigo"),
              (Rows{{"10", "Lages", "SC", "3", "S"},
                    {"11", "Nova Érechim", "SC", "77", "S"},
                    {"12", "Sem código", "PR", "0", "S"}}));
    EXPECT_EQ(app.rows("select codigo, cod, nome, sincronizado from cidade order by codigo"),
              (Rows{{"10", "3", "Lages do app", "S"},
                    {"11", "77", "Nova Érechim", "S"},
                    {"12", "NULL", "Sem código", "S"},
                    {"902", "78", "Levada", "S"}}));
}

// A refused ERP row ends the table's import: the rows before it stay carried over, it and the rest
// stay pending, and the line carries the step label of the table.
TEST_F(InboundRows, AFailureEndsTheTableImportWithItsLine) {
    erp.exec(
        "create trigger recusa_cliente before insert on cliente for each row if new.razao = 'FALHA' then "
        "signal sqlstate '45000' set message_text = 'cliente recusado'; end if");
    erp.exec(
        "create trigger recusa_cidade before insert on cidade for each row if new.nome = 'FALHA' then "
        "signal sqlstate '45000' set message_text = 'cidade recusada'; end if");
    app.script(R"(
insert into cliente (codigo, razao, bairro, sincronizado) values (1, 'Boa', 'norte', 0), (2, 'FALHA', 'sul', 0),
  (3, 'Depois', 'leste', 0);
insert into cidade (codigo, cod, nome, sincronizado) values (700, 1, 'Boa', 'N'), (701, 2, 'FALHA', 'N'),
  (702, 3, 'Depois', 'N');
)");
    struct Case {
        std::string tabela, campo_id, line, erpQuery;
        Rows erpRows;
        std::string appQuery;
        Rows appRows;
    };
    const Case cases[] = {
        {"cliente", "id_internet", "gravando tabela cliente . cod pedido a gravar: 0 cliente recusado",
         "select codigo, razao, bairro from cliente", Rows{{"1", "Boa", "1"}},
         "select codigo, sincronizado, id_interno from cliente order by codigo",
         Rows{{"1", "1", "1"}, {"2", "0", "NULL"}, {"3", "0", "NULL"}}},
        {"cidade", "codigo", "gravando  . cod pedido a gravar: 0 cidade recusada",
         "select codigo, nome, id_cidade from cidade", Rows{{"1", "Boa", "1"}},
         "select codigo, sincronizado, cod from cidade order by codigo",
         Rows{{"1", "S", "1"}, {"701", "N", "2"}, {"702", "N", "3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tabela);
        erp.exec("delete from log_monitor");
        const Lines log = logOf([&] { module->Recebesincronizmo(c.tabela, c.campo_id); });
        EXPECT_EQ(log, (Lines{"RECEBENDO DADOS DE " + c.tabela, c.line}));
        EXPECT_EQ(erp.rows(c.erpQuery), c.erpRows);
        EXPECT_EQ(app.rows(c.appQuery), c.appRows);
    }
    // The neighbourhood of the refused customer was written before its row and stays.
    EXPECT_EQ(erp.rows("select codigo, nome from bairro order by codigo"),
              (Rows{{"1", "NORTE"}, {"2", "SUL"}}));
}

TEST_F(InboundRows, RetornaValorAnswersOrSaysErroWithoutFailing) {
    erp.script("insert into bairro (codigo, nome) values (1, 'CENTRO');");
    struct Case {
        std::string sql, tipo, result;
        Lines log;
    };
    const std::string missing = "Table '" + erp.name() + ".nada' doesn't exist";
    const Case cases[] = {
        {"select nome, codigo from bairro where codigo = 1", "", "CENTRO", {}},
        {"select 41 + 1", "X", "42", {}},
        {"select nome from bairro where codigo = 99", "", "", {}},
        {"select null", "", "", {}},
        {"insert into bairro (codigo, nome) values (2, 'NOVO')", "E", "", {}},
        {"select codigo from bairro where codigo = 2", "E", "", {}},
        {"select * from nada", "", "ERRO", {"Erro na consulta SQL. ERRO: " + missing}},
        {"delete from nada", "E", "ERRO", {"Erro na consulta SQL. ERRO: " + missing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql + " / " + c.tipo);
        erp.exec("delete from log_monitor");
        EXPECT_EQ(module->RetornaValor(c.sql, c.tipo, module->con), c.result);
        EXPECT_EQ(logLines(), c.log);
        EXPECT_FALSE(module->Qaux.active());
        EXPECT_EQ(module->Qaux.sql(), c.sql);
    }
    EXPECT_EQ(erp.rows("select codigo, nome from bairro order by codigo"),
              (Rows{{"1", "CENTRO"}, {"2", "NOVO"}}));

    // Even when the operator cannot be told, the caller only sees "ERRO".
    erp.exec("drop table log_monitor");
    EXPECT_EQ(module->RetornaValor("select * from nada", "", module->con), "ERRO");
}

}  // namespace
}  // namespace synchub::test
