#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "inbound_fixture.h"

namespace synchub::test {
namespace {

constexpr std::string_view kMoments =
    "Criado: 01/03/2024 14:07:09 - Enviado: 01/03/2024 14:10:00 - Recebido: ";

// One app order of customer 1 (ERP customer 40) with an item, a photo and a condition of three
// installments of 30 days.
class InboundOrder : public InboundFixture {
  protected:
    InboundOrder() {
        module->_tabelacusto = 3;
        erp.script(R"(
insert into items_condicao (condicao, ordem, periodo) values (2, 1, 30), (2, 2, 30), (2, 3, 30);
insert into items_tabela (tabela, produto, valor) values (3, 10, 7.5);
)");
        app.script(R"(
insert into cliente (codigo, razao, id_interno, sincronizado) values (1, 'Loja', 40, 1), (2, 'Nova', null, 0);
insert into produto (codigo, nome) values (10, 'Parafuso');
insert into pedido (codigo, cliente, data, hora, datahora_recebido, status, condicao, soma, empresa, usuario,
  setor, total, total_produto, frete, desconto, sincronizado) values
  (100, 1, '2024-03-01', '14:07:09', '2024-03-01 14:10:00', 'A', 2, 90, 1, 3, 4, 150.5, 0, null, 12, 'N');
insert into items_pedido (codigo, pedido, produto, quantidade, custo, sincronizado) values (1, 100, 10, 2, 9, 'N');
insert into pedido_fotos (codigo, pedido, foto, legenda, sincronizado) values (1, 100, x'FFD8', 'frente', 'N');
)");
    }

    void importOrders() { module->Recebesincronizmo("pedido", "id_integracao"); }

    // App order 100 stands in the ERP as order `codigo`, whole, and is marked with that number.
    void expectWholeOrder(const std::string& codigo) {
        EXPECT_EQ(
            erp.rows(
                "select codigo, id_integracao, sincronizado, status, observacao, condicao, soma, data, hora, "
                "tipomovimento, historico, cliente, nota, vias, entregador, quadrante, prazo_entrega, "
                "empresa, usuario, setor, cobrar_frete, impresso, total_produto, total, frete, desconto "
                "from pedido"),
            (Rows{{codigo,     "100", "0", "A",  "NULL", "2", "90",    "2024-03-01 00:00:00",
                   "14:07:09", "5",   "7", "40", "2",    "0", "0",     "0",
                   "0",        "1",   "3", "4",  "N",    "N", "150.5", "150.5",
                   "0",        "12"}}));
        EXPECT_EQ(erp.rows("select codigo, pedido, produto, quantidade, custo, descricao from items_pedido"),
                  (Rows{{"1", codigo, "10", "2", "7.5", "Parafuso"}}));
        EXPECT_EQ(erp.rows("select codigo, pedido, hex(foto), legenda from pedido_fotos"),
                  (Rows{{"1", codigo, "FFD8", "frente"}}));
        EXPECT_EQ(
            erp.rows("select pedido, parcela, valor, vencimento, dia, empresa, valor2 from parcelas_pedido "
                     "order by parcela"),
            (Rows{{codigo, "1", "30", "2024-03-31", "NULL", "NULL", "NULL"},
                  {codigo, "2", "30", "2024-04-30", "NULL", "NULL", "NULL"},
                  {codigo, "3", "30", "2024-05-30", "NULL", "NULL", "NULL"}}));
        EXPECT_EQ(erp.rows("select empresa, usuario, setor, data, acao from log"),
                  (Rows{{"1", "3", "4", hostDate(), "I PEDIDO APP"}}));
        EXPECT_EQ(
            erp.rows("select data = current_date, mensagem, movimento, tipo from chat"),
            (Rows{{"1",
                   "EI, TEMOS UMA NOVA VENDA GERADA PELO APP. DA UMA CONFERIDA NO PEDIDO CODIGO " + codigo,
                   codigo, "PEDIDO"}}));
        EXPECT_EQ(app.rows("select codigo, sincronizado, id_interno from pedido"),
                  (Rows{{"100", "S", codigo}}));
        EXPECT_EQ(app.rows("select codigo, sincronizado from items_pedido"), (Rows{{"1", "S"}}));
        EXPECT_EQ(app.rows("select codigo, sincronizado from pedido_fotos"), (Rows{{"1", "S"}}));
    }

