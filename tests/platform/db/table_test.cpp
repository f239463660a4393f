#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <random>

#include "foundation/error.h"
#include "platform/db/database.h"
#include "platform/db/table.h"

namespace {
TTableDef ItemsDef()
{
    TTableDef def;
    def.Name = QStringLiteral("Items");
    def.FileName = QStringLiteral("Items.DB");
    def.Fields = ParseFieldList(QStringLiteral("ID:A10 Name:A20 Qty:S Price:$ Key:+ Day:D Flag:L"));
    def.Indexes = {{QString(), {QStringLiteral("ID")}, false, true},
                   {QStringLiteral("NameIndex"), {QStringLiteral("Name")}, true, false}};
    return def;
}

class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Db.Open(Dir.filePath(QStringLiteral("t.sqlite")), true);
        Db.EnsureTable(ItemsDef());
        Db.Exec(QStringLiteral("INSERT INTO Items VALUES ('B', 'beta', 2, 1.5, 1, '2020-01-02', 1),"
                               "('A', 'Alpha', 5, NULL, 2, NULL, 0), ('C', 'gamma', NULL, 3.25, 3, NULL, NULL),"
                               "('D', 'Delta', 5, 0, 4, NULL, NULL)"));
        Table.SetDatabase(&Db);
        Table.Open();
    }

    QStringList Ids()
    {
        QStringList ids;
        for (Table.First(); !Table.Eof(); Table.Next())
            ids << Table.FieldByName(QStringLiteral("ID")).AsString();
        return ids;
    }

    QTemporaryDir Dir;
    TDatabase Db{QStringLiteral("TEST")};
    TTable Table{ItemsDef()};
};
} // namespace

TEST_F(TableTest, NavigatesInPrimaryOrderWithDelphiEndFlags)
{
    EXPECT_EQ(Ids(), QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(Table.RecordCount(), 4);
    Table.Last();
    EXPECT_TRUE(Table.Eof());
    EXPECT_EQ(Table.FieldByName(QStringLiteral("id")).AsString(), QStringLiteral("D"));
    Table.Prior();
    EXPECT_EQ(Table.RecNo(), 3);
    Table.First();
    Table.Prior();
    EXPECT_TRUE(Table.Bof());
    EXPECT_EQ(Table.RecNo(), 1);
}

TEST_F(TableTest, BlanksReadAsEmptyZeroOrFalse)
{
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("C")));
    EXPECT_TRUE(Table.FieldByName(QStringLiteral("Qty")).IsNull());
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Qty")).AsInteger(), 0);
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Day")).AsString(), QString());
    EXPECT_FALSE(Table.FieldByName(QStringLiteral("Flag")).AsBoolean());
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Price")).AsCurrency(), TMoney::FromRaw(32500));
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Day")).AsDate(), QDate(2020, 1, 2));
    EXPECT_TRUE(Table.FieldByName(QStringLiteral("Flag")).AsBoolean());
    EXPECT_THROW(Table.FieldByName(QStringLiteral("Nope")), TError);
}

// Typed reads give what the value itself converts to: a logical stored as 2 is true, and 1.
TEST_F(TableTest, TypedReadsAgreeWithTheValue)
{
    Db.Exec(QStringLiteral("UPDATE Items SET Flag = 2, Price = 2.5 WHERE ID = 'D'"));
    Table.Refresh();
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("D")));
    for (int f = 0; f < Table.FieldCount(); ++f) {
        const TField& field = Table.Fields(f);
        const QVariant v = field.Value();
        SCOPED_TRACE(field.FieldName().toStdString());
        if (field.DataType() == TFieldType::Logical) {
            EXPECT_EQ(field.AsInteger(), 1);
            EXPECT_EQ(field.AsFloat(), 1.0);
            EXPECT_EQ(field.AsString(), QStringLiteral("True"));
        } else if (!IsTextType(field.DataType()) && field.DataType() != TFieldType::Date) {
            EXPECT_EQ(field.AsFloat(), v.toDouble());
            EXPECT_EQ(field.AsString(), v.isNull() ? QString() : field.DataType() == TFieldType::Money ? QString::number(v.toDouble(), 'g', 15) : v.toString());
        }
    }
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Price")).AsInteger(), 3); // half away from zero
}

