#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace synchub::test {

// The ERP and app tables the inbound import reads and writes, as small as the import allows, with
// columns that only one side has so that the copy rules are seen at work.
inline constexpr std::string_view kInboundErpDdl = R"(
create table bairro (codigo int auto_increment primary key, nome varchar(60)) engine=InnoDB;
create table cliente (codigo int auto_increment primary key, razao varchar(80), fantasia varchar(80), bairro int,
  id_internet int, sincronizado int default 0, opcao varchar(20) default 'CLIENTE', limite double) engine=InnoDB;
create table cidade (codigo int auto_increment primary key, nome varchar(60), uf char(2), id_cidade int,
  sincronizado char(1) default 'N') engine=InnoDB;
create table pedido (codigo int auto_increment primary key, id_integracao int, sincronizado int default 0,
  status varchar(2), observacao text, condicao int, soma double, data datetime, hora time, tipomovimento int,
  historico int, cliente int, nota int, vias int, entregador int, quadrante int, prazo_entrega int, empresa int,
  usuario int, setor int, cobrar_frete char(1), impresso char(1), total_produto double, total double, frete double,
  desconto double) engine=InnoDB;
create table items_pedido (codigo int auto_increment primary key, pedido int, produto int, quantidade double,
  custo double, descricao varchar(80)) engine=InnoDB;
create table pedido_fotos (codigo int auto_increment primary key, pedido int, foto longblob, legenda varchar(60))
  engine=InnoDB;
create table items_condicao (codigo int auto_increment primary key, condicao int, ordem int, periodo int)
  engine=InnoDB;
create table parcelas_pedido (pedido int not null, parcela int not null, valor double, vencimento date,
  dia varchar(50), empresa int, valor2 double) engine=InnoDB;
create table log (codigo int auto_increment primary key, empresa int, usuario int, setor int, data date, hora time,
  acao varchar(30), obs text) engine=InnoDB;
create table chat (codigo int auto_increment primary key, data date, hora time, mensagem text, movimento int,
  tipo varchar(20)) engine=InnoDB;
create table items_tabela (codigo int auto_increment primary key, tabela int, produto int, valor double)
  engine=InnoDB;
create table est_mov (codigo int primary key, sigla varchar(30)) engine=InnoDB;
create table est_items (codigo int primary key, setor int, produto int, lote varchar(20), quantidade double,
  valor double, empresa int, tipo char(1), est_mov int) engine=InnoDB;
)";

inline constexpr std::string_view kInboundAppDdl = R"(
create table cliente (codigo int auto_increment primary key, razao varchar(80), fantasia varchar(80),
  bairro varchar(60), id_interno int, sincronizado int default 0, apelido varchar(20)) engine=InnoDB;
create table cidade (codigo int primary key, cod int, nome varchar(60), uf char(2),
  sincronizado char(1) default 'N') engine=InnoDB;
create table pedido (codigo int primary key, cliente int, data date, hora time, datahora_recebido datetime,
  status varchar(2), condicao int, soma double, empresa int, usuario int, setor int, total double,
  total_produto double, frete double, desconto double, id_interno int, sincronizado char(1) default 'N')
  engine=InnoDB;
create table produto (codigo int primary key, nome varchar(80)) engine=InnoDB;
create table items_pedido (codigo int primary key, pedido int, produto int, quantidade double, custo double,
  sincronizado char(1) default 'N') engine=InnoDB;
create table pedido_fotos (codigo int auto_increment primary key, pedido int, foto longblob, legenda varchar(60),
  sincronizado char(1) default 'N') engine=InnoDB;
)";

using Rows = std::vector<std::vector<std::string>>;
using Lines = std::vector<std::string>;

// The host's local date as yyyy-mm-dd, or its date and time as dd/mm/yyyy hh:mm:ss.
inline std::string hostClock(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}
inline std::string hostDate() {
    return hostClock("%Y-%m-%d");
}
inline std::string hostStamp() {
    return hostClock("%d/%m/%Y %H:%M:%S");
}

class InboundFixture : public SyncFixture {
  protected:
    InboundFixture() {
        erp.script(kInboundErpDdl);
        app.script(kInboundAppDdl);
        module->_empresa = "1";
        module->_tipomovimento = 5;
        module->_historico = 7;
        module->_tabelacusto = 0;
    }

    // Runs `step` and returns the monitor log lines. The host's clock may pass a second while the step
    // runs: settled() brings a stamp taken at the end back to m_stamp, the one taken before.
    template <typename Step>
    Lines logOf(Step&& step) {
        m_stamp = hostStamp();
        step();
        m_after = hostStamp();
        Lines lines = logLines();
        for (auto& line : lines) {
            line = settled(line);
        }
        return lines;
    }

    std::string settled(std::string text) const {
        if (m_after != m_stamp && text.ends_with(m_after)) {
            text.replace(text.size() - m_after.size(), m_after.size(), m_stamp);
        }
        return text;
    }

    // Positions qexterno on app order `codigo`, as the order import does before it imports items.
    void standOnAppOrder(int codigo) {
        module->qexterno.setSql("select * from pedido where codigo = " + std::to_string(codigo));
        module->qexterno.open();
    }

    std::string m_stamp, m_after;
};

}  // namespace synchub::test
