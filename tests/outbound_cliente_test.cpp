// Customers: the exchange of keys between ERP and app, neighbourhood names and fantasia.
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class OutboundCliente : public SyncFixture {};

TEST_F(OutboundCliente, ExchangesKeysAndDerivesNames) {
    // ERP text in latin1; accented letters stay as they are when upper-cased.
    erp.script(R"(
        create table bairro (codigo int primary key, nome varchar(40)) default charset latin1;
        insert into bairro values (1, 'Jardim Paulistano'), (2, 'São João');
        create table cliente (codigo int auto_increment primary key, razao varchar(60), fantasia varchar(60),
                              bairro int, id_internet int, opcao varchar(20), usuario int, sincronizado int default 0)
            default charset latin1;
        insert into cliente values
            (1, 'José da Conceição', '', 2, 0, 'CLIENTE', null, 0),
            (2, 'Maria', 'Loja da Maria', 1, 0, 'CLIENTE', null, 0),
            (3, 'pedro', null, 99, 70, 'CLIENTE', null, 0),
            (4, 'Vendedor', null, 1, 0, 'FUNCIONARIO', 5, 0),
            (5, 'Antigo', null, 1, 0, 'CLIENTE', null, 1),
            (6, 'Rita', 'Rita ME', null, 80, 'CLIENTE', null, 0);)");
    app.script(R"(
        create table cliente (codigo int auto_increment primary key, id_interno int, razao varchar(60),
                              fantasia varchar(60), bairro varchar(60), id_internet int, sincronizado int)
            default charset utf8mb4 auto_increment = 100;
        insert into cliente values (50, 2, 'Maria velha', 'Velha', 'X', 0, 1), (60, 6, 'Rita velha', 'X', 'X', 0, 1);)");

    module->Enviasincronizmo("cliente", false);

    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"ENVIANDO TABELA cliente", "clienteENVIADO COM SUCESSO"}));
    // 1: new app row, generated key. 2: existing app row keeps its key. 3: new app row with the key
    // the ERP holds. 6: the existing app row takes the key the ERP holds.
    EXPECT_EQ(app.rows("select codigo, id_interno, razao, fantasia, bairro, id_internet, sincronizado "
                       "from cliente order by codigo"),
              (Rows{{"50", "2", "Maria", "Loja da Maria", "JARDIM PAULISTANO", "0", "0"},
                    {"70", "3", "pedro", "PEDRO", "", "70", "0"},
                    {"80", "6", "Rita", "Rita ME", "", "80", "0"},
                    {"100", "1", "José da Conceição", "JOSé DA CONCEIçãO", "SãO JOãO", "0", "0"}}));
    EXPECT_EQ(erp.rows("select codigo, id_internet, sincronizado from cliente order by codigo"),
              (Rows{{"1", "100", "1"},
                    {"2", "50", "1"},
                    {"3", "70", "1"},
                    {"4", "0", "0"},
                    {"5", "0", "1"},
                    {"6", "80", "1"}}));
}

}  // namespace
}  // namespace synchub::test