TEST_F(TableTest, OrdersByIndexNameAndFieldNames)
{
    Table.SetIndexName(QStringLiteral("NameIndex")); // case-insensitive: Alpha beta Delta gamma
    EXPECT_EQ(Ids(), QStringList({"A", "B", "D", "C"}));
    Table.SetIndexFieldNames(QStringLiteral("Qty;ID")); // blank first
    EXPECT_EQ(Ids(), QStringList({"C", "B", "A", "D"}));
    EXPECT_THROW(Table.SetIndexName(QStringLiteral("NoSuchIndex")), TError);
    Table.SetIndexFieldNames(QString());
    EXPECT_EQ(Ids(), QStringList({"A", "B", "C", "D"}));
}

TEST_F(TableTest, LocateAndFindKey)
{
    EXPECT_FALSE(Table.Locate(QStringLiteral("Name"), QStringLiteral("alpha")));
    EXPECT_TRUE(Table.Locate(QStringLiteral("Name"), QStringLiteral("alpha"), loCaseInsensitive));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("A"));
    EXPECT_TRUE(Table.Locate(QStringLiteral("Name"), QStringLiteral("de"), loCaseInsensitive | loPartialKey));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("D"));
    EXPECT_TRUE(Table.Locate(QStringLiteral("Qty;Name"), {5, QStringLiteral("Delta")}));
    EXPECT_EQ(Table.RecNo(), 4);
    EXPECT_FALSE(Table.Locate(QStringLiteral("Qty"), 7));
    EXPECT_EQ(Table.RecNo(), 4); // a failed search leaves the cursor
    EXPECT_TRUE(Table.FindKey({QStringLiteral("C")}));
    EXPECT_EQ(Table.RecNo(), 3);
    EXPECT_FALSE(Table.FindKey({QStringLiteral("CC")}));
    Table.FindNearest({QStringLiteral("BB")});
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("C"));
    EXPECT_EQ(Table.Lookup(QStringLiteral("ID"), QStringLiteral("B"), QStringLiteral("Name")).toString(), QStringLiteral("beta"));
}

TEST_F(TableTest, EditsAreWrittenThroughAndAutoincNumberedByTheStore)
{
    Table.Append();
    Table.FieldByName(QStringLiteral("ID")).SetAsString(QStringLiteral("AB"));
    Table.FieldByName(QStringLiteral("Name")).SetAsString(QStringLiteral("a name longer than twenty characters"));
    Table.FieldByName(QStringLiteral("Day")).SetAsDate(QDate(2024, 2, 29));
    EXPECT_THROW(Table.FieldByName(QStringLiteral("Key")).SetAsInteger(9), TError);
    EXPECT_THROW(Table.FieldByName(QStringLiteral("Qty")).SetAsInteger(40000), TError);
    Table.Post();
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("AB"));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Key")).AsInteger(), 5);
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Name")).AsString().size(), 20);
    EXPECT_EQ(Table.RecNo(), 2);

    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("C")));
    Table.Edit();
    Table.FieldByName(QStringLiteral("Qty")).SetAsInteger(9);
    Table.Cancel();
    EXPECT_TRUE(Table.FieldByName(QStringLiteral("Qty")).IsNull());
    Table.Edit();
    Table.FieldByName(QStringLiteral("Price")).SetAsCurrency(TMoney::Parse(QStringLiteral("1.2346")));
    Table.Post();
    Table.Delete(); // C goes, the cursor stands on D
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("D"));

    TTable other(ItemsDef());
    other.SetDatabase(&Db);
    other.Open();
    EXPECT_EQ(other.RecordCount(), 4);
    EXPECT_FALSE(other.Locate(QStringLiteral("ID"), QStringLiteral("C")));
    ASSERT_TRUE(other.Locate(QStringLiteral("ID"), QStringLiteral("AB")));
    EXPECT_EQ(other.FieldByName(QStringLiteral("Day")).AsDate(), QDate(2024, 2, 29));

    // A key violation is reported and the edit stays open for correction.
    Table.Append();
    Table.FieldByName(QStringLiteral("ID")).SetAsString(QStringLiteral("A"));
    EXPECT_THROW(Table.Post(), TError);
    EXPECT_EQ(Table.State(), TDataSetState::Insert);
    Table.Cancel();

    other.Edit();
    other.FieldByName(QStringLiteral("Qty")).SetAsInteger(77);
    other.Post();
    Table.Locate(QStringLiteral("ID"), QStringLiteral("AB"));
    Table.Refresh();
    EXPECT_EQ(Table.FieldByName(QStringLiteral("ID")).AsString(), QStringLiteral("AB"));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Qty")).AsInteger(), 77);
}

