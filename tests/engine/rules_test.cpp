#include <gtest/gtest.h>

#include "engine/filter_text.h"
#include "qt_print.h"
#include "engine/rules.h"
#include "foundation/error.h"

TEST(EngineRules, MullionRestrictionBits)
{
    struct TCase
    {
        int Restriction;
        int Mullion;
        bool Admits;
    } cases[] = {
        {0, 0, true}, {0, 3, true}, {0, 6, true},     // 0: any
        {1, 0, true}, {1, 3, true}, {1, 6, true},     // bit 1: any
        {8, 3, true}, {8, 2, false}, {8, 0, false},   // bit 4 only for type 3
        {2, 0, false}, {2, 1, true}, {64 + 4, 6, true}, {64 + 4, 2, true}, {64 + 4, 5, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StulpTypeAdmits(c.Restriction, c.Mullion), c.Admits) << c.Restriction << "/" << c.Mullion;
    EXPECT_TRUE(HasBit(8, 4));
    EXPECT_FALSE(HasBit(8, 3));
    EXPECT_FALSE(HasBit(8, 0));
}

TEST(EngineRules, CentimetresByTwoRoundings)
{
    EXPECT_EQ(MillimetresToCentimetres(1234), 123);
    EXPECT_EQ(MillimetresToCentimetres(1235), 124);
    EXPECT_EQ(MillimetresToCentimetres(1405), 141);
    EXPECT_EQ(MillimetresToCentimetres(0), 0);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(812.5), 813);
}

TEST(EngineRules, CountScheme)
{
    EXPECT_EQ(CountScheme(QStringLiteral("60;80;x;100"), 85), 2);
    EXPECT_EQ(CountScheme(QStringLiteral("60;80;x;100"), 100), 3);
    EXPECT_EQ(CountScheme(QStringLiteral("-1;-1;10"), 50), 1);
    EXPECT_EQ(CountScheme(QStringLiteral("-5;0"), 0), 2);
    EXPECT_EQ(CountScheme(QString(), 50), 0);
    EXPECT_EQ(CountScheme(QStringLiteral("10;20"), 15.5), 1);
}

TEST(EngineRules, ScaleCountSchemeAndStepForms)
{
    int s = 0;
    // Scheme: only the counted entries are multiplied.
    TScaleRule scheme{5, 0, 0, 3, QStringLiteral("60;80;x;100")};
    ASSERT_EQ(ScaleCount(scheme, 85, false, s), TScaleResult::Ok);
    EXPECT_EQ(s, 2 * 3 + 5);

    TScaleRule step{1, 40, 30, 1, QString()};
    for (auto [ffb, want] : {std::pair{39, 1}, {40, 2}, {70, 3}, {99, 2 + 1}, {100, 4}}) {
        ASSERT_EQ(ScaleCount(step, ffb, false, s), TScaleResult::Ok);
        EXPECT_EQ(s, want) << ffb;
    }
    // The step form multiplies the whole sum.
    TScaleRule doubled{1, 40, 30, 2, QString()};
    ScaleCount(doubled, 70, false, s);
    EXPECT_EQ(s, 6);

    // A zero step matters only without a scheme.
    TScaleRule zero{1, 40, 0, 1, QString()};
    EXPECT_EQ(ScaleCount(zero, 70, false, s), TScaleResult::ZeroStep);
    zero.Scheme = QStringLiteral("10");
    EXPECT_EQ(ScaleCount(zero, 70, false, s), TScaleResult::Ok);
    EXPECT_EQ(s, 2);

    // Side lengths: compared unrounded, rounded for the division.
    TScaleRule side{0, 100, 50, 1, QString()};
    ScaleCount(side, 149.5, true, s); // round(49.5) = 50 -> 1 step
    EXPECT_EQ(s, 2);
    ScaleCount(side, 99.9, true, s);
    EXPECT_EQ(s, 0);

    TScaleRule huge{0, 0, 1, 30000, QString()};
    EXPECT_THROW(ScaleCount(huge, 1e6, false, s), TError);
}

