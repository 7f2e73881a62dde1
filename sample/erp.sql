-- Sample ERP database: a small distributor with two salespeople.
-- Tables are InnoDB: an order is imported whole or not at all only on transactional tables.

create table empresa (codigo int primary key, razao varchar(80), cnpj varchar(20)) engine=InnoDB;
insert into empresa values (1, 'Distribuidora Boa Vista Ltda', '12.345.678/0001-90');

create table setor (codigo int primary key, descricao varchar(40)) engine=InnoDB;
insert into setor values (0, 'Sem setor'), (1, 'Depósito central'), (2, 'Loja');

create table parametros (
  codigo int primary key, empresa int not null, cidade int, uf char(2), tabelapadrao int,
  dinheiro char(1), boleto char(1), cartao_avista char(1), deposito char(1), duplicata char(1),
  condicao int, historico_venda int, fantasia varchar(80), bloqueiaoperadorcliente char(1),
  sincronizado char(1) default 'N') engine=InnoDB;
insert into parametros values (1, 1, 1, 'MG', 1, 'S', 'S', 'S', 'N', 'S', 1, 12, 'Boa Vista', 'N', 'N');

create table usuario (
  codigo int primary key, nome varchar(60), login varchar(30), senha varchar(30), ativo char(1),
  sincronizado char(1) default 'N') engine=InnoDB;
insert into usuario values (1, 'Ana Ribeiro', 'ana', 'a1b2', 'S', 'N'), (2, 'João Pereira', 'joao', 'c3d4', 'S', 'N');

create table bairro (codigo int auto_increment primary key, nome varchar(60) not null) engine=InnoDB;
insert into bairro (nome) values ('CENTRO'), ('SãO JOSé'), ('JARDIM DAS FLORES');

create table cidade (
  codigo int auto_increment primary key, nome varchar(60), uf char(2), ibge int, id_cidade int default 0,
  sincronizado char(1) default 'N') engine=InnoDB;
insert into cidade (codigo, nome, uf, ibge, sincronizado) values
  (1, 'Belo Horizonte', 'MG', 3106200, 'N'), (2, 'Contagem', 'MG', 3118601, 'N'), (3, 'Betim', 'MG', 3106705, 'S');

create table cliente (
  codigo int auto_increment primary key, razao varchar(80), fantasia varchar(80), cpf_cnpj varchar(20),
  endereco varchar(80), bairro int, cidade int, telefone varchar(20), email varchar(60), limite decimal(12,2),
  opcao varchar(20) default 'CLIENTE', usuario int, tabela_preco int, desconto_maximo decimal(5,2),
  id_internet int default 0, sincronizado int default 0) engine=InnoDB;
insert into cliente (razao, fantasia, cpf_cnpj, endereco, bairro, cidade, telefone, email, limite, opcao, usuario,
                     tabela_preco, desconto_maximo, id_internet, sincronizado) values
  ('Mercearia Dois Irmãos Ltda', 'Dois Irmãos', '11.111.111/0001-11', 'Rua da Bahia, 100', 1, 1,
   '31 3333-0001', 'compras@doisirmaos.com.br', 5000, 'CLIENTE', null, null, null, 0, 0),
  ('padaria pão de mel me', '', '22.222.222/0001-22', 'Av. Amazonas, 2000', 2, 1, '31 3333-0002', null, 2000,
   'CLIENTE', null, null, null, 0, 0),
  ('Supermercado Bom Preço', 'Bom Preço', '33.333.333/0001-33', 'Rua Tiradentes, 5', 99, 2, '31 3333-0003',
   null, 10000, 'CLIENTE', null, null, null, 0, 0),
  ('Ana Ribeiro', 'Ana', '444.444.444-44', null, null, 1, null, null, 0, 'FUNCIONARIO', 1, 1, 5.00, 0, 1),
  ('João Pereira', 'João', '555.555.555-55', null, null, 1, null, null, 0, 'FUNCIONARIO', 2, 2, 10.00, 0, 1);

