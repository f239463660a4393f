#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "catalog/data_module.h"
#include "engine/engine_hooks.h"
#include "engine/engine_sash.h"
#include "qt_print.h"

// One side of a scripted sash outline.
struct TFakeSide
{
    double Length = 0;
    double Angle = 90;
    double Radius1 = 0; // tenths of a millimetre
    bool Full = false;
    bool Partial = false;
    bool Elliptic = false;
    bool HandleSide = false;
    int HandleHeight = 0;
    int HandleDirection = -1;
};

// A sash with an outline given side by side and a complect whose AddItem follows the model's
// merge rule, so that the engine can be driven without the order model.
class TFakeSash : public TEngineSash
{
public:
    // A rectangle as the outline builder makes it: left, top, right, bottom.
    static std::unique_ptr<TFakeSash> Rectangle(int width, int height);

    std::vector<TFakeSide> SidesList;
    int Width = 0;
    int Height = 0;
    int Dorn = 201;
    bool Complect = true;
    QStringList Props;
    QString Keeper = QStringLiteral("K1");
    std::vector<TEngineItem> Items;
    TFakeSash* Other = nullptr;
    std::vector<std::tuple<int, int, int>> HandleCalls; // index, height, direction

    int SideCount() const override { return static_cast<int>(SidesList.size()); }
    double SideLength(int i) const override { return SidesList.at(static_cast<size_t>(i)).Length; }
    double Radius1(int i) const override { return SidesList.at(static_cast<size_t>(i)).Radius1; }
    bool IsFullArc(int i) const override { return SidesList.at(static_cast<size_t>(i)).Full; }
    bool IsPartialArc(int i) const override { return SidesList.at(static_cast<size_t>(i)).Partial; }
    bool IsElliptic(int i) const override { return SidesList.at(static_cast<size_t>(i)).Elliptic; }
    double CornerAngle(int i) const override { return SidesList.at(static_cast<size_t>(i)).Angle; }
    void FalzSize(int& w, int& h) const override
    {
        w = Width;
        h = Height;
    }
    int FirstHandleSide() const override;
    void SetHandle(int index, int height, int direction) override;
    // Knows the few formulas the test catalogue uses: FFB/2, FG(n), FFL(n).
    double Evaluate(const QString& formula) override;
    int DornType() const override { return Dorn; }
    bool HasComplect() const override { return Complect; }
    QStringList Properties() const override { return Props; }
    QString KeeperSystem() const override { return Keeper; }
    int FindArticle(const QString& article) const override;
    void AddItem(const QString& article, const QString& parentComplect, const QString& history, bool noMerge,
                 double length, const QString& comment, int count, int sideNo) override;
    TEngineSash* Adjacent() override { return Other; }

    // "ID count side parent comment length" per line, for readable comparisons.
    QStringList Lines() const;
};

class TFakeComplect : public TEngineComplect
{
public:
    explicit TFakeComplect(TFakeSash& sash) : FakeSash(sash) {}

    TFakeSash& FakeSash;
    QString Slots[7];
    QStringList Extra;
    QString Furn = QStringLiteral("100");
    QString Decor;
    bool UserHeight = false;
    int Falz = 101;
    int Stulp = 301;
    int Open = 401;
    int Arrange = 2;
    QString Outer;
    QString Inner;

    TEngineSash& Sash() override { return FakeSash; }
    QString SlotComplect(int slot) const override { return Slots[slot]; }
    QStringList ExtraComplects() const override { return Extra; }
    QString FurnSys() const override { return Furn; }
    QString Color() const override { return Decor; }
    bool UserHeightSet() const override { return UserHeight; }
    int FalzType() const override { return Falz; }
    int StulpType() const override { return Stulp; }
    int OpenType() const override { return Open; }
    float ProfWidth() const override { return 68; }
    float ProfThickness() const override { return 70; }
    int Arrangement() const override { return Arrange; }
    QString OuterColor() const override { return Outer; }
    QString InnerColor() const override { return Inner; }
    int ItemCount() const override { return static_cast<int>(FakeSash.Items.size()); }
    TEngineItem Item(int index) const override { return FakeSash.Items.at(static_cast<size_t>(index)); }
    void DropEmptyAndSort() override;
};

// Answers the article chooser from a script: the row (1-based) to leave the cursor on and the
// answer; records the candidate articles of every question.
class TScriptedChooser : public TArticleChooser
{
public:
    struct TAnswer
    {
        int Row;
        bool Ok;
    };
    std::vector<TAnswer> Script;
    std::vector<QStringList> Asked;
    QString Caption;
    QString Prompt;

    bool Choose(TTable& table, const QString& keyField, const QStringList& columns, const QString& caption,
                const QString& prompt) override;
};

// The test catalogue imported once for all engine tests; every test checks afterwards that no
// shared table was left filtered or with its controls disabled.
class EngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static TDM& Dm() { return *DmInstance; }
    // Runs `body` and returns the message it raised (empty when none).
    static QString Raised(const std::function<void()>& body);

    TScriptedChooser Chooser;
    bool Debug = false;

private:
    static std::unique_ptr<QTemporaryDir> Dir;
    static std::unique_ptr<TDM> DmInstance;
};
