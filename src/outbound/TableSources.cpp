#include "db/Names.h"
#include "outbound/Hooks.h"
#include "outbound/TableSource.h"

namespace synchub::outbound {

namespace {

// Each user with the price list and maximum discount of the customer row that stands for the user.
constexpr const char* kUsuarioSql =
    "select coalesce(cliente.tabela_preco, 0) as tabela_preco,  coalesce(cliente.desconto_maximo, 0) as "
    "desconto_maximo, usuario.*  from usuario  left outer join cliente on cliente.usuario = usuario.codigo "
    "and cliente.opcao = \"FUNCIONARIO\"  where usuario.sincronizado = \"N\"";

constexpr const char* kClienteSql =
    "select cliente.*  from cliente  where cliente.sincronizado = 0 and cliente.opcao = \"CLIENTE\" ";

constexpr const char* kProdutoSql =
    "select p.custo1 as precominimo, p.*, current_timestamp as ultima_atualizacao,  0 as estoque, "
    "modelo.descricao as nomemodelo, marca.descricao as nomemarca, grupo.descricao as descgrupo,  "
    "unidade.descricao as nomeunidade  from produto p  left outer join marca on marca.codigo = p.marca  "
    "left outer join modelo on modelo.codigo = p.modelo  left outer join grupo on grupo.codigo = p.grupo  "
    "left outer join unidade on unidade.codigo = p.unidade  where p.sincronizado = \"N\" ";

// Stock per sector, product and batch. A plain blank precedes " having": a no-break space there
// makes a UTF-8 server read it as part of the name "lote" and refuse the statement.
constexpr const char* kEstoqueSql =
    "select est_items.setor, est_items.produto, coalesce(est_items.lote,\"\") as lote, est_items.vencimento, "
    "sum(est_items.quantidade) as quantidade  from est_items  join produto on produto.codigo = "
    "est_items.produto  WHERE produto.mostrarnoapp = \"S\" and est_items.setor >= 1  group by "
    "est_items.setor, est_items.produto, est_items.lote  having quantidade > 0 ";

constexpr const char* kItemsTabelaSql =
    "select items_tabela.*, tabela_preco.descricao, tabela_preco.permitedesconto, tabela_preco.mostrarnoapp  "
    " "
    "from items_tabela   left join produto on produto.codigo = items_tabela.produto   left join tabela_preco "
    "on tabela_preco.codigo = items_tabela.tabela  where coalesce(items_tabela.sincronizado, \"N\") = \"N\" ";

constexpr const char* kCtReceberSql =
    "select c.codigo ct_receber, c.parcela, c.cliente, c.vencimento, c.valor, c.status  from ct_receber c  "
    "where c.vencimento < CURRENT_DATE  and c.valor > 0 and c.status = \"A\" ";

std::string pendingRows(const std::string& tabela) {
    return "select * from " + tabela + " where sincronizado = \"N\"";
}

// Pending rows to the app table of the same name, matched by codigo, marked "S".
TableSource defaults(const std::string& tabela) {
    TableSource s;
    s.sourceSql = pendingRows(tabela);
    s.appTable = tabela;
    s.match = {{names::kCodigo, names::kCodigo}};
    s.mark = markSourceRow;
    s.fixedWriteMessage = true;
    return s;
}

}  // namespace

TableSource tableSource(const std::string& tabela) {
    using namespace names;
    TableSource s = defaults(tabela);
    if (tabela == kUsuario) {
        s.sourceSql = kUsuarioSql;
    } else if (tabela == kFormaPagto || tabela == kCondicao) {
        // Mirrored whole: every row shown in the app, pending or not.
        s.sourceSql = "select * from " + tabela + " where visualiza_app = \"S\" ";
        s.clearSql = "delete from " + tabela;
    } else if (tabela == kCliente) {
        s.sourceSql = kClienteSql;
        s.match = {{kIdInterno, kCodigo}};
        s.skip = {kCodigo};
        s.fill = fillCliente;
        s.mark = markCliente;
    } else if (tabela == kProduto) {
        s.sourceSql = kProdutoSql;
        s.mark = markProduto;
    } else if (tabela == kEstoque) {
        s.sourceSql = kEstoqueSql;
        s.match = {{"setor", "setor"}, {"produto", "produto"}, {"lote", "lote", true}};
        s.mark = nullptr;
        s.fixedWriteMessage = false;
    } else if (tabela == kItemsTabela) {
        s.sourceSql = kItemsTabelaSql;
        s.match = {{"tabela", "tabela"}, {"produto", "produto"}};
        s.skip = {"mostrarnoapp", kCodigo};
        s.fill = zeroItemCodigo;
        s.withdraw = priceListHidden;
        s.mark = markItemsTabela;
        s.fixedWriteMessage = false;
    } else if (tabela == kCtReceber) {
        // Rebuilt whole at each start: insert only, no marker.
        s.sourceSql = kCtReceberSql;
        s.appTable = kFinanceiro;
        s.match.clear();
        s.clearSql = "delete from financeiro ";
        s.write = insertReceivable;
        s.mark = nullptr;
        s.fixedWriteMessage = false;
    }
    return s;
}

TableSource photoSource(const std::string& tabela) {
    TableSource s = defaults(tabela);
    s.mark = markPhoto;
    s.fixedWriteMessage = false;
    return s;
}

}  // namespace synchub::outbound