    // The activity log row carries the order note of the run just made.
    void expectNote() {
        EXPECT_EQ(settled(erp.scalar("select obs from log")),
                  "Pedido sincronizado. " + std::string(kMoments) + m_stamp);
    }

    Lines importedLines() const {
        return {"RECEBENDO DADOS DE pedido", "Pedido sincronizado. " + std::string(kMoments) + m_stamp,
                "Item sincronizado. " + std::string(kMoments) + m_stamp, "pedido RECEBIDO COM SUCESSO."};
    }
};

TEST_F(InboundOrder, ANewOrderArrivesWholeAndASecondImportOnlyMarksIt) {
    Lines log = logOf([&] { importOrders(); });
    EXPECT_EQ(log, importedLines());
    expectWholeOrder("1");
    expectNote();

    app.exec("update pedido set sincronizado = 'N', id_interno = null");
    erp.exec("delete from log_monitor");
    log = logOf([&] { importOrders(); });
    EXPECT_EQ(log, (Lines{"RECEBENDO DADOS DE pedido", "pedido RECEBIDO COM SUCESSO."}));
    expectWholeOrder("1");
}

TEST_F(InboundOrder, NewOrdersAreCompletedFromTheSettingsAndTheirCustomer) {
    app.exec("delete from pedido");
    erp.exec("insert into pedido (codigo, id_integracao, status) values (50, 105, 'F')");
    struct Case {
        int codigo;
        std::string cliente, totalProduto, frete, desconto;
        Rows erp;  // cliente, total_produto, total, frete, desconto
    };
    const Case cases[] = {
        {101, "1", "0", "null", "null", Rows{{"40", "150.5", "150.5", "0", "0"}}},
        {102, "2", "null", "12", "3", Rows{{"0", "150.5", "150.5", "12", "3"}}},
        {103, "9", "80", "0", "0", Rows{{"0", "80", "150.5", "0", "0"}}},
        {104, "null", "-1", "null", "5", Rows{{"0", "150.5", "150.5", "0", "5"}}},
    };
    for (const Case& c : cases) {
        app.exec(
            "insert into pedido (codigo, cliente, data, hora, datahora_recebido, total, total_produto, "
            "frete, "
            "desconto) values (" +
            std::to_string(c.codigo) + ", " + c.cliente +
            ", '2024-03-01', '14:07:09', '2024-03-01 14:10:00', 150.5, " + c.totalProduto + ", " + c.frete +
            ", " + c.desconto + ")");
    }
    app.exec("insert into pedido (codigo, cliente, total) values (105, 1, 1)");

    const Lines log = logOf([&] { importOrders(); });

    int erpCodigo = 51;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codigo);
        const std::string codigo = std::to_string(erpCodigo++);
        EXPECT_EQ(
            erp.rows(
                "select cliente, total_produto, total, frete, desconto from pedido where id_integracao = " +
                std::to_string(c.codigo) + " and codigo = " + codigo),
            c.erp);
        EXPECT_EQ(
            erp.rows("select mensagem, movimento from chat where movimento = " + codigo),
            (Rows{{"EI, TEMOS UMA NOVA VENDA GERADA PELO APP. DA UMA CONFERIDA NO PEDIDO CODIGO " + codigo,
                   codigo}}));
        EXPECT_EQ(app.rows("select sincronizado, id_interno from pedido where codigo = " +
                           std::to_string(c.codigo)),
                  (Rows{{"S", codigo}}));
    }
    // The order the ERP already held is only marked with its number.
    EXPECT_EQ(erp.rows("select codigo, status, cliente from pedido where id_integracao = 105"),
              (Rows{{"50", "F", "NULL"}}));
    EXPECT_EQ(erp.rows("select movimento from chat order by movimento"),
              (Rows{{"51"}, {"52"}, {"53"}, {"54"}}));
    EXPECT_EQ(app.rows("select sincronizado, id_interno from pedido where codigo = 105"),
              (Rows{{"S", "50"}}));
    Lines expected{"RECEBENDO DADOS DE pedido"};
    for (int i = 0; i < 4; ++i) {
        expected.push_back("Pedido sincronizado. " + std::string(kMoments) + m_stamp);
        expected.push_back("Item sincronizado. " + std::string(kMoments) + m_stamp);
    }
    expected.push_back("pedido RECEBIDO COM SUCESSO.");
    EXPECT_EQ(log, expected);
}

