#include "engine_fixture.h"

#include <algorithm>

#include "catalog/catalog_import.h"
#include "engine/article_lookups.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "support/scripted_messages.h"

std::unique_ptr<QTemporaryDir> EngineTest::Dir;
std::unique_ptr<TDM> EngineTest::DmInstance;

std::unique_ptr<TFakeSash> TFakeSash::Rectangle(int width, int height)
{
    auto sash = std::make_unique<TFakeSash>();
    sash->Width = width;
    sash->Height = height;
    for (int length : {height, width, height, width}) {
        TFakeSide side;
        side.Length = length;
        sash->SidesList.push_back(side);
    }
    return sash;
}

int TFakeSash::FirstHandleSide() const
{
    for (size_t i = 0; i < SidesList.size(); ++i)
        if (SidesList[i].HandleSide)
            return static_cast<int>(i);
    return -1;
}

void TFakeSash::SetHandle(int index, int height, int direction)
{
    HandleCalls.emplace_back(index, height, direction);
    TFakeSide& side = SidesList.at(static_cast<size_t>(index));
    if (side.HandleSide) {
        side.HandleHeight = height;
        side.HandleDirection = direction;
    } else {
        side.HandleHeight = 0;
    }
}

double TFakeSash::Evaluate(const QString& formula)
{
    if (formula == QStringLiteral("FFB/2"))
        return Width / 2.0;
    const auto arg = [&](const QString& name) -> int {
        return formula.mid(name.size() + 1, formula.size() - name.size() - 2).toInt();
    };
    if (formula.startsWith(QStringLiteral("FG("))) {
        const int n = arg(QStringLiteral("FG"));
        return n >= 1 && n <= SideCount() ? SidesList[static_cast<size_t>(n - 1)].HandleHeight : 0;
    }
    if (formula.startsWith(QStringLiteral("FFL("))) {
        const int n = arg(QStringLiteral("FFL"));
        return n >= 1 && n <= SideCount() ? SidesList[static_cast<size_t>(n - 1)].Length : 0;
    }
    return 0;
}

int TFakeSash::FindArticle(const QString& article) const
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].ID == article)
            return static_cast<int>(i);
    return -1;
}

void TFakeSash::AddItem(const QString& article, const QString& parentComplect, const QString& history, bool noMerge,
                        double length, const QString& comment, int count, int sideNo)
{
    if (article.isEmpty() || count == 0 || IsVirtualArticle(article))
        return;
    QString kept = history;
    if (!noMerge) {
        for (TEngineItem& item : Items)
            if (item.ID == article && item.ParentComplect == parentComplect && item.Length == length &&
                item.SideNo == sideNo && item.Comment == comment) {
                item.Count += count;
                return;
            }
        kept.clear();
    }
    Items.push_back(TEngineItem{article, length, count, kept, comment, sideNo, parentComplect});
}

QStringList TFakeSash::Lines() const
{
    QStringList lines;
    for (const TEngineItem& item : Items) {
        QString line = QStringLiteral("%1 x%2 s%3 %4").arg(item.ID).arg(item.Count).arg(item.SideNo).arg(item.ParentComplect);
        if (!item.Comment.isEmpty())
            line += QStringLiteral(" '") + item.Comment + QLatin1Char('\'');
        if (item.Length != 0)
            line += QStringLiteral(" L") + QString::number(item.Length);
        lines << line;
    }
    return lines;
}

void TFakeComplect::DropEmptyAndSort()
{
    auto& items = FakeSash.Items;
    items.erase(std::remove_if(items.begin(), items.end(), [](const TEngineItem& i) { return i.Count == 0; }),
                items.end());
    std::stable_sort(items.begin(), items.end(),
                     [](const TEngineItem& a, const TEngineItem& b) { return ToCp1251(a.ID) < ToCp1251(b.ID); });
}

bool TScriptedChooser::Choose(TTable& table, const QString& keyField, const QStringList&, const QString& caption,
                              const QString& prompt)
{
    QStringList rows;
    for (table.First(); !table.Eof(); table.Next())
        rows << table.FieldByName(keyField).AsString();
    Asked.push_back(rows);
    Caption = caption;
    Prompt = prompt;
    TAnswer answer{1, true};
    if (!Script.empty()) {
        answer = Script.front();
        Script.erase(Script.begin());
    }
    table.SetRecNo(answer.Row);
    return answer.Ok;
}

void EngineTest::SetUpTestSuite()
{
    Dir = std::make_unique<QTemporaryDir>();
    ImportCatalog(QStringLiteral(DIRAVIR_TEST_DATA_DIR "/engine_catalog"), Dir->filePath(QStringLiteral("cat")));
    DmInstance = std::make_unique<TDM>();
    DmInstance->ConnectCatalog(Dir->filePath(QStringLiteral("cat")));
    DmInstance->OpenCatalogTables();
}

void EngineTest::TearDownTestSuite()
{
    DmInstance.reset();
    Dir.reset();
}

void EngineTest::SetUp()
{
    ASSERT_TRUE(DmInstance);
    TScriptedMessages::Current().Clear();
    SetArticleChooser(&Chooser);
    SetDebugModeSource([this] { return Debug; });
}

void EngineTest::TearDown()
{
    SetArticleChooser(nullptr);
    SetDebugModeSource({});
    for (TTable* t : Dm().CatalogTables()) {
        EXPECT_FALSE(t->Filtered()) << t->TableName().toStdString();
        EXPECT_TRUE(t->Filter().isEmpty()) << t->TableName().toStdString();
        EXPECT_FALSE(t->ControlsDisabled()) << t->TableName().toStdString();
    }
    EXPECT_TRUE(TScriptedMessages::Current().Shown().empty()) << TScriptedMessages::Current().Texts().join(QLatin1Char('|')).toStdString();
}

QString EngineTest::Raised(const std::function<void()>& body)
{
    try {
        body();
    } catch (const TError& e) {
        return e.Message();
    }
    return QString();
}
