// A failure on the third of five rows ends the table: rows one and two stay written and marked,
// the rest waits, one log line tells why, and both connections stay as the failure left them.
#include <string>
#include <vector>

#include "outbound_case.h"

namespace synchub::test {
namespace {

// Five pending cities; the third has no name.
constexpr const char* kCidades =
    R"(create table cidade (codigo int primary key, nome varchar(20), sincronizado char(1)
           -- the ERP refuses to mark the third row
           , constraint nao_marca_3 check (codigo <> 3 or sincronizado = 'N'));
       insert into cidade values (1, 'Um', 'N'), (2, 'Dois', 'N'), (3, null, 'N'), (4, 'Quatro', 'N'), (5, 'Cinco', 'N');)";
constexpr const char* kCidadesNoMarkerCheck =
    R"(create table cidade (codigo int primary key, nome varchar(20), sincronizado char(1));
       insert into cidade values (1, 'Um', 'N'), (2, 'Dois', 'N'), (3, null, 'N'), (4, 'Quatro', 'N'), (5, 'Cinco', 'N');)";

const ExportCase kCases[] = {
    {"AppRefusesRow",
     "cidade",
     false,
     kCidadesNoMarkerCheck,
     "create table cidade (codigo int primary key, nome varchar(20) not null, sincronizado char(1));",
     "select codigo, nome from cidade order by codigo",
     {{"1", "Um"}, {"2", "Dois"}},
     "select codigo, sincronizado from cidade order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "N"}, {"4", "N"}, {"5", "N"}},
     {"ENVIANDO TABELA cidade", "ENVIANDO cidade erro: Erro ao gravar dados da tabela: cidade codigo: 3"}},
    {"ErpRefusesMarker",
     "cidade",
     false,
     kCidades,
     "create table cidade (codigo int primary key, nome varchar(20), sincronizado char(1));",
     "select codigo, nome from cidade order by codigo",
     {{"1", "Um"}, {"2", "Dois"}, {"3", "NULL"}},
     "select codigo, sincronizado from cidade order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "N"}, {"4", "N"}, {"5", "N"}},
     {"ENVIANDO TABELA cidade",
      "ENVIANDO cidade erro: Erro ao atualizar como sincronizado a tabela: cidade"}},
    {"ErpRefusesProdutoMarker",
     "produto",
     false,
     kProdutoDescricoes + R"(
        create table produto (codigo int primary key, custo1 double, marca int, modelo int, grupo int, unidade int,
                              sincronizado char(1), constraint nao_marca_3 check (codigo <> 3 or sincronizado = 'N'));
        insert into produto (codigo, sincronizado) values (1, 'N'), (2, 'N'), (3, 'N'), (4, 'N'), (5, 'N');)",
     "create table produto (codigo int primary key, custo1 double);",
     "select codigo from produto order by codigo",
     {{"1"}, {"2"}, {"3"}},
     "select codigo, sincronizado from produto order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "N"}, {"4", "N"}, {"5", "N"}},
     {"ENVIANDO TABELA produto",
      "ENVIANDO produto erro: Erro ao atualizar como sincronizado a tabela: produto produto: 3"}},
    {"ErpRefusesClienteMarker",
     "cliente",
     false,
     R"(create table bairro (codigo int primary key, nome varchar(20));
        create table cliente (codigo int primary key, razao varchar(20), fantasia varchar(20), bairro int,
                              id_internet int, opcao varchar(20), sincronizado int,
                              constraint nao_marca_3 check (codigo <> 3 or sincronizado = 0));
        insert into cliente values (1, 'A', 'A', 0, 0, 'CLIENTE', 0), (2, 'B', 'B', 0, 0, 'CLIENTE', 0),
            (3, 'C', 'C', 0, 0, 'CLIENTE', 0), (4, 'D', 'D', 0, 0, 'CLIENTE', 0), (5, 'E', 'E', 0, 0, 'CLIENTE', 0);)",
     R"(create table cliente (codigo int auto_increment primary key, id_interno int, fantasia varchar(20),
                              bairro varchar(20)) auto_increment = 31;)",
     "select codigo, id_interno from cliente order by codigo",
     {{"31", "1"}, {"32", "2"}, {"33", "3"}},
     "select codigo, id_internet, sincronizado from cliente order by codigo",
     {{"1", "31", "1"}, {"2", "32", "1"}, {"3", "0", "0"}, {"4", "0", "0"}, {"5", "0", "0"}},
     {"ENVIANDO TABELA cliente",
      "ENVIANDO cliente erro: Erro ao atualizar como sincronizado a tabela: cliente cliente: 3"}},
    {"AppRefusesStock",
     "estoque",
     false,
     // The stock loop reports the database's own message.
     R"(create table produto (codigo int primary key, mostrarnoapp char(1));
        create table est_items (codigo int auto_increment primary key, setor int, produto int, lote varchar(10),
                                vencimento date, quantidade double);
        insert into produto values (1, 'S'), (2, 'S'), (3, 'S'), (4, 'S'), (5, 'S');
        insert into est_items (setor, produto, lote, vencimento, quantidade) values
            (1, 1, 'A', '2027-01-01', 1), (1, 2, 'A', '2027-01-01', 2), (1, 3, 'A', null, 3),
            (1, 4, 'A', '2027-01-01', 4), (1, 5, 'A', '2027-01-01', 5);)",
     R"(create table estoque (setor int, produto int, lote varchar(10), vencimento date not null, quantidade double,
                              primary key (setor, produto, lote));)",
     "select produto, quantidade from estoque order by produto",
     {{"1", "1"}, {"2", "2"}},
     "select count(*) from est_items",
     {{"5"}},
     {"ENVIANDO TABELA estoque", "ENVIANDO estoque erro: Column 'vencimento' cannot be null"}},
    {"AppRefusesPhoto",
     "fotos",
     true,
     // The app row is written before the photo is marked, so a refused photo stays pending.
     R"(create table fotos (codigo int primary key, produto int, imagem blob, sincronizado char(1));
        insert into fotos values (1, 10, 'a', 'N'), (2, 20, 'b', 'N'), (3, null, 'c', 'N'), (4, 40, 'd', 'N'),
                                 (5, 50, 'e', 'N');)",
     "create table fotos (codigo int primary key, produto int not null, imagem longblob);",
     "select codigo, produto, imagem from fotos order by codigo",
     {{"1", "10", "a"}, {"2", "20", "b"}},
     "select codigo, sincronizado from fotos order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "N"}, {"4", "N"}, {"5", "N"}},
     {"ENVIANDO fotos", "ENVIANDO fotos erro: Column 'produto' cannot be null"}},
};

class OutboundFailure : public ExportCaseTest {};

TEST_P(OutboundFailure, EndsTheTableAtTheThirdRow) {
    runCase();
    EXPECT_TRUE(module->con.connected());
    EXPECT_TRUE(module->con_externo.connected());
}

INSTANTIATE_TEST_SUITE_P(Outbound, OutboundFailure, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace synchub::test
