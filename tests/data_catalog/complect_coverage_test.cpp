#include <QtMath>
#include <gtest/gtest.h>

#include "data_catalog/catalog_checks.h"
#include "data_catalog/demo_engine_fixture.h"
#include "engine/calculate_complect.h"
#include "engine/model_adapter.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/order.h"

// Every window and door complect of the demo catalogue calculates without a message for every
// sash the fittings dialog would offer it for (ComplectFitsSash), on a grid of sizes.
namespace {

class DemoComplectCoverage : public TDemoEngineTest
{
protected:
    struct TCase
    {
        TOutlineShape Shape;
        std::uint8_t Arrangement = arSingle;
        std::uint8_t ObjectType = 0;
    };

    // Calculates one position; returns false when the complects do not fit the sashes.
    bool Calculate(const TCase& c, const TFittingsChoice& choice, QStringList& failures)
    {
        TokfOrder order;
        order.InnerProfColor = order.OuterProfColor = QStringLiteral("W");
        TokfConstruction pos(&order);
        pos.Arrangement = c.Arrangement;
        pos.ObjectType = c.ObjectType;
        pos.BuildOutline(c.Shape, 201);
        if (!ComplectFitsSash(TFlugelSash(pos.Flugel1), choice.First.MainComplect))
            return false;
        if (c.Arrangement != arSingle && !ComplectFitsSash(TFlugelSash(pos.Flugel2), choice.Second.MainComplect))
            return false;
        try {
            pos.SetFittings(choice);
        } catch (const std::exception& e) {
            failures << QStringLiteral("%1/%2 %3x%4 X%5 R%6: %7")
                            .arg(choice.First.MainComplect, choice.Second.MainComplect)
                            .arg(c.Shape.Width).arg(c.Shape.Height).arg(c.Shape.X).arg(c.Shape.Radius1)
                            .arg(ErrorText(e).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        }
        return true;
    }

    static TFittingsChoice Choice(const QString& system, const QString& main, const QString& handle)
    {
        TFittingsChoice f;
        f.FurnSys = system;
        f.ProfSys = QStringLiteral("K9");
        f.Color = QStringLiteral("KO");
        f.FalzType = 101;
        f.StulpType = 302;
        f.OpenType = 401;
        f.ProfWidth = 70;
        f.ProfThickness = 70;
        f.First.MainComplect = main;
        f.First.HandleComplect = handle;
        f.First.DornType = 205;
        f.First.Properties = QStringList{QStringLiteral("0=112"), QStringLiteral("0=123"), QStringLiteral("0=132"),
                                         QStringLiteral("1=142")};
        f.Second.DornType = 205;
        return f;
    }
};

} // namespace

TEST_F(DemoComplectCoverage, EveryComplectCalculatesInsideItsSideWindows)
{
    const TCatalogFolder demo(QStringLiteral(DIRAVIR_DATA_DIR "/catalog"));
    const TDemoCsvTable& comps = demo.Table(QStringLiteral("FrnComp"));
    QStringList failures;
    for (const QStringList& row : comps.Rows) {
        const QString id = comps.Cell(row, QStringLiteral("ID"));
        const int group = comps.Cell(row, QStringLiteral("Group")).toInt();
        if ((group != 10 && group != 11) || id.contains(QLatin1String("-ST-")))
            continue;
        const QString system = comps.Cell(row, QStringLiteral("CommonGrp"));
        TFittingsChoice choice = Choice(system, id, system == QLatin1String("200") ? QStringLiteral("H200-OK")
                                                                                   : QStringLiteral("H100-OK"));
        TCase c;
        if (group == 11) {
            c.ObjectType = 1;
            choice.First.HandleComplect = QStringLiteral("HD100-33");
            choice.First.LockComplect = QStringLiteral("L100-42");
            choice.First.HingeComplect = QStringLiteral("DH100-3");
            choice.First.CylinderComplect = QStringLiteral("C100-KK");
            choice.First.CloserComplect = QStringLiteral("S100-EN");
            choice.First.DornType = 204;
        }
        int calculated = 0;
        for (int b = 300; b <= 2100; b += 100)
            for (int h = 300; h <= 2500; h += 100) {
                if (id == QLatin1String("K100-ARC-L")) {
                    for (const double k : {0.5, 0.6, 0.8, 1.0}) {
                        const double r = b * k;
                        const int rise = qRound(r - std::sqrt(r * r - b * b / 4.0));
                        if (h - rise < 300)
                            continue;
                        c.Shape = TOutlineShape{b, h, 7, rise, 0, float(r), float(r)};
                        calculated += Calculate(c, choice, failures);
                    }
                } else if (id == QLatin1String("K100-TRP-L")) {
                    for (int x = 300; x < h; x += 200) {
                        c.Shape = TOutlineShape{b, h, 3, x, 0, 0, 0};
                        calculated += Calculate(c, choice, failures);
                    }
                } else {
                    c.Shape = TOutlineShape{b, h, 0, 0, 0, 0, 0};
                    calculated += Calculate(c, choice, failures);
                }
            }
        EXPECT_GT(calculated, 0) << id.toStdString() << " fits no sash of the grid";
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.mid(0, 20).join(QLatin1Char('\n')).toStdString();
}

TEST_F(DemoComplectCoverage, MullionPairsCalculateInsideTheirSideWindows)
{
    QStringList failures;
    int calculated = 0;
    const struct { std::uint8_t Figure, Arrangement; const char* Active; const char* Passives[3]; } pairs[] = {
        {2, arLeftMain, "K100-ST-A11", {"K100-ST-P22", "K100-ST-P23", "K100-ST-P24"}},
        {1, arRightMain, "K100-ST-A21", {"K100-ST-P12", "K100-ST-P13", "K100-ST-P14"}}};
    for (const auto& p : pairs)
        for (const char* passive : p.Passives)
            for (int w = 300; w <= 1100; w += 100)
                for (int h = 300; h <= 2500; h += 100) {
                    TFittingsChoice choice = Choice(QStringLiteral("100"), QLatin1String(p.Active), QStringLiteral("H100-OK"));
                    choice.Second.MainComplect = QLatin1String(passive);
                    choice.Second.LatchComplect = QStringLiteral("SP100-2");
                    if (p.Arrangement == arRightMain)
                        std::swap(choice.First, choice.Second);
                    TCase c;
                    c.Shape = TOutlineShape{2 * w, h, p.Figure, w, w, 0, 0};
                    c.Arrangement = p.Arrangement;
                    calculated += Calculate(c, choice, failures);
                }
    EXPECT_GT(calculated, 100);
    EXPECT_TRUE(failures.isEmpty()) << failures.mid(0, 20).join(QLatin1Char('\n')).toStdString();
}