create table forma_pagto (
  codigo int primary key, descricao varchar(40), visualiza_app char(1), sincronizado char(1) default 'N')
  engine=InnoDB;
insert into forma_pagto values (1, 'Dinheiro', 'S', 'S'), (2, 'Boleto', 'S', 'N'), (3, 'Cheque', 'N', 'N');

create table condicao (
  codigo int primary key, descricao varchar(40), parcelas int, visualiza_app char(1),
  sincronizado char(1) default 'N') engine=InnoDB;
insert into condicao values (1, 'À vista', 1, 'S', 'N'), (2, '30/60/90 dias', 3, 'S', 'N'), (3, 'Especial', 6, 'N', 'N');

create table items_condicao (
  codigo int auto_increment primary key, condicao int, ordem int, periodo int) engine=InnoDB;
insert into items_condicao (condicao, ordem, periodo) values (1, 1, 0), (2, 1, 30), (2, 2, 30), (2, 3, 30);

create table marca (codigo int primary key, descricao varchar(40)) engine=InnoDB;
create table modelo (codigo int primary key, descricao varchar(40)) engine=InnoDB;
create table grupo (codigo int primary key, descricao varchar(40)) engine=InnoDB;
create table unidade (codigo int primary key, descricao varchar(10)) engine=InnoDB;
insert into marca values (1, 'Café Serrano'), (2, 'Doce Minas');
insert into modelo values (1, 'Tradicional'), (2, 'Extra forte');
insert into grupo values (1, 'Mercearia'), (2, 'Doces');
insert into unidade values (1, 'UN'), (2, 'CX');

create table produto (
  codigo int primary key, nome varchar(80), custo1 decimal(12,2), preco decimal(12,2), marca int, modelo int,
  grupo int, unidade int, codbarras varchar(20), mostrarnoapp char(1), sincronizado char(1) default 'N') engine=InnoDB;
insert into produto values
  (10, 'Café torrado 500 g', 9.40, 15.90, 1, 1, 1, 1, '7890000000010', 'S', 'N'),
  (11, 'Café extra forte 500 g', 10.10, 17.50, 1, 2, 1, 1, '7890000000011', 'S', 'N'),
  (20, 'Doce de leite 400 g', 6.00, 11.00, 2, null, 2, 2, '7890000000020', 'S', 'N'),
  (30, 'Produto de uso interno', 1.00, 2.00, null, null, null, 1, null, 'N', 'N');

create table est_mov (codigo int primary key, sigla varchar(30), data date) engine=InnoDB;
insert into est_mov values (1, 'COMPRA', '2026-10-01'), (2, 'VENDA', '2026-10-05'), (3, 'ESTOQUEINICIAL', '2026-01-02');

create table est_items (
  codigo int auto_increment primary key, setor int, produto int, lote varchar(20), vencimento date,
  quantidade decimal(12,3), valor decimal(12,2), empresa int, tipo char(1), est_mov int) engine=InnoDB;
insert into est_items (setor, produto, lote, vencimento, quantidade, valor, empresa, tipo, est_mov) values
  (1, 10, 'L01', '2027-06-30', 100, 9.20, 1, 'E', 3),
  (1, 10, 'L01', '2027-06-30', -30, 15.90, 1, 'S', 2),
  (1, 10, 'L02', '2027-09-30', 50, 9.40, 1, 'E', 1),
  (1, 11, null, '2027-03-31', 40, 10.10, 1, 'E', 1),
  (2, 20, 'D9', '2027-01-31', 24, 6.00, 1, 'E', 1),
  (0, 20, 'D9', '2027-01-31', 5, 6.00, 1, 'E', 1),
  (1, 30, null, null, 10, 1.00, 1, 'E', 1);

