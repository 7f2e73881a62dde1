#pragma once

// Tables, columns and marker values shared by the two databases, named once.
namespace synchub::names {

// Tables (the same name on both sides unless noted).
inline constexpr const char* kUsuario = "usuario";
inline constexpr const char* kParametros = "parametros";
inline constexpr const char* kFormaPagto = "forma_pagto";
inline constexpr const char* kCondicao = "condicao";
inline constexpr const char* kCliente = "cliente";
inline constexpr const char* kCidade = "cidade";
inline constexpr const char* kProduto = "produto";
inline constexpr const char* kEstoque = "estoque";  // app; aggregated from the ERP's est_items
inline constexpr const char* kItemsTabela = "items_tabela";
inline constexpr const char* kFotos = "fotos";
inline constexpr const char* kCtReceber = "ct_receber";  // ERP; arrives in the app as financeiro
inline constexpr const char* kFinanceiro = "financeiro";
inline constexpr const char* kPedido = "pedido";
inline constexpr const char* kItemsPedido = "items_pedido";
inline constexpr const char* kPedidoFotos = "pedido_fotos";
inline constexpr const char* kParcelasPedido = "parcelas_pedido";
inline constexpr const char* kBairro = "bairro";
inline constexpr const char* kLogMonitor = "log_monitor";

// Columns named by the system.
inline constexpr const char* kCodigo = "codigo";
inline constexpr const char* kSincronizado = "sincronizado";
inline constexpr const char* kIdInternet = "id_internet";      // ERP cliente: the app codigo
inline constexpr const char* kIdInterno = "id_interno";        // app rows: the ERP codigo
inline constexpr const char* kIdIntegracao = "id_integracao";  // ERP pedido: the app codigo
inline constexpr const char* kIdCidade = "id_cidade";          // ERP cidade: the app's own cod
inline constexpr const char* kCod = "cod";

// Marker values.
inline constexpr const char* kPendingText = "N";
inline constexpr const char* kDoneText = "S";
inline constexpr int kPendingNumber = 0;  // ERP and app cliente, ERP pedido
inline constexpr const char* kClienteDone = "1";
inline constexpr int kPedidoStatusSent = 1;

// Text the monitor log rows carry in their monitor column.
inline constexpr const char* kMonitorName = "QUARVEX";

}  // namespace synchub::names
