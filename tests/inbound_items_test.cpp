#include <gtest/gtest.h>

#include "inbound_fixture.h"

namespace synchub::test {
namespace {

using InboundItems = InboundFixture;

// App order 100 (made 01/03/2024 14:07:09, received 14:10:00) whose ERP copy is order 7.
constexpr std::string_view kAppOrder = R"(
insert into pedido (codigo, data, hora, datahora_recebido, sincronizado) values
  (100, '2024-03-01', '14:07:09', '2024-03-01 14:10:00', 'N'),
  (101, '2024-03-02', '08:00:00', null, 'N');
insert into produto (codigo, nome) values (10, 'Parafuso'), (11, 'Porca "sextavada"');
)";
constexpr std::string_view kItemLine =
    "Item sincronizado. Criado: 01/03/2024 14:07:09 - Enviado: 01/03/2024 14:10:00 - Recebido: ";

TEST_F(InboundItems, ItemsTakeTheirCostFromThePriceListOrTheLatestQualifyingStockEntry) {
    app.script(kAppOrder);
    erp.script(R"(
insert into items_tabela (tabela, produto, valor) values (3, 10, 7.5), (4, 10, 99), (3, 11, null);
insert into est_mov (codigo, sigla) values (1, 'TRANSFORMACAO'), (2, 'IMPORTACAO'), (3, 'COMPRA'),
  (4, 'ESTOQUEINICIAL'), (5, 'CONSIGNA_ENTRADA'), (6, 'DESMEMBRAMENTO'), (7, 'GERADOR'), (8, 'PRODUCAO'),
  (9, 'AJUSTE');
insert into est_items (codigo, produto, valor, empresa, tipo, est_mov) values
  (1, 10, 5, 1, 'E', 3), (2, 10, 6, 1, 'E', 8), (3, 10, 50, 1, 'S', 3), (4, 10, 60, 2, 'E', 3),
  (5, 10, 70, 1, 'E', 9), (6, 11, null, 1, 'E', 3),
  (21, 21, 1.5, 1, 'E', 1), (22, 22, 2.5, 1, 'E', 2), (23, 23, 3.5, 1, 'E', 3), (24, 24, 4.5, 1, 'E', 4),
  (25, 25, 5.5, 1, 'E', 5), (26, 26, 6.5, 1, 'E', 6), (27, 27, 7.5, 1, 'E', 7), (28, 28, 8.5, 1, 'E', 8),
  (29, 29, 9.5, 1, 'E', 9);
insert into items_pedido (codigo, pedido, produto, custo) values (1, 7, 99, 1), (200, 8, 98, 1);
)");
    app.script(R"(
insert into items_pedido (codigo, pedido, produto, quantidade, custo, sincronizado) values
  (1, 100, 10, 2, 123, 'N'), (2, 100, 11, 1, null, 'S'), (3, 100, 12, 4, null, 'N'),
  (21, 100, 21, 1, null, 'N'), (22, 100, 22, 1, null, 'N'), (23, 100, 23, 1, null, 'N'),
  (24, 100, 24, 1, null, 'N'), (25, 100, 25, 1, null, 'N'), (26, 100, 26, 1, null, 'N'),
  (27, 100, 27, 1, null, 'N'), (28, 100, 28, 1, null, 'N'), (29, 100, 29, 1, null, 'N'),
  (50, 101, 10, 1, null, 'N');
)");
    struct Case {
        std::int32_t tabelacusto;
        std::string costs;  // of the items in codigo order: 1 to 3, then 21 to 29 (one per kind of entry)
    };
    const Case cases[] = {
        // The cost price list: only its own rows count; no row or a null value costs 0.
        {3, "7.5,0,0,0,0,0,0,0,0,0,0,0"},
        // The latest entry of the company, of tipo E and of one of the eight kinds.
        {0, "6,0,0,1.5,2.5,3.5,4.5,5.5,6.5,7.5,8.5,0"},
    };
    Rows items{{"1", "7", "10", "2", "Parafuso"},
               {"2", "7", "11", "1", "Porca \"sextavada\""},
               {"3", "7", "12", "4", "NULL"}};
    for (int codigo = 21; codigo <= 29; ++codigo) {
        items.push_back({std::to_string(codigo), "7", std::to_string(codigo), "1", "NULL"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE("_tabelacusto " + std::to_string(c.tabelacusto));
        erp.exec("delete from log_monitor");
        module->_tabelacusto = c.tabelacusto;
        standOnAppOrder(100);
        const Lines log = logOf([&] { module->Recebesincronizmoitem("items_pedido", "pedido", 7, 100); });

        EXPECT_EQ(log, (Lines{std::string(kItemLine) + m_stamp}));
        // Importing again replaces the order's items: each app item stands once, other orders untouched.
        EXPECT_EQ(erp.rows("select codigo, pedido, produto, quantidade, descricao from items_pedido "
                           "where pedido = 7 order by codigo"),
                  items);
        EXPECT_EQ(erp.scalar("select group_concat(custo order by codigo) from items_pedido where pedido = 7"),
                  c.costs);
        EXPECT_EQ(erp.rows("select codigo, pedido, produto from items_pedido where pedido <> 7"),
                  (Rows{{"200", "8", "98"}}));
        EXPECT_EQ(app.rows("select codigo, sincronizado from items_pedido where sincronizado <> 'S'"),
                  (Rows{{"50", "N"}}));
        EXPECT_EQ(module->qexterno.field("codigo").asInt(), 100);
        EXPECT_FALSE(module->qinternoitem.active());
        EXPECT_FALSE(module->qexternoitem.active());
    }
}

TEST_F(InboundItems, AnOrderWithoutItemsLosesItsErpItemsAndIsLogged) {
    app.script(kAppOrder);
    erp.script("insert into items_pedido (codigo, pedido, produto) values (1, 8, 10), (2, 9, 10);");
    standOnAppOrder(101);
    const Lines log = logOf([&] { module->Recebesincronizmoitem("items_pedido", "pedido", 8, 101); });
    EXPECT_EQ(log,
              (Lines{"Item sincronizado. Criado: 02/03/2024 08:00:00 - Enviado:  - Recebido: " + m_stamp}));
    EXPECT_EQ(erp.rows("select codigo, pedido from items_pedido"), (Rows{{"2", "9"}}));
}

// A refused item ends the import with a line naming the table it was given; what came before stays.
TEST_F(InboundItems, AFailingItemIsLoggedAndHandedBack) {
    app.script(kAppOrder);
    app.script(R"(
insert into items_pedido (codigo, pedido, produto, quantidade) values (1, 100, 10, 1), (2, 100, 666, 1),
  (3, 100, 11, 1);
)");
    erp.exec(
        "create trigger recusa_item before insert on items_pedido for each row if new.produto = 666 then "
        "signal sqlstate '45000' set message_text = 'item recusado'; end if");
    standOnAppOrder(100);
    std::string message;
    const Lines log = logOf([&] {
        try {
            module->Recebesincronizmoitem("itens_do_teste", "pedido", 7, 100);
        } catch (const std::exception& e) {
            message = e.what();
        }
    });
    EXPECT_EQ(message, "item recusado");
    EXPECT_EQ(log, (Lines{"RECEBENDO itens_do_teste erro: item recusado"}));
    EXPECT_EQ(erp.rows("select codigo, pedido, produto from items_pedido"), (Rows{{"1", "7", "10"}}));
    EXPECT_EQ(app.rows("select codigo from items_pedido where sincronizado = 'S'"), Rows{});
}

using InboundPhotos = InboundFixture;

TEST_F(InboundPhotos, PhotosAreCopiedWholeAndMarkedOneByOne) {
    app.exec(
        "insert into pedido_fotos (codigo, pedido, foto, legenda, sincronizado) values "
        "(1, 100, x'00FF27225C0A', 'frente', 'N'), (2, 100, x'89504E47', null, 'S'), (3, 101, x'01', "
        "'outra', 'N')");
    erp.exec("insert into pedido_fotos (codigo, pedido, foto) values (1, 7, x'AA'), (9, 8, x'BB')");
    for (const int run : {1, 2}) {
        SCOPED_TRACE("run " + std::to_string(run));
        module->Recebesincronizmofotos("pedido_fotos", "pedido", 7, 100);
        EXPECT_EQ(erp.rows("select codigo, pedido, hex(foto), legenda from pedido_fotos order by codigo"),
                  (Rows{{"1", "7", "00FF27225C0A", "frente"},
                        {"2", "7", "89504E47", "NULL"},
                        {"9", "8", "BB", "NULL"}}));
        EXPECT_EQ(app.rows("select codigo, pedido, sincronizado from pedido_fotos order by codigo"),
                  (Rows{{"1", "100", "S"}, {"2", "100", "S"}, {"3", "101", "N"}}));
        EXPECT_EQ(logLines(), Lines{});
    }
}

TEST_F(InboundPhotos, ARefusedPhotoLeavesItAndTheRestPending) {
    app.exec(
        "insert into pedido_fotos (codigo, pedido, foto, legenda) values (1, 100, x'01', 'um'), "
        "(2, 100, x'02', 'dois'), (3, 100, x'03', 'terceira'), (4, 100, x'04', 'quatro'), (5, 100, x'05', "
        "'cinco')");
    erp.exec(
        "create trigger recusa_foto before insert on pedido_fotos for each row if new.legenda = 'terceira' "
        "then "
        "signal sqlstate '45000' set message_text = 'foto recusada'; end if");
    std::string message;
    try {
        module->Recebesincronizmofotos("pedido_fotos", "pedido", 7, 100);
    } catch (const std::exception& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "foto recusada");
    EXPECT_EQ(logLines(), (Lines{"RECEBENDO pedido_fotos erro: foto recusada"}));
    EXPECT_EQ(erp.rows("select codigo, pedido, legenda from pedido_fotos order by codigo"),
              (Rows{{"1", "7", "um"}, {"2", "7", "dois"}}));
    EXPECT_EQ(app.rows("select codigo, sincronizado from pedido_fotos order by codigo"),
              (Rows{{"1", "S"}, {"2", "S"}, {"3", "N"}, {"4", "N"}, {"5", "N"}}));
}

}  // namespace
}  // namespace synchub::test
