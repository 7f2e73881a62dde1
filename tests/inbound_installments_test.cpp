#include <gtest/gtest.h>

#include "inbound_fixture.h"

namespace synchub::test {
namespace {

using InboundInstallments = InboundFixture;

const db::DateTime kFirstOfMarch{{2024, 3, 1}, {15, 30, 0, 0}};

TEST_F(InboundInstallments, TheValueIsSplitOverTheConditionRowsWithCumulativeDueDates) {
    erp.script(R"(
insert into items_condicao (condicao, ordem, periodo) values (1, 3, 30), (1, 1, 30), (1, 2, 30),
  (2, 1, 30), (2, 2, 60), (2, 3, 90), (3, 1, 15), (4, 1, null), (4, 2, 10);
insert into parcelas_pedido (pedido, parcela, valor, vencimento) values (8, 1, 5, '2020-01-01');
)");
    struct Case {
        std::string what;
        std::int32_t pedido, condicao;
        double valor;
        Rows installments;  // parcela, valor, vencimento, dia, empresa, valor2
    };
    const std::string today = hostDate();
    const Case cases[] = {
        {"three rows of 30 days", 1, 1, 90.0,
         Rows{{"1", "30", "2024-03-31", "NULL", "NULL", "NULL"},
              {"2", "30", "2024-04-30", "NULL", "NULL", "NULL"},
              {"3", "30", "2024-05-30", "NULL", "NULL", "NULL"}}},
        {"unrounded thirds", 2, 1, 100.0,
         Rows{{"1", "33.333333333333336", "2024-03-31", "NULL", "NULL", "NULL"},
              {"2", "33.333333333333336", "2024-04-30", "NULL", "NULL", "NULL"},
              {"3", "33.333333333333336", "2024-05-30", "NULL", "NULL", "NULL"}}},
        {"differing periodo add up", 3, 2, 90.0,
         Rows{{"1", "30", "2024-03-31", "NULL", "NULL", "NULL"},
              {"2", "30", "2024-05-30", "NULL", "NULL", "NULL"},
              {"3", "30", "2024-08-28", "NULL", "NULL", "NULL"}}},
        {"one row", 4, 3, 50.0, Rows{{"1", "50", "2024-03-16", "NULL", "NULL", "NULL"}}},
        {"a null periodo counts 0", 5, 4, -20.0,
         Rows{{"1", "-10", "2024-03-01", "NULL", "NULL", "NULL"},
              {"2", "-10", "2024-03-11", "NULL", "NULL", "NULL"}}},
        {"no condition rows: due today", 6, 99, 150.0, Rows{{"1", "150", today, "NULL", "NULL", "NULL"}}},
        {"zero value writes nothing", 7, 1, 0.0, Rows{}},
        {"earlier installments stay", 8, 3, 40.0,
         Rows{{"1", "5", "2020-01-01", "NULL", "NULL", "NULL"},
              {"1", "40", "2024-03-16", "NULL", "NULL", "NULL"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        module->geraparcelapedido(c.pedido, c.condicao, c.valor, kFirstOfMarch);
        EXPECT_EQ(
            erp.rows("select parcela, valor, vencimento, dia, empresa, valor2 from parcelas_pedido where "
                     "pedido = " +
                     std::to_string(c.pedido) + " order by vencimento, parcela"),
            c.installments);
    }
    EXPECT_EQ(logLines(), Lines{});
}

TEST_F(InboundInstallments, FailuresAfterTheQueriesOpenAreWrapped) {
    erp.script("insert into items_condicao (condicao, ordem, periodo) values (1, 1, 30), (1, 2, 30);");
    erp.exec(
        "create trigger recusa_parcela before insert on parcelas_pedido for each row if new.parcela = 2 then "
        "signal sqlstate '45000' set message_text = 'parcela recusada'; end if");
    std::string message;
    try {
        module->geraparcelapedido(1, 1, 10.0, kFirstOfMarch);
    } catch (const std::exception& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "Erro ao gerar parcela:parcela recusada");
    EXPECT_EQ(erp.rows("select pedido, parcela, valor, vencimento from parcelas_pedido"),
              (Rows{{"1", "1", "5", "2024-03-31"}}));

    // A zero value returns before anything is read, even with nothing to read from.
    erp.exec("drop table items_condicao");
    EXPECT_NO_THROW(module->geraparcelapedido(2, 1, 0.0, kFirstOfMarch));
    // Opening the condition query is not wrapped.
    message.clear();
    try {
        module->geraparcelapedido(2, 1, 10.0, kFirstOfMarch);
    } catch (const std::exception& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "Table '" + erp.name() + ".items_condicao' doesn't exist");
    EXPECT_EQ(logLines(), Lines{});
}

}  // namespace
}  // namespace synchub::test
