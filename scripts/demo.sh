#!/usr/bin/env bash
# Builds synchub, loads the sample ERP and app databases into a throwaway MariaDB server on
# loopback, runs one start-up + receivables export + cycle (synchub --once) and shows the
# monitor log and what changed on both sides.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/test-server.sh start >/dev/null
eval "$(bash scripts/test-server.sh env)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSYNCHUB_BUILD_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)" --target synchub >/dev/null

sql() { mariadb --no-defaults -h"$SYNCHUB_TEST_HOST" -P"$SYNCHUB_TEST_PORT" -u"$SYNCHUB_TEST_USER" \
        -p"$SYNCHUB_TEST_PASSWORD" "$@"; }
show() { echo; echo "== $1"; sql --table "$2" -e "$3"; }

sql -e "drop database if exists synchub_erp; drop database if exists synchub_app;
        create database synchub_erp character set utf8mb4; create database synchub_app character set utf8mb4;"
sql synchub_erp <sample/erp.sql
sql synchub_app <sample/app.sql

mkdir -p .demo
cat >.demo/MONITOR.INI <<INI
[SYNCHUB]
; app database
HOST=$SYNCHUB_TEST_HOST
PORTA=$SYNCHUB_TEST_PORT
BANCO=synchub_app
USUARIO=$SYNCHUB_TEST_USER
SENHA=$SYNCHUB_TEST_PASSWORD
; ERP database
HOST_I=$SYNCHUB_TEST_HOST
PORTA_I=$SYNCHUB_TEST_PORT
BANCO_I=synchub_erp
USUARIO_I=$SYNCHUB_TEST_USER
SENHA_I=$SYNCHUB_TEST_PASSWORD
EMPRESA=1
TIPOMOVIMENTO=5
SETOR=1
HISTORICO=12
TABELACUSTO=0
TEMPOQUARVEX=600000
INI

echo "== synchub --once --config .demo/MONITOR.INI"
set +e
build/synchub --once --config .demo/MONITOR.INI
code=$?
set -e
echo "exit code: $code"

show "Monitor log (ERP log_monitor)" synchub_erp \
    "select codigo, data, hora, descricao from log_monitor order by codigo"
echo
echo "######## ERP -> app ########"
show "app usuario" synchub_app "select * from usuario"
show "app parametros" synchub_app "select * from parametros"
show "app forma_pagto / condicao" synchub_app \
    "select 'forma_pagto' t, codigo, descricao from forma_pagto union all select 'condicao', codigo, descricao from condicao"
show "app cliente (ERP customers arrive with the neighbourhood name; the app's own customer gets its ERP number)" \
    synchub_app "select codigo, id_interno, razao, fantasia, bairro, cidade, sincronizado from cliente"
show "app cidade" synchub_app "select * from cidade"
show "app produto" synchub_app \
    "select codigo, nome, preco, precominimo, nomemarca, nomemodelo, descgrupo, nomeunidade, estoque from produto"
show "app estoque" synchub_app "select * from estoque"
show "app items_tabela" synchub_app "select * from items_tabela"
show "app fotos" synchub_app "select codigo, produto, hex(foto) from fotos"
show "app financeiro (overdue open receivables)" synchub_app "select * from financeiro"
show "ERP markers" synchub_erp \
    "select 'cliente' t, codigo, id_internet, sincronizado from cliente union all
     select 'produto', codigo, null, sincronizado from produto union all
     select 'items_tabela', codigo, null, sincronizado from items_tabela"
echo
echo "######## app -> ERP ########"
show "ERP cliente created from the app" synchub_erp \
    "select c.codigo, c.razao, c.bairro, b.nome bairro_nome, c.id_internet, c.sincronizado
       from cliente c left join bairro b on b.codigo = c.bairro where c.id_internet > 0"
show "ERP cidade created from the app" synchub_erp "select * from cidade where id_cidade > 0"
show "ERP pedido imported from the app" synchub_erp \
    "select codigo, data, cliente, condicao, soma, total_produto, frete, desconto, status, tipomovimento, historico,
            nota, cobrar_frete, impresso, id_integracao, observacao from pedido where codigo <> 500"
show "ERP items_pedido" synchub_erp "select * from items_pedido"
show "ERP pedido_fotos" synchub_erp "select id, pedido, hex(foto), descricao from pedido_fotos"
show "ERP parcelas_pedido" synchub_erp "select * from parcelas_pedido"
show "ERP log and chat" synchub_erp \
    "select 'log' t, acao what, obs text from log union all select 'chat', tipo, mensagem from chat"
show "app pedido (marked, with ERP numbers; status returned from the ERP)" synchub_app \
    "select codigo, cliente, status, hora_status, id_interno, sincronizado from pedido"
exit "$code"