TEST_F(TableTest, CachedUpdatesNeverReachTheStore)
{
    Table.SetCachedUpdates(true);
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
    Table.Edit();
    Table.FieldByName(QStringLiteral("Qty")).SetAsInteger(8);
    Table.Post();
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Qty")).AsInteger(), 8);
    Table.Append();
    Table.FieldByName(QStringLiteral("ID")).SetAsString(QStringLiteral("E"));
    Table.Post();
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Key")).AsInteger(), 5);
    EXPECT_EQ(Table.RecordCount(), 5);
    Table.First();
    Table.Delete();
    EXPECT_EQ(Ids(), QStringList({"B", "C", "D", "E"}));
    Table.Refresh();
    EXPECT_EQ(Ids(), QStringList({"A", "B", "C", "D"}));
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Qty")).AsInteger(), 2);
}

TEST_F(TableTest, KeyLookupsFollowEditedRows)
{
    EXPECT_EQ(Table.Lookup(QStringLiteral("ID"), QStringLiteral("B"), QStringLiteral("Name")).toString(), QStringLiteral("beta"));
    ASSERT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
    Table.Edit();
    Table.FieldByName(QStringLiteral("ID")).SetAsString(QStringLiteral("Z"));
    Table.Post();
    EXPECT_TRUE(Table.Lookup(QStringLiteral("ID"), QStringLiteral("B"), QStringLiteral("Name")).isNull());
    EXPECT_EQ(Table.Lookup(QStringLiteral("ID"), QStringLiteral("Z"), QStringLiteral("Name")).toString(), QStringLiteral("beta"));
    EXPECT_FALSE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
    EXPECT_TRUE(Table.Locate(QStringLiteral("ID"), QStringLiteral("Z")));
    EXPECT_EQ(Table.FieldByName(QStringLiteral("Qty")).AsInteger(), 2);
}

TEST_F(TableTest, ControlsDisabledHoldBackNotificationsUntilEnabled)
{
    QSignalSpy reset(&Table, &TTable::DataReset);
    QSignalSpy current(&Table, &TTable::CurrentChanged);
    Table.DisableControls();
    Table.SetFilter(QStringLiteral("Qty = 5"));
    Table.SetFiltered(true);
    Table.Next();
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(current.count(), 0);
    Table.EnableControls();
    EXPECT_EQ(reset.count(), 1);
    Table.Prior();
    EXPECT_EQ(current.count(), 1);
}

TEST_F(TableTest, FilterAndBaseFilter)
{
    Table.SetFilter(QStringLiteral("Qty = 5"));
    EXPECT_EQ(Table.RecordCount(), 4); // not in force until switched on
    Table.SetFiltered(true);
    EXPECT_EQ(Ids(), QStringList({"A", "D"}));
    Table.SetFilter(QStringLiteral("Price = 0")); // blank money compares as 0
    EXPECT_EQ(Ids(), QStringList({"A", "D"}));
    Table.SetFilter(QStringLiteral("Day = '02.01.2020'"));
    EXPECT_EQ(Ids(), QStringList({"B"}));
    Table.SetBaseFilter(QStringLiteral("ID <> 'B'"));
    EXPECT_EQ(Table.RecordCount(), 0);
    Table.SetFiltered(false);
    Table.SetFilter(QString());
    EXPECT_EQ(Ids(), QStringList({"A", "C", "D"}));
    EXPECT_FALSE(Table.Locate(QStringLiteral("ID"), QStringLiteral("B")));
}

