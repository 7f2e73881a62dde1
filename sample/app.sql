-- Sample app database: what the field-sales app reads and writes.

create table usuario (
  codigo int primary key, nome varchar(60), login varchar(30), senha varchar(30), tabela_preco int,
  desconto_maximo decimal(5,2)) engine=InnoDB;

create table parametros (
  codigo int primary key, empresa int, fantasia varchar(80), cidade int, uf char(2), tabelapadrao int,
  condicao int) engine=InnoDB;

create table forma_pagto (codigo int primary key, descricao varchar(40)) engine=InnoDB;
create table condicao (codigo int primary key, descricao varchar(40), parcelas int) engine=InnoDB;

create table cidade (
  codigo int primary key, cod int, nome varchar(60), uf char(2), sincronizado char(1) default 'N') engine=InnoDB;
-- A city a salesperson created in the app (the app's own number 9001).
insert into cidade values (9001, 55, 'Sabará', 'MG', 'N');

create table cliente (
  codigo int auto_increment primary key, id_interno int, razao varchar(80), fantasia varchar(80),
  cpf_cnpj varchar(20), endereco varchar(80), bairro varchar(60), cidade int, telefone varchar(20),
  email varchar(60), vendedor int, sincronizado int default 0) engine=InnoDB auto_increment=1000;
-- A customer a salesperson registered in the app.
insert into cliente (codigo, razao, fantasia, cpf_cnpj, endereco, bairro, cidade, telefone, vendedor, sincronizado)
  values (2001, 'Empório Sabará Ltda', 'Empório Sabará', '66.666.666/0001-66', 'Rua Dom Pedro II, 12', 'centro',
          9001, '31 3672-0000', 1, 0);

create table produto (
  codigo int primary key, nome varchar(80), preco decimal(12,2), precominimo decimal(12,2),
  ultima_atualizacao datetime, estoque decimal(12,3), nomemodelo varchar(40), nomemarca varchar(40),
  descgrupo varchar(40), nomeunidade varchar(10), codbarras varchar(20)) engine=InnoDB;

create table estoque (
  id int auto_increment primary key, setor int, produto int, lote varchar(20) not null default '',
  vencimento date, quantidade decimal(12,3)) engine=InnoDB;

create table items_tabela (
  codigo int not null default 0, tabela int not null, produto int not null, valor decimal(12,2),
  descricao varchar(40), permitedesconto char(1), primary key (tabela, produto)) engine=InnoDB;

create table fotos (codigo int primary key, produto int, foto longblob) engine=InnoDB;

create table financeiro (
  id int auto_increment primary key, ct_receber int, cliente int, parcela int, vencimento datetime,
  valor decimal(12,2)) engine=InnoDB;

create table pedido (
  codigo int auto_increment primary key, cliente int, usuario int, empresa int, setor int, condicao int,
  forma_pagto int, data date, hora time, datahora_recebido datetime, soma decimal(12,2), total decimal(12,2),
  total_produto decimal(12,2), frete decimal(12,2), desconto decimal(12,2), observacao text,
  status char(1) default 'A', hora_status time(3), id_interno int, sincronizado char(1) default 'N') engine=InnoDB;
-- Order 7 was imported last week as ERP order 500; order 8 is new, for the new customer.
insert into pedido values
  (7, 1, 1, 1, 1, 1, 1, '2026-12-01', '09:30:00', '2026-12-01 09:31:02', 159.00, 159.00, 159.00, 0, 0, null,
   'A', null, 500, 'S'),
  (8, 2001, 1, 1, 1, 2, 2, current_date, '10:15:00', now(), 90.00, 90.00, 0, null, null,
   'Entregar pela manhã; falar com "Seu Zé"', 'A', null, null, 'N');

create table items_pedido (
  codigo int auto_increment primary key, pedido int, produto int, quantidade decimal(12,3), valor decimal(12,2),
  total decimal(12,2), sincronizado char(1) default 'N') engine=InnoDB;
insert into items_pedido (pedido, produto, quantidade, valor, total) values
  (7, 10, 10, 15.90, 159.00),
  (8, 10, 2, 15.90, 31.80), (8, 20, 5, 11.00, 55.00), (8, 11, 1, 3.20, 3.20);

create table pedido_fotos (
  codigo int auto_increment primary key, pedido int, foto longblob, descricao varchar(60),
  sincronizado char(1) default 'N') engine=InnoDB;
insert into pedido_fotos (pedido, foto, descricao) values (8, x'FFD8FFE0000000', 'Fachada da loja');