// A failure in an order's chain cancels that order with the reason, quotes and backslashes kept, and
// the import goes on with the next order.
TEST_F(InboundOrder, AFailingChainCancelsTheOrderAndLetsTheNextThrough) {
    app.exec("delete from items_pedido");
    app.exec("delete from pedido_fotos");
    app.script(R"(
insert into pedido (codigo, cliente, data, hora, datahora_recebido, status, condicao, soma, total, sincronizado)
  values (200, 1, '2024-03-01', '14:07:09', '2024-03-01 14:10:00', 'A', 99, 13, 13, 'N'),
         (201, 1, '2024-03-01', '14:07:09', '2024-03-01 14:10:00', 'A', 99, 13, 13, 'N');
update pedido set codigo = 202, condicao = 99, soma = 10 where codigo = 100;
insert into items_pedido (codigo, pedido, produto, quantidade) values (1, 200, 10, 1), (2, 200, 666, 1),
  (3, 201, 10, 1), (4, 202, 10, 1);
insert into pedido_fotos (codigo, pedido, foto) values (1, 200, x'01'), (2, 201, x'02');
)");
    erp.exec(
        "create trigger recusa_item before insert on items_pedido for each row if new.produto = 666 then "
        "signal sqlstate '45000' set message_text = 'item \"recusado\" d''ajuda \\\\ fim'; end if");
    erp.exec(
        "create trigger recusa_parcela before insert on parcelas_pedido for each row if new.valor = 13 then "
        "signal sqlstate '45000' set message_text = 'parcela recusada'; end if");
    const std::string itemError = "item \"recusado\" d'ajuda \\ fim";
    const std::string cancelled = "CANCELADO PELO MONITOR POR CONTER ALGUM ERRO. Erro:";

    const Lines log = logOf([&] { importOrders(); });

    EXPECT_EQ(erp.rows("select codigo, id_integracao, status, observacao from pedido order by codigo"),
              (Rows{{"1", "200", "C", cancelled + itemError},
                    {"2", "201", "C", cancelled + "Erro ao gerar parcela:parcela recusada"},
                    {"3", "202", "A", "NULL"}}));
    EXPECT_EQ(erp.rows("select codigo, pedido, produto from items_pedido order by codigo"),
              (Rows{{"1", "1", "10"}, {"3", "2", "10"}, {"4", "3", "10"}}));
    EXPECT_EQ(erp.rows("select codigo, pedido from pedido_fotos"), (Rows{{"2", "2"}}));
    EXPECT_EQ(erp.rows("select pedido, parcela, valor, vencimento from parcelas_pedido"),
              (Rows{{"3", "1", "10", hostDate()}}));
    EXPECT_EQ(erp.rows("select movimento from chat"), (Rows{{"3"}}));
    EXPECT_EQ(erp.rows("select acao from log"), (Rows{{"I PEDIDO APP"}, {"I PEDIDO APP"}, {"I PEDIDO APP"}}));
    EXPECT_EQ(app.rows("select codigo, sincronizado, id_interno from pedido order by codigo"),
              (Rows{{"200", "S", "1"}, {"201", "S", "2"}, {"202", "S", "3"}}));
    EXPECT_EQ(app.rows("select codigo, sincronizado from items_pedido order by codigo"),
              (Rows{{"1", "N"}, {"2", "N"}, {"3", "S"}, {"4", "S"}}));
    const std::string note = "Pedido sincronizado. " + std::string(kMoments) + m_stamp;
    const std::string items = "Item sincronizado. " + std::string(kMoments) + m_stamp;
    EXPECT_EQ(log,
              (Lines{"RECEBENDO DADOS DE pedido", note, "RECEBENDO items_pedido erro: " + itemError,
                     "gravando tabela items_pedido . cod pedido a gravar: 1 codigo externo: 200 " + itemError,
                     note, items,
                     "gravando tabela parcelas_pedido . cod pedido a gravar: 2 codigo externo: 201 Erro ao "
                     "gerar parcela:parcela recusada",
                     note, items, "pedido RECEBIDO COM SUCESSO."}));
}