TEST(FilterText, FixedPointWithHalfAwayRounding)
{
    struct TCase
    {
        double Value;
        int Decimals;
        const char* Text;
    } cases[] = {{37.5, 2, "37.50"}, {2.5, 0, "3"}, {812.5, 0, "813"}, {1.005, 2, "1.01"}, {0, 2, "0.00"},
                 {-3.14159, 2, "-3.14"}, {0.004, 2, "0.00"}, {140, 0, "140"}, {90, 2, "90.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.Value, c.Decimals), QString::fromLatin1(c.Text)) << c.Value;
}

TEST(FilterText, ExampleForHeightPrinciple)
{
    TElementFlags flags;
    flags.HasFalzLuft = flags.HasDornMass = flags.CheckDirect = flags.HasColor = true;
    TArticleQuery q;
    q.ElementId = QStringLiteral("E1");
    q.Color = QStringLiteral("C");
    q.Direction = 1;
    q.FFH = 140;
    q.Params.FalzLuft = 12;
    q.Params.DornMass = 37.5f;
    q.Principle = 2;
    const TArticleFilter f = BuildArticleFilter(flags, q);
    EXPECT_EQ(f.Filter, QStringLiteral("FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and DornMassMin <= 37.50 "
                                       "and DornMassMax >= 37.50 and (Direct = 3 or Direct = 1) and ID='E1' "
                                       "and Color = 'C' "));
    EXPECT_EQ(f.Fallback, QStringLiteral("FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and DornMassMin <= 37.50 "
                                         "and DornMassMax >= 37.50 and (Direct = 3 or Direct = 1) and ID='E1' "
                                         "and Color = '' "));
    EXPECT_EQ(f.Dimension, 140);
}

TEST(FilterText, FirstAndSecondFormsOfEveryClause)
{
    TElementFlags all;
    all.HasFalzLuft = all.HasFalzSize = all.HasFalzPos = all.CheckWeight = all.HasDornMass = true;
    all.CheckThickness = all.CheckProfWidth = all.HasProfSys = all.CheckStulpType = all.CheckDirect = true;
    TArticleQuery q;
    q.ElementId = QStringLiteral("E");
    q.KeeperSystem = QStringLiteral("K1");
    q.Params = {0, 70.4f, 12, 20, 9, 15, 1};
    q.ProfWidth = 100;
    q.MullionType = 6;
    q.Direction = 2;
    const QString tail = QStringLiteral(
        "FalzSize = 20 and FalzPos = 9 and WeightMin <= 0.00 and  WeightMax >= 0.00 and DornMassMin <= 15.00 and "
        "DornMassMax >= 15.00  and ThicknessMin <= 70 and ThicknessMax >= 70  and ProfWidthMin <= 100 and "
        "ProfWidthMax >= 100 and ProfSys = 'K1' and StulpType = 6 and (Direct = 3 or Direct = 2) and ID='E' ");
    EXPECT_EQ(BuildArticleFilter(all, q).Filter, QStringLiteral("FalzLuft = 12 and ") + tail);

    // Every clause in its first form when it comes first.
    struct TOne
    {
        bool TElementFlags::*Flag;
        const char* Text;
    } ones[] = {
        {&TElementFlags::CheckWeight, "WeightMin <= 0.00 and  WeightMax >= 0.00 and ID='E' "},
        {&TElementFlags::CheckThickness, "ThicknessMin <= 70 and ThicknessMax >= 70 and ID='E' "},
        {&TElementFlags::CheckProfWidth, "ProfWidthMin <= 100 and ProfWidthMax >= 100 and ID='E' "},
        {&TElementFlags::HasProfSys, "ProfSys = 'K1' and ID='E' "},
        {&TElementFlags::CheckStulpType, "StulpType = 6 and ID='E' "},
        {&TElementFlags::CheckDirect, "(Direct = 3 or Direct = 2) and ID='E' "},
    };
    for (const auto& one : ones) {
        TElementFlags flags;
        flags.*(one.Flag) = true;
        EXPECT_EQ(BuildArticleFilter(flags, q).Filter, QString::fromLatin1(one.Text));
    }
    EXPECT_EQ(BuildArticleFilter(TElementFlags{}, q).Filter, QStringLiteral("ID='E' "));
}

TEST(FilterText, PrincipleClausesAndDimension)
{
    TArticleQuery q;
    q.ElementId = QStringLiteral("E");
    q.FFB = 123;
    q.FFH = 141;
    q.Length1 = 812.5;
    q.Length2 = 400.4;
    q.Angle = 89.999;
    q.Radius1 = 650;
    q.Radius2 = 0;
    struct TCase
    {
        int Principle;
        const char* Text;
        double Dimension;
    } cases[] = {
        {1, "FFBMin <= 123 and FFBMax >= 123 and ID='E' ", 123},
        {2, "FFHMin <= 141 and FFHMax >= 141 and ID='E' ", 141},
        {3, "FFBMin <= 123 and FFBMax >= 123 and FFHMin <= 141 and FFHMax >= 141 and ID='E' ", 0},
        {4, "FFL1Min <= 813 and FFL1Max >= 813 and ID='E' ", 812.5},
        {5, "FFL2Min <= 400 and FFL2Max >= 400 and ID='E' ", 400.4},
        {6, "FFL1Min <= 813 and FFL1Max >= 813 and FFL2Min <= 400 and FFL2Max >= 400 and ID='E' ", 812.5},
        {7, "FFAMin <= 90.00 and FFAMax >= 90.00 and ID='E' ", 0},
        {8, "FFR1Min <= 650 and FFR1Max >= 650 and ID='E' ", 0},
        {9, "FFR2Min <= 0 and FFR2Max >= 0 and ID='E' ", 0},
        {10, "FFR1Min <= 650 and FFR1Max >= 650 and FFR2Min <= 0 and FFR2Max >= 0 and ID='E' ", 0},
        {0, "ID='E' ", 0},
        {11, "ID='E' ", 0},
    };
    for (const auto& c : cases) {
        q.Principle = c.Principle;
        const TArticleFilter f = BuildArticleFilter(TElementFlags{}, q);
        EXPECT_EQ(f.Filter, QString::fromLatin1(c.Text)) << c.Principle;
        EXPECT_EQ(f.Dimension, c.Dimension) << c.Principle;
        EXPECT_TRUE(f.Fallback.isEmpty());
    }
}

TEST(FilterText, QuotesInsideValuesAreDoubled)
{
    EXPECT_EQ(FilterQuote(QStringLiteral("O'Neil")), QStringLiteral("'O''Neil'"));
    EXPECT_EQ(FilterQuote(QString()), QStringLiteral("''"));
    TElementFlags flags;
    flags.HasProfSys = flags.HasColor = true;
    TArticleQuery q;
    q.ElementId = QStringLiteral("E'1");
    q.KeeperSystem = QStringLiteral("K'");
    q.Color = QStringLiteral("%1'");
    const TArticleFilter f = BuildArticleFilter(flags, q);
    EXPECT_EQ(f.Filter, QStringLiteral("ProfSys = 'K''' and ID='E''1' and Color = '%1''' "));
    EXPECT_EQ(KeeperFilter(QStringLiteral("A'B"), 6, 2, QStringLiteral("C'")),
              QStringLiteral("CatalogID = 'A''B' and (StulpType=6 or StulpType=0) and (ItemSideNo=2 or ItemSideNo=0) "
                             "and (ItemComplectID='C''' or ItemComplectID='')"));
    EXPECT_EQ(ColorAccessoryFilter(QStringLiteral("A"), QString(), 3),
              QStringLiteral("CatalogID = 'A' and Color='' and (ItemSideNo=3 or ItemSideNo=0)"));
    EXPECT_EQ(KeyFilter(QStringLiteral("ID"), QStringLiteral("X'"), true), QStringLiteral("ID = 'X'''"));
}
