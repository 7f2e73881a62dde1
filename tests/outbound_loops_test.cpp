// The exports that run loops of their own: stock, price list items and receivables.
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class OutboundStock : public SyncFixture {};

TEST_F(OutboundStock, SendsPositiveSumsPerSectorProductAndBatch) {
    erp.script(R"(
        create table produto (codigo int primary key, mostrarnoapp char(1));
        insert into produto values (10, 'S'), (11, 'N'), (12, 'S');
        create table est_items (codigo int auto_increment primary key, setor int, produto int, lote varchar(20),
                                vencimento date, quantidade double, empresa int, tipo char(1));
        insert into est_items (setor, produto, lote, vencimento, quantidade) values
            (1, 10, null, '2027-01-31', 5), (1, 10, null, '2027-01-31', 3),
            (1, 10, 'L''1', '2027-02-28', 4),
            (0, 10, 'A', '2027-01-31', 9),
            (2, 10, 'B', '2027-01-31', 2), (2, 10, 'B', '2027-01-31', -2),
            (1, 11, 'C', '2027-01-31', 6),
            (3, 12, 'D', null, 1.5);)");
    // The null batch meets the app row whose lote is empty; a sum that fell to 0 leaves its app row
    // with the last quantity sent.
    app.script(R"(
        create table estoque (id int auto_increment primary key, setor int, produto int,
                              lote varchar(20) not null default '', vencimento date, quantidade double);
        insert into estoque (setor, produto, lote, vencimento, quantidade) values
            (1, 10, '', null, 1), (2, 10, 'B', '2020-01-01', 7);)");

    // Run over the test's UTF-8 connection: the selection must be accepted there.
    module->Enviasincronizmo("estoque", false);

    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"ENVIANDO TABELA estoque", "estoqueENVIADO COM SUCESSO"}));
    EXPECT_EQ(app.rows("select id, setor, produto, lote, vencimento, quantidade from estoque order by id"),
              (Rows{{"1", "1", "10", "", "2027-01-31", "8"},
                    {"2", "2", "10", "B", "2020-01-01", "7"},
                    {"3", "1", "10", "L'1", "2027-02-28", "4"},
                    {"4", "3", "12", "D", "NULL", "1.5"}}));
}

class OutboundPriceList : public SyncFixture {};

TEST_F(OutboundPriceList, WritesOrWithdrawsItemsAndMarksBoth) {
    erp.script(R"(
        create table produto (codigo int primary key, nome varchar(20));
        insert into produto values (10, 'Parafuso'), (11, 'Porca'), (12, 'Prego');
        create table tabela_preco (codigo int primary key, descricao varchar(20), permitedesconto char(1),
                                   mostrarnoapp char(1));
        insert into tabela_preco values (1, 'Varejo', 'S', 'S'), (2, 'Atacado', 'N', 'N'), (3, 'Promo', 'S', null),
                                        (4, 'Minusculo', 'S', 's');
        create table items_tabela (codigo int primary key, tabela int, produto int, valor double, sincronizado char(1));
        insert into items_tabela values
            (1, 1, 10, 9.9, 'N'), (2, 1, 11, 5.5, null), (3, 2, 10, 7, 'N'), (4, 99, 10, 7, 'N'),
            (5, 1, 12, 3, 'S'), (6, 3, 10, 1, 'N'), (7, 4, 10, 2, 'N');)");
    // Keyed by the pair; mostrarnoapp is never copied, codigo is written as 0.
    app.script(R"(
        create table items_tabela (tabela int, produto int, codigo int, valor double, descricao varchar(20),
                                   permitedesconto char(1), mostrarnoapp char(1) default 'X',
                                   primary key (tabela, produto));
        insert into items_tabela values (1, 11, 44, 1, 'Velha', 'N', 'X'), (2, 10, 45, 7, 'Atacado', 'N', 'X'),
                                        (99, 10, 46, 7, 'Sumida', 'N', 'X'), (2, 11, 47, 8, 'Atacado', 'N', 'X'),
                                        (4, 10, 48, 2, 'Minusculo', 'S', 'X');)");

    module->Enviasincronizmo("items_tabela", false);

    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"ENVIANDO TABELA items_tabela", "items_tabelaENVIADO COM SUCESSO"}));
    EXPECT_EQ(app.rows("select tabela, produto, codigo, valor, descricao, permitedesconto, mostrarnoapp "
                       "from items_tabela order by tabela, produto"),
              (Rows{{"1", "10", "0", "9.9", "Varejo", "S", "X"},
                    {"1", "11", "0", "5.5", "Varejo", "S", "X"},
                    {"2", "11", "47", "8", "Atacado", "N", "X"}}));
    EXPECT_EQ(erp.rows("select codigo, sincronizado from items_tabela order by codigo"),
              (Rows{{"1", "S"}, {"2", "S"}, {"3", "S"}, {"4", "S"}, {"5", "S"}, {"6", "S"}, {"7", "S"}}));
}

class OutboundReceivables : public SyncFixture {};

TEST_F(OutboundReceivables, RebuildsFinanceiroFromOverdueOpenPositiveReceivables) {
    erp.script(R"(
        create table ct_receber (codigo int primary key, parcela int, cliente int, vencimento date, valor double,
                                 status char(1));
        insert into ct_receber values
            (1, 1, 100, current_date - interval 10 day, 50.5, 'A'),
            (2, 2, 100, current_date - interval 1 day, 20, 'A'),
            (3, 1, 101, current_date - interval 5 day, 30, 'P'),
            (4, 1, 102, current_date, 40, 'A'),
            (5, 1, 103, current_date - interval 3 day, 0, 'A'),
            (6, 1, 104, current_date - interval 3 day, -5, 'A');)");
    app.script(R"(
        create table financeiro (id int auto_increment primary key, ct_receber int, cliente int, parcela int,
                                 vencimento datetime, valor double, status char(1) default 'X');
        insert into financeiro (ct_receber, cliente, parcela, vencimento, valor) values (99, 1, 1, '2020-01-01', 1);)");
    const char* const financeiro =
        "select ct_receber, cliente, parcela, datediff(current_date, vencimento), time(vencimento), valor, "
        "status "
        "from financeiro order by ct_receber";

    module->Enviasincronizmo("ct_receber", false);

    EXPECT_EQ(app.rows(financeiro), (Rows{{"1", "100", "1", "10", "00:00:00", "50.5", "X"},
                                          {"2", "100", "2", "1", "00:00:00", "20", "X"}}));

    // Once nothing is overdue any more, the next run leaves financeiro empty.
    erp.exec("update ct_receber set status = 'P'");
    module->Enviasincronizmo("ct_receber", false);

    EXPECT_EQ(app.rows(financeiro), Rows{});
    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"ENVIANDO TABELA ct_receber", "ct_receberENVIADO COM SUCESSO",
                                        "ENVIANDO TABELA ct_receber", "ct_receberENVIADO COM SUCESSO"}));
}

}  // namespace
}  // namespace synchub::test