// A failure that ends the table's import after the order was stored undoes the order: it stays
// pending in the app and the next run imports it whole.
TEST_F(InboundOrder, AFailureAfterTheStoreRollsTheOrderBack) {
    erp.exec(
        "create trigger recusa_nota before insert on log_monitor for each row if new.descricao like "
        "'Pedido%' "
        "then signal sqlstate '45000' set message_text = 'nota recusada'; end if");
    Lines log = logOf([&] { importOrders(); });
    EXPECT_EQ(log, (Lines{"RECEBENDO DADOS DE pedido",
                          "gravando tabela pedido . cod pedido a gravar: 0 nota recusada"}));
    EXPECT_EQ(erp.rows("select codigo from pedido"), Rows{});
    EXPECT_EQ(app.rows("select sincronizado, id_interno from pedido"), (Rows{{"N", "NULL"}}));

    erp.exec("drop trigger recusa_nota");
    erp.exec("delete from log_monitor");
    log = logOf([&] { importOrders(); });
    EXPECT_EQ(log, importedLines());
    expectWholeOrder("2");
    expectNote();
}

// The program's ERP session is killed while it inserts the order's item: nothing of the order stays,
// the app order stays pending, and the next run imports it whole.
TEST_F(InboundOrder, ALostConnectionLeavesNothingOfTheOrder) {
    erp.exec("create trigger demora before insert on items_pedido for each row set @x = sleep(5)");
    std::jthread import([&] { importOrders(); });
    std::vector<std::vector<std::string>> sleeping;
    for (int i = 0; i < 500 && sleeping.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sleeping = erp.rows("select ID from information_schema.PROCESSLIST where DB = " +
                            erp.connection().quote(erp.name()) + " and STATE = 'User sleep'");
    }
    ASSERT_EQ(sleeping.size(), 1u);
    erp.kill(std::stoull(sleeping[0][0]));
    import.join();

    for (const char* table : {"pedido", "items_pedido", "pedido_fotos", "parcelas_pedido", "log", "chat"}) {
        SCOPED_TRACE(table);
        EXPECT_EQ(erp.rows(std::string("select * from ") + table), Rows{});
    }
    EXPECT_EQ(app.rows("select sincronizado, id_interno from pedido"), (Rows{{"N", "NULL"}}));
    EXPECT_EQ(logLines(),
              (Lines{"RECEBENDO DADOS DE pedido",
                     "gravando tabela items_pedido . cod pedido a gravar: 1 The connection con was lost "
                     "inside a transaction; it must be rolled back first"}));

    erp.exec("drop trigger demora");
    erp.exec("delete from log_monitor");
    const Lines log = logOf([&] { importOrders(); });
    EXPECT_EQ(log, importedLines());
    expectWholeOrder("2");
    expectNote();
}

}  // namespace
}  // namespace synchub::test
