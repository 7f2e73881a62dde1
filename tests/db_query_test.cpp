#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "db/Error.h"
#include "db/Query.h"
#include "db/RowCopy.h"
#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

class DbQuery : public ::testing::Test {
  protected:
    DbQuery() {
        ServerAddress::fromEnvironment().point(con, db.name());
        db.script(
            "create table t (codigo int auto_increment primary key, nome varchar(40), valor decimal(10,2), "
            "dia date, hora time, quando datetime, foto blob, n int) engine=InnoDB;\n"
            "insert into t (nome, valor, dia, hora, quando, foto, n) values "
            "('um', 1.50, '2024-03-01', '14:07:09', '2024-03-05 14:07:09', x'00ff27', 7), "
            "(null, null, null, null, null, null, null);\n"
            "create table par (a int, b int, v varchar(10), primary key (a, b)) engine=InnoDB;\n"
            "insert into par values (1, 1, 'x'), (1, 2, 'y');\n"
            "create table semchave (a int, v varchar(10)) engine=InnoDB;\n"
            "insert into semchave values (1, 'x'), (1, 'x'), (2, null);\n"
            "create table latin (codigo int primary key, nome varchar(40)) character set latin1;\n"
            "insert into latin values (1, 'São João');\n");
    }
    TestDatabase db{"db"};
    db::Connection con{"con"};
};

TEST_F(DbQuery, ReadsTypedNullableValuesCaseInsensitively) {
    db::Query q(con);
    q.setSql("select * from t order by codigo");
    q.open();
    ASSERT_EQ(q.recordCount(), 2u);
    EXPECT_EQ(q.field("NOME").asText(), "um");
    EXPECT_EQ(q.field("valor").kind(), db::Kind::Float);
    EXPECT_DOUBLE_EQ(q.field("valor").asFloat(), 1.5);
    EXPECT_EQ(q.field("dia"), db::Value(db::Date{2024, 3, 1}));
    EXPECT_EQ(q.field("hora"), db::Value(db::Time{14, 7, 9, 0}));
    EXPECT_EQ(q.field("quando"), db::Value(db::DateTime{{2024, 3, 5}, {14, 7, 9, 0}}));
    EXPECT_EQ(q.field("foto"), db::Value(db::Blob{std::string("\0\xff'", 3)}));
    EXPECT_EQ(q.field("n").asInt(), 7);
    q.next();
    for (const char* c : {"nome", "valor", "dia", "hora", "quando", "foto", "n"}) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(q.field(c).isNull());
    }
    EXPECT_EQ(q.field("n").asInt(), 0);
    EXPECT_EQ(q.field("nome").asText(), "");
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_THROW(q.field("nome"), db::Error);
}

TEST_F(DbQuery, UnknownColumnErrorNamesIt) {
    db::Query q(con);
    q.setSql("select codigo from t");
    q.open();
    try {
        (void)q.field("nada");
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_STREQ(e.what(), "Column nada not found");
    }
}

TEST_F(DbQuery, NamedParametersSkipQuotedTextCommentsAndAssignments) {
    db::Query q(con);
    q.setSql("select ':x' as a, \":y\" as b, `n` as c, :n as d /* :z */ from t where codigo = :cod -- :w\n");
    q.setParam("N", db::Value("it's \\ fine"));
    q.setParam("cod", 1);
    EXPECT_THROW(q.setParam("z", 1), db::Error);
    q.open();
    EXPECT_EQ(q.field("a").asText(), ":x");
    EXPECT_EQ(q.field("b").asText(), ":y");
    EXPECT_EQ(q.field("d").asText(), "it's \\ fine");
    q.setSql("set @v := :v");
    EXPECT_THROW(q.execSql(), db::Error);  // unbound
    q.setParam("v", db::Value());
    q.execSql();
}

TEST_F(DbQuery, DoubleQuotesAreStringsAndTextIsUtf8EvenInLatin1Tables) {
    con.execute("set session sql_mode = 'ANSI'");
    con.disconnect();  // a new session drops ANSI_QUOTES again
    EXPECT_EQ(con.select("select \"abc\"").rows[0][0].asText(), "abc");
    db::Query q(con);
    q.setSql("select * from latin");
    q.open();
    EXPECT_EQ(q.field("nome").asText(), "São João");
    q.edit();
    q.set("nome", db::Value("Ação"));
    q.post();
    EXPECT_EQ(db.scalar("select hex(nome) from latin"), "41E7E36F");
}

TEST_F(DbQuery, PostInsertReadsGeneratedKeyAndUpdatesByPrimaryKey) {
    db::Query q(con);
    q.setSql("select * from t where codigo = -1");
    q.open();
    ASSERT_TRUE(q.isEmpty());
    q.append();
    q.set("nome", db::Value("novo"));
    q.set("n", db::Value("42"));  // converted to the column's kind
    q.post();
    EXPECT_EQ(q.field("codigo").asInt(), 3);
    EXPECT_EQ(db.rows("select nome, n, valor from t where codigo = 3"),
              (std::vector<std::vector<std::string>>{{"novo", "42", "NULL"}}));

    q.setSql("select nome, codigo from t where codigo in (1, 3) order by codigo desc");
    q.open();
    q.edit();
    q.set("nome", db::Value());  // NULL over a value
    q.post();
    EXPECT_EQ(db.rows("select codigo, nome from t order by codigo"),
              (std::vector<std::vector<std::string>>{{"1", "um"}, {"2", "NULL"}, {"3", "NULL"}}));
    EXPECT_THROW(q.set("n", 1), db::Error);  // not editing
}

