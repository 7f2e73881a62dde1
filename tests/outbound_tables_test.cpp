// Table-mode exports with their per-table selections, match keys, deletions and markers, and the
// copy by column name (letter case, NULLs, latin1 text) on app tables keyed in different ways.
#include <string>
#include <vector>

#include "outbound_case.h"

namespace synchub::test {
namespace {

const ExportCase kCases[] = {
    {"Usuario",
     "usuario",
     false,
     // A user's price list and discount come from the customer row of opcao FUNCIONARIO only; a
     // user with two such rows is written twice, the later row's values remaining.
     R"(create table usuario (codigo int primary key, nome varchar(40), sincronizado char(1));
        create table cliente (codigo int auto_increment primary key, usuario int, opcao varchar(20),
                              tabela_preco int, desconto_maximo double, sincronizado int default 0);
        insert into usuario values (1, 'Ana', 'N'), (2, 'Bruno', 'N'), (3, 'Caio', 'S'), (4, 'Davi', 'N');
        insert into cliente (usuario, opcao, tabela_preco, desconto_maximo) values
            (1, 'FUNCIONARIO', 3, 7.5), (2, 'CLIENTE', 9, 9), (3, 'FUNCIONARIO', 4, 1),
            (4, 'FUNCIONARIO', 5, 2), (4, 'FUNCIONARIO', 6, 2.5);)",
     R"(create table usuario (codigo int primary key, nome varchar(40), tabela_preco int,
                              desconto_maximo double, sincronizado char(1));
        insert into usuario values (1, 'Ana antiga', 8, 8, 'S');)",
     "select codigo, nome, tabela_preco, desconto_maximo, sincronizado from usuario order by codigo",
     {{"1", "Ana", "3", "7.5", "N"}, {"2", "Bruno", "0", "0", "N"}, {"4", "Davi", "6", "2.5", "N"}},
     "select codigo, sincronizado from usuario order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "S"}, {"4", "S"}},
     {"ENVIANDO TABELA usuario", "usuarioENVIADO COM SUCESSO"}},
    {"Parametros",
     "parametros",
     false,
     R"(create table parametros (codigo int primary key, empresa int, fantasia varchar(40), sincronizado char(1));
        insert into parametros values (1, 1, 'Matriz', 'N'), (2, 2, 'Filial', 'S');)",
     R"(create table parametros (codigo int primary key, fantasia varchar(40), sincronizado char(1));)",
     "select codigo, fantasia, sincronizado from parametros order by codigo",
     {{"1", "Matriz", "N"}},
     "select codigo, sincronizado from parametros order by codigo",
     {{"1", "S"}, {"2", "S"}},
     {"ENVIANDO TABELA parametros", "parametrosENVIADO COM SUCESSO"}},
    {"FormaPagto",
     "forma_pagto",
     false,
     // Mirrored whole: every row shown in the app, sent or not; the rest disappears from the app.
     R"(create table forma_pagto (codigo int primary key, descricao varchar(20), visualiza_app char(1),
                                  sincronizado char(1));
        insert into forma_pagto values (1, 'Dinheiro', 'S', 'S'), (2, 'Cheque', 'N', 'N'), (3, 'Pix', 'S', 'N');)",
     R"(create table forma_pagto (codigo int primary key, descricao varchar(20));
        insert into forma_pagto values (2, 'Cheque'), (9, 'Velha');)",
     "select codigo, descricao from forma_pagto order by codigo",
     {{"1", "Dinheiro"}, {"3", "Pix"}},
     "select codigo, sincronizado from forma_pagto order by codigo",
     {{"1", "S"}, {"2", "N"}, {"3", "S"}},
     {"ENVIANDO TABELA forma_pagto", "forma_pagtoENVIADO COM SUCESSO"}},
    {"Condicao",
     "condicao",
     false,
     // Nothing shown in the app: the app table is emptied all the same.
     R"(create table condicao (codigo int primary key, descricao varchar(20), visualiza_app char(1),
                               sincronizado char(1));
        insert into condicao values (1, '30 dias', 'N', 'N');)",
     R"(create table condicao (id int auto_increment primary key, codigo int, descricao varchar(20));
        insert into condicao (codigo, descricao) values (1, '30 dias');)",
     "select id, codigo, descricao from condicao",
     {},
     "select codigo, sincronizado from condicao",
     {{"1", "N"}},
     {"ENVIANDO TABELA condicao", "condicaoENVIADO COM SUCESSO"}},
    {"Cidade",
     "cidade",
     false,
     // latin1 text arrives intact in utf8mb4; NOME reaches nome; a NULL overwrites a value; only the
     // first of two app rows with the same codigo is updated; app-only columns keep their value on
     // an update and take their default on an insert; ibge has no app column.
     R"(create table cidade (codigo int primary key, NOME varchar(40), uf char(2), populacao int, ibge int,
                             sincronizado char(1)) default charset latin1;
        insert into cidade values (1, 'São Paulo', 'SP', null, 3550308, 'N'), (2, 'Jundiaí', 'SP', 400000, null, 'N'),
                                  (3, 'Rio', 'RJ', 1, 1, 'S');)",
     R"(create table cidade (id int auto_increment primary key, codigo int, nome varchar(40), uf char(2),
                             populacao int, regiao varchar(10) default 'SE', cod int, sincronizado char(1))
            default charset utf8mb4;
        insert into cidade (codigo, nome, uf, populacao, regiao, cod, sincronizado) values
            (1, 'Sao Paulo velha', 'XX', 12000000, 'Sul', 77, 'S'), (1, 'Duplicada', 'YY', 5, 'Norte', 78, 'S');)",
     "select id, codigo, nome, uf, populacao, regiao, cod, sincronizado from cidade order by id",
     {{"1", "1", "São Paulo", "SP", "NULL", "Sul", "77", "N"},
      {"2", "1", "Duplicada", "YY", "5", "Norte", "78", "S"},
      {"3", "2", "Jundiaí", "SP", "400000", "SE", "NULL", "N"}},
     "select codigo, sincronizado from cidade order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "S"}},
     {"ENVIANDO TABELA cidade", "cidadeENVIADO COM SUCESSO"}},
    {"Produto",
     "produto",
     false,
     // Descriptions of model, brand, group and unit, NULL where the reference is missing;
     // precominimo is custo1, estoque always 0; marked by a statement of its own.
     kProdutoDescricoes + R"(
        insert into marca values (1, 'Acme');
        insert into modelo values (1, 'M1');
        insert into grupo values (1, 'Ferragens');
        insert into unidade values (1, 'UN');
        create table produto (codigo int primary key, nome varchar(20), custo1 double, marca int, modelo int,
                              grupo int, unidade int, mostrarnoapp char(1), sincronizado char(1));
        insert into produto values (7, 'Parafuso', 2.5, 1, 1, 1, 1, 'S', 'N'), (8, 'Porca', 1, 99, null, 1, 1, 'S', 'N'),
                                   (9, 'Arruela', 3, 1, 1, 1, 1, 'S', 'S');)",
     R"(create table produto (codigo int primary key, nome varchar(20), precominimo double,
                              ultima_atualizacao datetime, estoque double, nomemodelo varchar(20),
                              nomemarca varchar(20), descgrupo varchar(20), nomeunidade varchar(20));
        insert into produto values (8, 'Porca velha', 0, '2020-01-01', 50, 'X', 'Velha', 'X', 'X');)",
     "select codigo, nome, precominimo, estoque, nomemodelo, nomemarca, descgrupo, nomeunidade, "
     "ultima_atualizacao > now() - interval 1 hour from produto order by codigo",
     {{"7", "Parafuso", "2.5", "0", "M1", "Acme", "Ferragens", "UN", "1"},
      {"8", "Porca", "1", "0", "NULL", "NULL", "Ferragens", "UN", "1"}},
     "select codigo, sincronizado from produto order by codigo",
     {{"7", "S"}, {"8", "S"}, {"9", "S"}},
     {"ENVIANDO TABELA produto", "produtoENVIADO COM SUCESSO"}},
    {"Fotos",
     "fotos",
     true,
     // Photo mode copies codigo too and marks with "S".
     R"(create table fotos (codigo int primary key, produto int, imagem blob, sincronizado char(1));
        insert into fotos values (1, 10, 'jpeg-1', 'N'), (2, 20, null, 'N'), (3, 30, 'jpeg-3', 'S');)",
     R"(create table fotos (codigo int primary key, produto int, imagem longblob);
        insert into fotos values (2, 99, 'velha');)",
     "select codigo, produto, imagem from fotos order by codigo",
     {{"1", "10", "jpeg-1"}, {"2", "20", "NULL"}},
     "select codigo, sincronizado from fotos order by codigo",
     {{"1", "S"}, {"2", "S"}, {"3", "S"}},
     {"ENVIANDO fotos", "fotos ENVIADO COM SUCESSO."}},
};

class OutboundTables : public ExportCaseTest {};

TEST_P(OutboundTables, ExportsPendingRowsAndMarksThem) {
    runCase();
    // The success line reopens the ERP connection; the app connection stays closed.
    EXPECT_FALSE(module->con_externo.connected());
}

INSTANTIATE_TEST_SUITE_P(Outbound, OutboundTables, ::testing::ValuesIn(kCases), caseName);

}  // namespace
}  // namespace synchub::test