// Narrowing through equality indexes must give exactly the rows, in the order, of a full scan.
TEST(TableNarrowing, RandomFiltersGiveTheSameRowsAsAFullScan)
{
    QTemporaryDir dir;
    TDatabase db(QStringLiteral("RND"));
    db.Open(dir.filePath(QStringLiteral("r.sqlite")), true);
    TTableDef def;
    def.Name = QStringLiteral("R");
    def.FileName = QStringLiteral("R.DB");
    def.Fields = ParseFieldList(QStringLiteral("ID:A10 Sub:A10 N:I M:S D:N2 Key:+"));
    def.Indexes = {{QString(), {QStringLiteral("ID"), QStringLiteral("Sub"), QStringLiteral("Key")}, false, true},
                   {QStringLiteral("NIndex"), {QStringLiteral("N")}, false, false}};
    db.EnsureTable(def);
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const QStringList words = {"", "a", "b", "A", "c'", "d"};
    db.BeginTransaction();
    for (int i = 0; i < 600; ++i) {
        db.Exec(QStringLiteral("INSERT INTO R VALUES (%1, %2, %3, %4, %5, %6)")
                    .arg(pick(7) == 0 ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(words[pick(6)]).replace(QStringLiteral("c'"), QStringLiteral("c''")))
                    .arg(QStringLiteral("'%1'").arg(pick(3)))
                    .arg(pick(5) == 0 ? QStringLiteral("NULL") : QString::number(pick(10) - 2))
                    .arg(pick(4))
                    .arg(pick(20) / 4.0)
                    .arg(i + 1));
    }
    db.Commit();
    TTable narrowed(def), scanned(def);
    for (TTable* t : {&narrowed, &scanned}) {
        t->SetDatabase(&db);
        t->SetIndexFieldNames(QStringLiteral("ID"));
        t->Open();
    }
    scanned.SetIndexNarrowing(false);
    auto literal = [&](const QString& field) {
        if (field == QLatin1String("ID") || field == QLatin1String("Sub")) {
            QString w = field == QLatin1String("ID") ? words[pick(6)] : QString::number(pick(3));
            return QStringLiteral("'%1'").arg(w.replace(QLatin1Char('\''), QStringLiteral("''")));
        }
        if (field == QLatin1String("D"))
            return QString::number(pick(20) / 4.0, 'f', 2);
        return QString::number(pick(10) - 2);
    };
    const QStringList fields = {"ID", "Sub", "N", "M", "D"};
    const QStringList ops = {"=", "<>", "<", ">", "<=", ">="};
    std::function<QString(int)> expr = [&](int depth) -> QString {
        const int kind = depth > 2 ? 0 : pick(5);
        if (kind == 1)
            return expr(depth + 1) + QStringLiteral(" and ") + expr(depth + 1);
        if (kind == 2)
            return QStringLiteral("(") + expr(depth + 1) + QStringLiteral(" or ") + expr(depth + 1) + QStringLiteral(")");
        if (kind == 3)
            return QStringLiteral("not (") + expr(depth + 1) + QStringLiteral(")");
        const QString f = fields[pick(5)];
        const QString op = pick(2) ? QStringLiteral("=") : ops[pick(6)];
        return f + op + literal(f);
    };
    int nonEmpty = 0;
    for (int round = 0; round < 400; ++round) {
        // Most filters lead with an equality on an indexed field, as the engine's do.
        const QString lead = pick(3) ? QStringLiteral("ID = %1 and ").arg(literal(QStringLiteral("ID")))
                                     : (pick(2) ? QStringLiteral("N = %1 and ").arg(literal(QStringLiteral("N"))) : QString());
        const QString text = lead + expr(0);
        for (TTable* t : {&narrowed, &scanned}) {
            t->SetFilter(text);
            t->SetFiltered(true);
        }
        std::vector<qint64> a, b;
        for (narrowed.First(); !narrowed.Eof(); narrowed.Next())
            a.push_back(narrowed.Bookmark());
        for (scanned.First(); !scanned.Eof(); scanned.Next())
            b.push_back(scanned.Bookmark());
        ASSERT_EQ(a, b) << text.toStdString();
        nonEmpty += a.empty() ? 0 : 1;
        // Locate on the filtered rows finds the first visible row with the key.
        const QString key = words[pick(6)];
        qint64 first = 0;
        for (scanned.First(); !scanned.Eof() && first == 0; scanned.Next())
            if (scanned.FieldByName(QStringLiteral("ID")).AsString() == key)
                first = scanned.Bookmark();
        ASSERT_EQ(narrowed.Locate(QStringLiteral("ID"), key), first != 0) << text.toStdString() << " " << key.toStdString();
        if (first != 0) {
            ASSERT_EQ(narrowed.Bookmark(), first) << text.toStdString();
        }
    }
    EXPECT_GT(nonEmpty, 50);
}