TEST_F(DbQuery, UpdatesOnlyTheRowOfACompositeKeyOrOfAllOldValues) {
    db::Query q(con);
    q.setSql("select * from par where a = 1 order by b desc");
    q.open();
    q.edit();
    q.set("v", db::Value("z"));
    q.post();
    EXPECT_EQ(db.rows("select b, v from par order by b"),
              (std::vector<std::vector<std::string>>{{"1", "x"}, {"2", "z"}}));

    q.setSql("select * from semchave where a = 1");
    q.open();
    q.edit();
    q.set("v", db::Value("w"));
    q.post();
    EXPECT_EQ(db.scalar("select count(*) from semchave where v = 'w'"), "1");
    q.setSql("select * from semchave where a = 2");
    q.open();
    q.edit();
    q.set("v", db::Value("n"));
    q.post();
    EXPECT_EQ(db.scalar("select v from semchave where a = 2"), "n");
}

TEST_F(DbQuery, JoinedRowWritesTheTableOfItsColumns) {
    db::Query q(con);
    q.setSql("select p.v as extra, t.* from t join par p on p.b = t.codigo where t.codigo = 1");
    q.open();
    q.edit();
    q.set("nome", db::Value("dois"));
    q.post();
    EXPECT_EQ(db.scalar("select nome from t where codigo = 1"), "dois");
}

TEST_F(DbQuery, ConversionFailureNamesTheColumn) {
    db::Query q(con);
    q.setSql("select * from t where codigo = 1");
    q.open();
    q.edit();
    try {
        q.set("n", db::Value("abc"));
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value for column n");
    }
}

TEST_F(DbQuery, CopiesColumnsByNameWithSkips) {
    db.script("create table u (CODIGO int primary key, Nome varchar(40), n varchar(10), outra int);\n");
    db::Query src(con), dst(con);
    src.setSql("select * from t where codigo = 1");
    src.open();
    dst.setSql("select * from u");
    dst.open();
    dst.append();
    db::copyColumns(src, dst, [](std::string_view name) { return name == "nome"; });
    dst.post();
    EXPECT_EQ(db.rows("select * from u"),
              (std::vector<std::vector<std::string>>{{"1", "NULL", "7", "NULL"}}));
}

TEST_F(DbQuery, ServerErrorCarriesMessageNumberAndStatement) {
    try {
        con.execute("select * from nada");
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.number(), 1146u);
        EXPECT_EQ(std::string(e.what()), "Table '" + db.name() + ".nada' doesn't exist");
        EXPECT_EQ(e.statement(), "select * from nada");
        EXPECT_FALSE(e.connectionLost());
    }
}

TEST_F(DbQuery, ReopensAfterAKilledSessionAndCountsStatements) {
    con.execute("select 1");
    const auto before = con.statementCount();
    db.kill(con.threadId());
    try {
        con.execute("select 2");
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.connectionLost()) << e.number() << " " << e.what();
    }
    EXPECT_FALSE(con.connected());
    EXPECT_EQ(con.select("select 3").rows[0][0].asInt(), 3);
    EXPECT_EQ(con.statementCount(), before + 2);
}

TEST_F(DbQuery, LostTransactionIsNeverContinuedOnAFreshSession) {
    con.begin();
    con.execute("insert into t (nome) values ('meio')");
    db.kill(con.threadId());
    EXPECT_THROW(con.execute("insert into t (nome) values ('fim')"), db::Error);
    EXPECT_THROW(con.execute("insert into t (nome) values ('depois')"), db::Error);
    EXPECT_THROW(con.commit(), db::Error);
    con.rollback();
    EXPECT_EQ(db.scalar("select count(*) from t where nome in ('meio', 'fim', 'depois')"), "0");
    con.execute("insert into t (nome) values ('novo')");
    EXPECT_EQ(db.scalar("select count(*) from t where nome = 'novo'"), "1");
}

TEST_F(DbQuery, DeadlockVictimTransactionIsNeverContinued) {
    db.script(
        "create table dl (id int primary key, v int) engine=InnoDB;\n"
        "insert into dl select seq, 0 from seq_1_to_50;\n");
    db::Connection other("other");
    ServerAddress::fromEnvironment().point(other, db.name());

    con.begin();
    con.execute("update dl set v = 1 where id = 1");
    other.begin();
    other.execute("update dl set v = 2 where id > 1");  // the heavier transaction survives
    std::thread waiting([&] { other.execute("update dl set v = 2 where id = 1"); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (db.scalar("select count(*) from information_schema.INNODB_TRX where trx_state = 'LOCK WAIT'") ==
               "0" &&
           std::chrono::steady_clock::now() < deadline) {
        // The server refreshes this table's contents at most every 0.1 s.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }
    try {
        con.execute("update dl set v = 1 where id = 2");
        FAIL() << "no deadlock";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.number(), 1213u) << e.what();
    }
    waiting.join();
    other.commit();
    // The server rolled our transaction back: nothing more of it may run, and commit must not pretend.
    EXPECT_THROW(con.execute("update dl set v = 9 where id = 50"), db::Error);
    EXPECT_THROW(con.commit(), db::Error);
    con.rollback();
    EXPECT_EQ(db.scalar("select count(*) from dl where v = 2"), "50");
    con.execute("update dl set v = 3 where id = 50");
    EXPECT_EQ(db.scalar("select v from dl where id = 50"), "3");
}

TEST_F(DbQuery, ConnectFailureCarriesTheClientMessage) {
    con.setPassword("wrong");
    try {
        con.connect();
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.number(), 1045u);
        EXPECT_NE(std::string(e.what()).find("Access denied for user"), std::string::npos);
    }
}

}  // namespace
}  // namespace synchub::test