create table tabela_preco (
  codigo int primary key, descricao varchar(40), permitedesconto char(1), mostrarnoapp char(1)) engine=InnoDB;
insert into tabela_preco values (1, 'Varejo', 'S', 'S'), (2, 'Atacado', 'N', 'S'), (3, 'Custo', 'N', 'N');

create table items_tabela (
  codigo int auto_increment primary key, tabela int, produto int, valor decimal(12,2), sincronizado char(1))
  engine=InnoDB;
insert into items_tabela (tabela, produto, valor, sincronizado) values
  (1, 10, 15.90, 'N'), (1, 11, 17.50, null), (1, 20, 11.00, 'N'), (2, 10, 14.50, 'N'), (2, 20, 9.90, 'N'),
  (3, 10, 9.40, 'N'), (3, 11, 10.10, 'N'), (3, 20, 6.00, 'N');

create table fotos (
  codigo int primary key, produto int, foto longblob, sincronizado char(1) default 'N') engine=InnoDB;
insert into fotos values (1, 10, x'89504E470D0A1A0A0000000D49484452', 'N'), (2, 20, x'FFD8FFE000104A464946', 'N');

create table ct_receber (
  codigo int auto_increment primary key, cliente int, parcela int, documento varchar(20), vencimento date,
  valor decimal(12,2), status char(1)) engine=InnoDB;
insert into ct_receber (cliente, parcela, documento, vencimento, valor, status) values
  (1, 1, 'NF 1001', current_date - interval 40 day, 320.00, 'A'),
  (1, 2, 'NF 1001', current_date - interval 10 day, 320.00, 'A'),
  (2, 1, 'NF 1002', current_date - interval 5 day, 150.00, 'P'),
  (3, 1, 'NF 1003', current_date + interval 20 day, 900.00, 'A');

create table pedido (
  codigo int auto_increment primary key, data datetime, hora time, cliente int, usuario int, empresa int,
  setor int, condicao int, forma_pagto int, soma decimal(12,2), total decimal(12,2), total_produto decimal(12,2),
  frete decimal(12,2), desconto decimal(12,2), observacao text, status char(1) default 'A', tipomovimento int,
  historico int, nota int, vias int, entregador int, quadrante int, prazo_entrega int, cobrar_frete char(1),
  impresso char(1), id_integracao int default 0, sincronizado int default 0) engine=InnoDB;
-- An order imported from the app last week, now invoiced by the office: its status goes back to the app.
insert into pedido (codigo, data, hora, cliente, usuario, empresa, setor, condicao, forma_pagto, soma, total,
                    total_produto, frete, desconto, status, tipomovimento, historico, nota, id_integracao,
                    sincronizado) values
  (500, '2026-12-01', '09:30:00', 1, 1, 1, 1, 1, 1, 159.00, 159.00, 159.00, 0, 0, 'F', 5, 12, 2, 7, 0);

create table items_pedido (
  item int auto_increment primary key, pedido int, produto int, descricao varchar(80), quantidade decimal(12,3),
  valor decimal(12,2), total decimal(12,2), custo decimal(12,2), key (pedido)) engine=InnoDB;

create table pedido_fotos (
  id int auto_increment primary key, pedido int, foto longblob, descricao varchar(60), key (pedido)) engine=InnoDB;

create table parcelas_pedido (
  pedido int not null, parcela int not null, valor double, vencimento date, dia varchar(50), empresa int,
  valor2 double, key (pedido)) engine=InnoDB;

create table log (
  codigo int auto_increment primary key, empresa int, usuario int, setor int, data date, hora time,
  acao varchar(40), obs text) engine=InnoDB;

create table chat (
  codigo int auto_increment primary key, data date, hora time, mensagem text, movimento int, tipo varchar(20),
  lido char(1) default 'N') engine=InnoDB;

create table log_monitor (
  codigo int auto_increment primary key, data date, hora time, monitor varchar(20), descricao text) engine=InnoDB;
